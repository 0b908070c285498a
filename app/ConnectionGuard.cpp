#include "app/ConnectionGuard.h"

#include <sqlite3.h>

#include "app/CatalogError.h"
#include "app/SqliteHandle.h"
#include "app/StatementBound.h"

namespace tolvane {

namespace {

void Set(sqlite3* db, int option, int value, const char* what) {
    int now = -1;
    if (sqlite3_db_config(db, option, value, &now) != SQLITE_OK || now != value)
        throw ECatalogError(QString("cannot ") + what);
}

} // namespace

TConnectionGuard::TConnectionGuard(const QSqlDatabase& db) {
    sqlite3* handle = SqliteHandle(db);
    if (!handle) throw ECatalogError("not an SQLite connection");
    Set(handle, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, "turn the catalogue's triggers off");
    Set(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, "distrust the catalogue's schema");
    Set(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, "protect the catalogue's schema");
    bound_ = std::make_unique<TStatementBound>(handle);
}

TConnectionGuard::~TConnectionGuard() = default;

} // namespace tolvane
