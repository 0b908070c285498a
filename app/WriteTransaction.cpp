#include "app/WriteTransaction.h"

#include <QSqlQuery>

#include "app/CatalogError.h"
#include "app/SqlFailure.h"

namespace tolvane {

TWriteTransaction::TWriteTransaction(const QSqlDatabase& db) : db_(db) {
    QSqlQuery begin(db_);
    if (!begin.exec("BEGIN IMMEDIATE")) throw ECatalogError(TSqlFailure::Text(db_, begin.lastError()));
    open_ = true;
}

TWriteTransaction::~TWriteTransaction() {
    if (open_) Exec("ROLLBACK");
}

void TWriteTransaction::Commit() {
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
