#include "app/CheckedUpdate.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"

namespace tolvane {

bool SameStoredValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a == b;
}

namespace {

QString KeyText(const QVariant& key) {
    return key.toString();
}

bool KeyUnique(const QSqlDatabase& db, const QString& table, const QString& keyField, const QVariant& key) {
    QSqlQuery q(db);
    q.prepare("SELECT count(*) FROM " + TCatalogSchema::Quoted(table) + " WHERE " +
              TCatalogSchema::Quoted(keyField) + " = ?");
    q.addBindValue(key);
    return q.exec() && q.next() && q.value(0).toLongLong() == 1;
}

} // namespace

std::vector<TCheckedUpdate::TStale> TCheckedUpdate::Run(TCatalogStore& store, const QString& table,
                                                          const QString& keyField, const QVariant& key,
                                                          const std::vector<TChange>& changes) {
    std::vector<TStale> stale;
    if (changes.empty()) return stale;
    QSqlDatabase db;
    try {
        db = store.Database();
    } catch (const ECatalogError& e) {
        if (store.ServerGone()) throw ECatalogBusy(e.what());
        throw;
    }
    const bool server = TServerConnection::IsServer(db);
    // Equal, a null to a null included (PostgreSQL's IS takes only NULL, TRUE and the like).
    const QString sameAs = server ? " IS NOT DISTINCT FROM ?" : " IS ?";
    QStringList assignments, checks, fields;
    for (const TChange& c : changes) {
        assignments << TCatalogSchema::Quoted(c.Field) + " = ?";
        checks << TCatalogSchema::Quoted(c.Field) + sameAs;
        fields << TCatalogSchema::Quoted(c.Field);
    }
    const QString where = " WHERE " + TCatalogSchema::Quoted(keyField) + " = ?";

    QString failure;
    bool busy = false;
    const auto fail = [&db, &failure, &busy, server](const QSqlError& error) {
        failure = TSqlFailure::Text(db, error);
        // SQLITE_BUSY and SQLITE_LOCKED, with or without their extended codes.
        const int code = error.nativeErrorCode().toInt() & 0xff;
        busy = !server && (code == 5 || code == 6);
    };
    auto exec = [&db, &fail](const QString& sql) {
        QSqlQuery q(db);
        if (q.exec(sql)) return true;
        fail(q.lastError());
        return false;
    };
    // The write lock is taken first: the check, the write and the read of what is stored instead
    // see one state of the file.
    // (A server's UPDATE checks and writes the row under the row's own lock.)
    const bool inTransaction = exec(server ? "BEGIN" : "BEGIN IMMEDIATE");
    if (inTransaction) {
        QSqlQuery q(db);
        const bool prepared = q.prepare("UPDATE " + TCatalogSchema::Quoted(table) + " SET " +
                                        assignments.join(", ") + where + " AND " + checks.join(" AND "));
        for (const TChange& c : changes) q.addBindValue(c.Mine);
        q.addBindValue(key);
        for (const TChange& c : changes) q.addBindValue(c.Base);
        if (!prepared || !q.exec()) {
            fail(q.lastError());
        } else if (q.numRowsAffected() > 1 || (q.numRowsAffected() == 1 && !KeyUnique(db, table, keyField, key))) {
            // The checked values may single out one of several records of a key; none is written.
            failure = "the key " + KeyText(key) + " of \"" + table + "\" is not unique";
        } else if (q.numRowsAffected() == 0) {
            q.finish();
            QSqlQuery read(db);
            read.prepare("SELECT " + fields.join(", ") + " FROM " + TCatalogSchema::Quoted(table) + where);
            read.addBindValue(key);
            if (!read.exec()) {
                fail(read.lastError());
            } else if (!read.next()) {
                failure = "the record " + KeyText(key) + " of \"" + table + "\" no longer exists";
            } else {
                for (int i = 0; i < static_cast<int>(changes.size()); ++i)
                    if (!SameStoredValue(read.value(i), changes[i].Base)) stale.push_back({i, read.value(i)});
                if (stale.empty())
                    failure = "the record " + KeyText(key) + " of \"" + table + "\" could not be matched";
            }
        }
        q.finish();
        if (failure.isEmpty() && stale.empty()) {
            // The other windows on a server hear of it once it is committed.
            failure = TServerConnection::AnnounceChange(db);
        }
        if (failure.isEmpty() && stale.empty()) {
            if (!exec("COMMIT")) {
                const QString kept = failure;
                const bool keptBusy = busy;
                exec("ROLLBACK");
                failure = kept;
                busy = keptBusy;
            }
        } else {
            const QString kept = failure;
            const bool keptBusy = busy;
            exec("ROLLBACK");
            failure = kept;
            busy = keptBusy;
        }
    }
    if (!failure.isEmpty()) {
        // A server that went away may come back: the write can be tried again then.
        if (store.ServerGone()) busy = true;
        // SQLite calls a file deleted under the open catalogue read-only.
        if (!store.OnServer() && !QFileInfo::exists(store.Path())) {
            failure = "the file was deleted or moved while open";
            busy = false;
        }
        if (busy) throw ECatalogBusy(store.Failure(failure));
        throw ECatalogError(store.Failure(failure));
    }
    return stale;
}

} // namespace tolvane
