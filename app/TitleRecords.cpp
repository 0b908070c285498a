#include "app/TitleRecords.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "app/CatalogError.h"
#include "app/SqlFailure.h"
#include "app/WriteTransaction.h"

namespace tolvane {

namespace {

QSqlQuery Run(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery q(db);
    if (!q.prepare(sql)) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    for (const QVariant& v : values) q.addBindValue(v);
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    return q;
}

} // namespace

std::int64_t TTitleRecords::Insert(const QSqlDatabase& db, const QString& name) {
    TWriteTransaction transaction(db);
    const QSqlQuery q = Run(db, QString::fromUtf8(R"sql(INSERT INTO "Sp" ("Название") VALUES (?))sql"), {name});
    const std::int64_t id = q.lastInsertId().toLongLong();
    transaction.Commit();
    return id;
}

bool TTitleRecords::Rename(const QSqlDatabase& db, std::int64_t id, const QString& expected, const QString& name) {
    TWriteTransaction transaction(db);
    const QSqlQuery q = Run(
        db, QString::fromUtf8(R"sql(UPDATE "Sp" SET "Название" = ? WHERE "ID" = ? AND "Название" IS ?)sql"),
        {name, qlonglong(id), expected});
    if (q.numRowsAffected() != 1) return false;
    transaction.Commit();
    return true;
}

int TTitleRecords::EpisodeCount(const QSqlDatabase& db, std::int64_t id) {
    QSqlQuery q = Run(db, QString::fromUtf8(R"sql(SELECT count(*) FROM "Серии" WHERE "Название" = ?)sql"),
                      {qlonglong(id)});
    return q.next() ? q.value(0).toInt() : 0;
}

void TTitleRecords::Delete(const QSqlDatabase& db, std::int64_t id) {
    TWriteTransaction transaction(db);
    Run(db, QString::fromUtf8(R"sql(DELETE FROM "Серии" WHERE "Название" = ?)sql"), {qlonglong(id)});
    Run(db, R"sql(DELETE FROM "Sp" WHERE "ID" = ?)sql", {qlonglong(id)});
    transaction.Commit();
}

} // namespace tolvane
