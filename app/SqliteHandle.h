#pragma once
// The SQLite connection behind a Qt database connection, for what only SQLite's own interface
// offers: reading rows without a round trip per value, connection settings, bounds on statements.

#include <QSqlDatabase>

struct sqlite3;

namespace tolvane {

// Null when the connection is not SQLite's or not open.
sqlite3* SqliteHandle(const QSqlDatabase& db);

} // namespace tolvane
