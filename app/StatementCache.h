#pragma once
// The read statements of one open connection, prepared once and run again with new values: a
// title's episodes and totals are read by the same two statements at every selection, and
// preparing them anew (a parse on SQLite, PREPARE and DEALLOCATE round trips on a server) cost
// more than running them. The owner clears it before its connection closes or is opened again.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace tolvane {

class TStatementCache {
public:
    TStatementCache() = default;
    ~TStatementCache();
    TStatementCache(const TStatementCache&) = delete;
    TStatementCache& operator=(const TStatementCache&) = delete;

    // The prepared SQLite statement of `sql` on `db`, reset with no values bound; null when it
    // cannot be prepared (the caller prepares it itself and reports the database's message).
    sqlite3_stmt* Sqlite(sqlite3* db, const QString& sql);
    // The prepared query of `sql` on a connection that is not SQLite's; null when it cannot be
    // prepared.
    QSqlQuery* Query(const QSqlDatabase& db, const QString& sql);
    // Drops the kept query of `sql` (a server refuses a kept plan whose table changed meanwhile).
    void Forget(const QString& sql) { queries_.erase(sql); }
    // Finalizes every statement; they belong to the connection as it is now.
    void Clear();

private:
    // A connection reads with a few statements; one built from changing text does not fill it.
    static constexpr std::size_t kMost = 32;

    sqlite3* sqliteDb_ = nullptr;
    std::unordered_map<QString, sqlite3_stmt*> sqlite_;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> queries_;
};

} // namespace tolvane
