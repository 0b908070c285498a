#pragma once
// The one line that tells the user why a statement on the catalogue failed: the database's own
// words ("database is locked"), never the Qt driver's ("Unable to fetch row"), or, for a statement
// that the connection's bound stopped, what did not finish.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

struct sqlite3;

namespace tolvane {

class TSqlFailure {
public:
    // After a statement or call of the connection failed with `error`.
    static QString Text(const QSqlDatabase& db, const QSqlError& error);
    // The same for a connection without a bound (a new file being written).
    static QString Text(const QSqlError& error);
    // After a call straight to SQLite failed on the connection.
    static QString Text(sqlite3* db);
};

} // namespace tolvane
