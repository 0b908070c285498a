#include "app/SqlFailure.h"

#include <sqlite3.h>

#include "app/SqliteHandle.h"
#include "app/StatementBound.h"

namespace tolvane {

namespace {

// Why the connection's bound stopped its last statement, or an empty text.
QString Stopped(sqlite3* db) {
    TStatementBound* bound = db ? TStatementBound::Of(db) : nullptr;
    return bound ? bound->StopReason() : QString();
}

QString OwnWords(QSqlError::ErrorType type) {
    switch (type) {
    case QSqlError::ConnectionError: return "cannot open the database";
    case QSqlError::TransactionError: return "cannot start or end a transaction";
    default: return "the database refused a statement";
    }
}

} // namespace

QString TSqlFailure::Text(const QSqlDatabase& db, const QSqlError& error) {
    if ((error.nativeErrorCode().toInt() & 0xff) == SQLITE_INTERRUPT)
        if (QString stopped = Stopped(SqliteHandle(db)); !stopped.isEmpty()) return stopped;
    return Text(error);
}

QString TSqlFailure::Text(const QSqlError& error) {
    const QString text = error.databaseText().simplified();
    return text.isEmpty() ? OwnWords(error.type()) : text;
}

QString TSqlFailure::Text(sqlite3* db) {
    if ((sqlite3_errcode(db) & 0xff) == SQLITE_INTERRUPT)
        if (QString stopped = Stopped(db); !stopped.isEmpty()) return stopped;
    return QString::fromUtf8(sqlite3_errmsg(db)).simplified();
}

} // namespace tolvane
