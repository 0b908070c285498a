#include "app/ServerConnection.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <dlfcn.h>
#include <libpq-fe.h>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/SqlFailure.h"
#include "app/StatementBound.h"

namespace tolvane {

const char* const TServerConnection::Driver = "QPSQL";
const char* const TServerConnection::Channel = "tolvane_catalogue";

namespace {

// The catalogue's tables that our writes change.
QVariantList WrittenTables() {
    return {TCatalogSchema::Titles().Table, TCatalogSchema::Episodes().Table};
}

// libpq's reason for a failed connection, in the user's words. libpq's own texts are matched; a
// text not known here is passed on as it stands, on one line.
QString ConnectFailure(const QString& libpq, const TCatalogLocation& where) {
    QString text = libpq.simplified();
    if (!where.Password().isEmpty()) text.replace(where.Password(), "…");
    if (text.contains("password authentication failed"))
        return "wrong password for user \"" + where.User() + "\" (or no such user)";
    if (text.contains("no password supplied"))
        return "the server wants a password (the URI, PGPASSWORD or ~/.pgpass)";
    if (text.contains("does not exist") && text.contains("database \""))
        return "no such database on the server";
    if (text.contains("role \"") && text.contains("does not exist")) return "no such user on the server";
    if (text.contains("timeout expired"))
        return QString("the server did not answer within %1 s").arg(TServerConnection::ConnectSeconds);
    if (text.contains("could not translate host name")) return "server not reachable (unknown host name)";
    if (text.contains("Connection refused") || text.contains("No such file or directory") ||
        text.contains("No route to host") || text.contains("Network is unreachable") ||
        text.contains("could not connect"))
        return "server not reachable (is it running and accepting connections?)";
    if (const qsizetype failed = text.indexOf(" failed: ");
        text.startsWith("connection to server") && failed > 0)
        return "server not reachable (" + text.mid(failed + 9) + ")";
    text.remove(QRegularExpression("^(FATAL|ERROR):\\s*"));
    return text.isEmpty() ? QString("cannot connect to the server") : text;
}

QString Connection(const TCatalogLocation& where, bool readOnly) {
    QStringList options = where.Options();
    options << QString("connect_timeout=%1").arg(TServerConnection::ConnectSeconds)
            << "application_name=tolvane";
    // A network that goes away under an open connection ends it within seconds instead of the
    // system's minutes: the window must not wait on a reply that cannot come.
    options << "keepalives=1"
            << "keepalives_idle=5"
            << "keepalives_interval=2"
            << "keepalives_count=3"
            << QString("tcp_user_timeout=%1").arg(TServerConnection::ConnectSeconds * 2000);
    // Every statement is bounded as on a file; a read-only opening cannot write even through a
    // function that a view calls.
    // The server's notices ("already exists, skipping") would reach the terminal through libpq.
    QString settings = QString("-c statement_timeout=%1 -c client_min_messages=warning")
                           .arg(TStatementBound::Limit().count());
    if (readOnly) settings += " -c default_transaction_read_only=on";
    options << "options='" + settings + "'";
    return options.join(';');
}

PGconn* Handle(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // libpq's PGconn is its struct pg_conn.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

// The two libpq calls made on the Qt driver's connection, found in the libpq that the driver
// loaded: the program does not link libpq (and the Kerberos, LDAP and TLS libraries it brings)
// for the catalogues on a file.
struct TLibpq {
    decltype(&PQstatus) Status = nullptr;
    decltype(&PQsetNoticeProcessor) SetNoticeProcessor = nullptr;

    static const TLibpq& Get() {
        static const TLibpq calls = [] {
            TLibpq found;
            if (void* lib = dlopen("libpq.so.5", RTLD_NOW | RTLD_NOLOAD)) {
                found.Status = reinterpret_cast<decltype(&PQstatus)>(dlsym(lib, "PQstatus"));
                found.SetNoticeProcessor =
                    reinterpret_cast<decltype(&PQsetNoticeProcessor)>(dlsym(lib, "PQsetNoticeProcessor"));
            }
            return found;
        }();
        return calls;
    }
};

// What the server says outside any statement (a notice, the reason it ends the connection)
// reaches the user through the statement that fails next, not the terminal.
void Quiet(void*, const char*) {}

bool Exec(const QSqlDatabase& db, const QString& sql, QSqlError* error = nullptr) {
    QSqlQuery q(db);
    const bool done = q.exec(sql);
    if (!done && error) *error = q.lastError();
    return done;
}

} // namespace

void TServerConnection::Open(QSqlDatabase& db, const TCatalogLocation& where, bool readOnly) {
    db.setHostName(where.Host());
    if (where.Port() > 0) db.setPort(where.Port());
    db.setDatabaseName(where.Database());
    db.setUserName(where.User());
    db.setPassword(where.Password());
    db.setConnectOptions(Connection(where, readOnly));
    if (!db.open())
        throw ECatalogError(where.Display() + ": " + ConnectFailure(db.lastError().databaseText(), where));
    if (PGconn* handle = Handle(db); handle && TLibpq::Get().SetNoticeProcessor)
        TLibpq::Get().SetNoticeProcessor(handle, Quiet, nullptr);
}

QString TServerConnection::AnnounceChange(const QSqlDatabase& db) {
    if (!IsServer(db)) return {};
    QSqlQuery q(db);
    if (q.exec(QString("NOTIFY ") + Channel)) return {};
    return TSqlFailure::Text(db, q.lastError());
}

bool TServerConnection::Lost(const QSqlDatabase& db) {
    if (!IsServer(db)) return false;
    if (!db.isOpen()) return true;
    PGconn* handle = Handle(db);
    if (!handle) return true;
    return TLibpq::Get().Status && TLibpq::Get().Status(handle) == CONNECTION_BAD;
}

bool TServerConnection::MayWrite(const QSqlDatabase& db) {
    QSqlQuery q(db);
    q.prepare(
        "SELECT NOT pg_is_in_recovery() AND count(*) = 2 AND "
        "bool_and(has_table_privilege(c.oid, 'INSERT') AND has_table_privilege(c.oid, 'UPDATE')) "
        "FROM pg_class c WHERE c.relnamespace = current_schema()::regnamespace AND c.relname IN (?, ?)");
    for (const QVariant& table : WrittenTables()) q.addBindValue(table);
    if (!q.exec() || !q.next()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    return q.value(0).toBool();
}

void TServerConnection::KeepCatalogueCodeOff(const QSqlDatabase& db) {
    // As a replica the session fires only triggers and rules enabled ALWAYS; setting it needs a
    // superuser or a role granted SET on the parameter.
    const bool replica = Exec(db, "SET session_replication_role = replica");
    QSqlQuery q(db);
    q.prepare(
        "SELECT c.relname, t.tgname FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
        "WHERE NOT t.tgisinternal AND c.relnamespace = current_schema()::regnamespace "
        "AND c.relname IN (?, ?) AND t.tgenabled IN (?, ?) "
        "UNION ALL SELECT c.relname, r.rulename FROM pg_rewrite r JOIN pg_class c ON c.oid = r.ev_class "
        "WHERE c.relkind = 'r' AND c.relnamespace = current_schema()::regnamespace "
        "AND c.relname IN (?, ?) AND r.ev_enabled IN (?, ?) ORDER BY 1, 2 LIMIT 1");
    const QVariantList fired = replica ? QVariantList{"A", "A"} : QVariantList{"O", "A"};
    for (int i = 0; i < 2; ++i) {
        for (const QVariant& table : WrittenTables()) q.addBindValue(table);
        for (const QVariant& state : fired) q.addBindValue(state);
    }
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    if (q.next())
        throw ECatalogError(QString("\"%1\" carries \"%2\", a trigger or rule that our writes would run "
                                    "(a superuser can remove it, or GRANT SET ON PARAMETER "
                                    "session_replication_role to this user)")
                                .arg(q.value(0).toString(), q.value(1).toString()));
}

bool TServerConnection::HoldsTables(const QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec("SELECT EXISTS (SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                "WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f', 'S') AND n.nspname NOT IN ('pg_catalog', "
                "'information_schema') AND n.nspname NOT LIKE 'pg\\_%')") ||
        !q.next())
        throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    return q.value(0).toBool();
}

} // namespace tolvane
