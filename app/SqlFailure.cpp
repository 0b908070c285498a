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
    // A server ends a statement past the connection's statement_timeout with this SQLSTATE.
    if (db.driverName() == "QPSQL" && error.nativeErrorCode() == "57014")
        return QString("a statement did not finish within %1 s")
            .arg(TStatementBound::Limit().count() / 1000.0);
    if ((error.nativeErrorCode().toInt() & 0xff) == SQLITE_INTERRUPT)
        if (QString stopped = Stopped(SqliteHandle(db)); !stopped.isEmpty()) return stopped;
    return Text(error);
}

QString TSqlFailure::Text(const QSqlError& error) {
    QString text = error.databaseText();
    // A server's words come as "ERROR:  <message>\nLINE 1: <statement>" with the SQLSTATE after
    // them: the message alone is the user's.
    if (text.startsWith("ERROR:") || text.startsWith("FATAL:")) {
        text = text.mid(6);
        if (const qsizetype line = text.indexOf("\nLINE "); line >= 0) text.truncate(line);
        const QString state = " (" + error.nativeErrorCode() + ")";
        if (!error.nativeErrorCode().isEmpty() && text.endsWith(state)) text.chop(state.size());
    }
    text = text.simplified();
    return text.isEmpty() ? OwnWords(error.type()) : text;
}

QString TSqlFailure::Text(sqlite3* db) {
    if ((sqlite3_errcode(db) & 0xff) == SQLITE_INTERRUPT)
        if (QString stopped = Stopped(db); !stopped.isEmpty()) return stopped;
    return QString::fromUtf8(sqlite3_errmsg(db)).simplified();
}

} // namespace tolvane
