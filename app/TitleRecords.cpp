#include "app/TitleRecords.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/ServerConnection.h"
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
    // Equal, a null to a null included (PostgreSQL's IS takes only NULL, TRUE and the like).
    const QString sameAs = TServerConnection::IsServer(db) ? "IS NOT DISTINCT FROM" : "IS";
    const QSqlQuery q = Run(
        db, QString::fromUtf8(R"sql(UPDATE "Sp" SET "Название" = ? WHERE "ID" = ? AND "Название" %1 ?)sql").arg(sameAs),
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

namespace {

QStringList Columns(const QSqlRecord& record) {
    QStringList names;
    for (int c = 0; c < record.count(); ++c) names << record.fieldName(c);
    return names;
}

QVariantList Values(const QSqlQuery& q) {
    QVariantList values;
    for (int c = 0; c < q.record().count(); ++c) values << q.value(c);
    return values;
}

void InsertRow(const QSqlDatabase& db, const QString& table, const QStringList& columns, const QVariantList& values) {
    QStringList quoted;
    for (const QString& c : columns) quoted << TCatalogSchema::Quoted(c);
    Run(db,
        "INSERT INTO " + TCatalogSchema::Quoted(table) + " (" + quoted.join(", ") + ") VALUES (" +
            QStringList(QList<QString>(columns.size(), "?")).join(", ") + ")",
        values);
}

} // namespace

TTitleSnapshot TTitleRecords::Snapshot(const QSqlDatabase& db, std::int64_t id) {
    TTitleSnapshot snapshot;
    snapshot.Id = id;
    QSqlQuery title = Run(db, R"sql(SELECT * FROM "Sp" WHERE "ID" = ?)sql", {qlonglong(id)});
    if (!title.next()) throw ECatalogError(QString("the title with ID %1 is not in the catalogue").arg(id));
    snapshot.TitleColumns = Columns(title.record());
    snapshot.Title = Values(title);
    QSqlQuery episodes =
        Run(db, QString::fromUtf8(R"sql(SELECT * FROM "Серии" WHERE "Название" = ?)sql"), {qlonglong(id)});
    snapshot.EpisodeColumns = Columns(episodes.record());
    while (episodes.next()) snapshot.Episodes << Values(episodes);
    return snapshot;
}

bool TTitleRecords::Restore(const QSqlDatabase& db, const TTitleSnapshot& snapshot) {
    TWriteTransaction transaction(db);
    QSqlQuery taken = Run(db, R"sql(SELECT 1 FROM "Sp" WHERE "ID" = ?)sql", {qlonglong(snapshot.Id)});
    if (taken.next()) return false;
    InsertRow(db, "Sp", snapshot.TitleColumns, snapshot.Title);
    for (const QVariantList& episode : snapshot.Episodes)
        InsertRow(db, QString::fromUtf8("Серии"), snapshot.EpisodeColumns, episode);
    transaction.Commit();
    return true;
}

QList<QVariantList> TTitleRecords::Episodes(const QSqlDatabase& db, const std::vector<std::int64_t>& ids,
                                            QStringList& columns) {
    QList<QVariantList> rows;
    QSqlQuery q(db);
    if (!q.prepare(QString::fromUtf8(R"sql(SELECT * FROM "Серии" WHERE "ID" = ?)sql")))
        throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    for (const std::int64_t id : ids) {
        q.addBindValue(qlonglong(id));
        if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
        if (columns.isEmpty()) columns = Columns(q.record());
        if (q.next()) rows << Values(q);
    }
    return rows;
}

bool TTitleRecords::DeleteEpisodes(const QSqlDatabase& db, const std::vector<std::int64_t>& ids,
                                   const QList<QVariantList>& rows) {
    TWriteTransaction transaction(db);
    QStringList columns;
    if (Episodes(db, ids, columns) != rows) return false;
    for (const std::int64_t id : ids)
        Run(db, QString::fromUtf8(R"sql(DELETE FROM "Серии" WHERE "ID" = ?)sql"), {qlonglong(id)});
    transaction.Commit();
    return true;
}

void TTitleRecords::InsertEpisodes(const QSqlDatabase& db, const QStringList& columns,
                                   const QList<QVariantList>& rows) {
    TWriteTransaction transaction(db);
    for (const QVariantList& row : rows) InsertRow(db, QString::fromUtf8("Серии"), columns, row);
    transaction.Commit();
}

} // namespace tolvane
