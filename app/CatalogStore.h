#pragma once
// The connection to one catalogue: a file, or a database on a PostgreSQL server named by a URI
// (TCatalogLocation). Opening never creates a file, and a catalogue that lacks the catalogue's
// tables and totals is refused as "not a catalogue". The connection runs none of the catalogue's
// own code and bounds every statement in time (TConnectionGuard for a file, TServerConnection
// for a server).

#include <QSqlDatabase>
#include <QString>
#include <memory>

#include "app/CatalogSchema.h"

namespace tolvane {

class TConnectionGuard;
class TStatementCache;
class TCatalogLocation;

enum class TOpenMode { omReadWrite, omReadOnly };

class TCatalogStore {
public:
    TCatalogStore();
    ~TCatalogStore();
    TCatalogStore(const TCatalogStore&) = delete;
    TCatalogStore& operator=(const TCatalogStore&) = delete;

    // Throws ECatalogError "<file or URI without password>: <reason>".
    void Open(const QString& path, TOpenMode mode = TOpenMode::omReadWrite);
    void Close();
    bool IsOpen() const { return !connection_.isEmpty(); }

    // The file or URI as given (a URI may hold a password: show Shown()).
    const QString& Path() const { return path_; }
    // The file, or the URI without its password.
    const QString& Shown() const { return shown_; }
    bool OnServer() const { return server_; }
    bool ReadOnly() const { return mode_ == TOpenMode::omReadOnly; }
    // The open connection; throws when closed. A server's connection that was lost is opened
    // again first (throws when the server cannot be reached yet).
    QSqlDatabase Database() const;
    // The statements prepared on the open connection, for reads that come again.
    TStatementCache& Statements() const { return *statements_; }
    // Whether the open catalogue is a server's whose connection is lost (and not opened again).
    bool ServerGone() const;

    // The columns' declared types of a table or view of the catalogue as the opening's schema
    // check read them; null when that check did not read them.
    const QHash<QString, QString>* DeclaredTypes(const QString& table) const;
    // The error text for this store's file.
    QString Failure(const QString& reason) const { return shown_ + ": " + reason; }

private:
    void OpenServer(const TCatalogLocation& where);
    // Opens the connection and checks the file; why it is refused, or an empty text.
    QString FirstRead(QSqlDatabase& db, const QString& file);
    // The same for a server's catalogue.
    QString FirstServerRead(QSqlDatabase& db, const TCatalogLocation& where);
    // Opens a server's lost connection again, set up as it was. Throws ECatalogError.
    void Reconnect(QSqlDatabase& db) const;

    QString path_;
    QString shown_;
    bool server_ = false;
    QString connection_;
    TOpenMode mode_ = TOpenMode::omReadWrite;
    TDeclaredTypes declared_;
    std::unique_ptr<TConnectionGuard> guard_;
    std::unique_ptr<TStatementCache> statements_;
};

} // namespace tolvane
