#pragma once
// The connection to one catalogue file. Opening never creates a file, and a file that lacks the
// catalogue's tables and view is refused as "not a catalogue".

#include <QSqlDatabase>
#include <QString>

#include "app/CatalogSchema.h"

namespace tolvane {

enum class TOpenMode { omReadWrite, omReadOnly };

class TCatalogStore {
public:
    TCatalogStore() = default;
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
    QString path_;
    QString connection_;
    TOpenMode mode_ = TOpenMode::omReadWrite;
    TDeclaredTypes declared_;
};

} // namespace tolvane
