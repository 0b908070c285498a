#include "app/WriteTransaction.h"

#include <QSqlQuery>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"

namespace tolvane {

TWriteTransaction::TWriteTransaction(const QSqlDatabase& db) : db_(db) {
    QSqlQuery begin(db_);
    if (!TServerConnection::IsServer(db_)) {
        if (!begin.exec("BEGIN IMMEDIATE")) throw ECatalogError(TSqlFailure::Text(db_, begin.lastError()));
        open_ = true;
        return;
    }
    // A server's writers take turns on a lock that they alone take: readers go on meanwhile.
    // Waiting for it is bounded by the connection's statement timeout.
    if (!begin.exec("BEGIN")) throw ECatalogError(TSqlFailure::Text(db_, begin.lastError()));
    open_ = true;
    QSqlQuery lock(db_);
    if (!lock.exec(QString("LOCK TABLE %1, %2 IN SHARE ROW EXCLUSIVE MODE")
                       .arg(TCatalogSchema::Quoted(TCatalogSchema::Titles().Table),
                            TCatalogSchema::Quoted(TCatalogSchema::Episodes().Table))))
        throw ECatalogError(TSqlFailure::Text(db_, lock.lastError()));
}

TWriteTransaction::~TWriteTransaction() {
    if (open_) Exec("ROLLBACK");
}

void TWriteTransaction::Commit() {
    // The other connections on a server hear of the change once it is committed.
    if (const QString failure = TServerConnection::AnnounceChange(db_); !failure.isEmpty()) {
        Exec("ROLLBACK");
        open_ = false;
        throw ECatalogError(failure);
    }
    QSqlQuery q(db_);
    if (!q.exec("COMMIT")) {
        const QString failure = TSqlFailure::Text(db_, q.lastError());
        q.finish();
        Exec("ROLLBACK");
        open_ = false;
        throw ECatalogError(failure);
    }
    open_ = false;
}

bool TWriteTransaction::Exec(const char* sql) {
    QSqlQuery q(db_);
    return q.exec(sql);
}

} // namespace tolvane
