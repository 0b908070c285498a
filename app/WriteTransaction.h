#pragma once
// A transaction that holds the catalogue's write lock from its start. A writer that first reads
// what exists and then writes must hold the lock while it reads: otherwise two writers read the
// same state and both add what neither found (two scans of one folder, each adding every file).
// Taking the lock waits as long as the connection's busy wait while another writer holds it (on
// a server: a lock on the titles and episodes that only writers take).

#include <QSqlDatabase>

namespace tolvane {

class TWriteTransaction {
public:
    // Begins; throws ECatalogError (the database's words) when the lock cannot be had.
    explicit TWriteTransaction(const QSqlDatabase& db);
    // Rolls back unless committed.
    ~TWriteTransaction();
    TWriteTransaction(const TWriteTransaction&) = delete;
    TWriteTransaction& operator=(const TWriteTransaction&) = delete;

    // Throws ECatalogError, and rolls back, when the commit fails.
    void Commit();

private:
    bool Exec(const char* sql);

    QSqlDatabase db_;
    bool open_ = false;
};

} // namespace tolvane
