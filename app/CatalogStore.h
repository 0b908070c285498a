#pragma once
// The connection to one catalogue file. Opening never creates a file, and a file that lacks the
// catalogue's tables and totals is refused as "not a catalogue". The connection runs none of the
// catalogue's own code and bounds every statement in time (TConnectionGuard).

#include <QSqlDatabase>
#include <QString>
#include <memory>

#include "app/CatalogSchema.h"

namespace tolvane {

class TConnectionGuard;

enum class TOpenMode { omReadWrite, omReadOnly };

class TCatalogStore {
public:
    TCatalogStore();
    ~TCatalogStore();
    TCatalogStore(const TCatalogStore&) = delete;
    TCatalogStore& operator=(const TCatalogStore&) = delete;

    // Throws ECatalogError "<file>: <reason>".
    void Open(const QString& path, TOpenMode mode = TOpenMode::omReadWrite);
    void Close();
    bool IsOpen() const { return !connection_.isEmpty(); }

    const QString& Path() const { return path_; }
    bool ReadOnly() const { return mode_ == TOpenMode::omReadOnly; }
    // The open connection; throws when closed.
    QSqlDatabase Database() const;

    // The columns' declared types of a table or view of the catalogue as the opening's schema
    // check read them; null when that check did not read them.
    const QHash<QString, QString>* DeclaredTypes(const QString& table) const;
    // The error text for this store's file.
    QString Failure(const QString& reason) const { return path_ + ": " + reason; }

private:
    // Opens the connection and checks the file; why it is refused, or an empty text.
    QString FirstRead(QSqlDatabase& db, const QString& file);

    QString path_;
    QString connection_;
    TOpenMode mode_ = TOpenMode::omReadWrite;
    TDeclaredTypes declared_;
    std::unique_ptr<TConnectionGuard> guard_;
};

} // namespace tolvane
