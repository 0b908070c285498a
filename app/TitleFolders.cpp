#include "app/TitleFolders.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "app/CatalogError.h"
#include "app/SqlFailure.h"

namespace tolvane {

void TTitleFolders::Record(const QSqlDatabase& db, std::int64_t title, const QString& folder) {
    QSqlQuery q(db);
    if (!q.exec(R"sql(CREATE TABLE IF NOT EXISTS "TitleFolders" (
            "Title" INTEGER PRIMARY KEY, "Folder" TEXT NOT NULL))sql"))
        throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    // (An upsert both SQLite and PostgreSQL read.)
    q.prepare(R"sql(INSERT INTO "TitleFolders" ("Title", "Folder") VALUES (?, ?)
            ON CONFLICT ("Title") DO UPDATE SET "Folder" = excluded."Folder")sql");
    q.addBindValue(qlonglong(title));
    q.addBindValue(folder);
    if (!q.exec()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
}

QString TTitleFolders::FolderOf(const QSqlDatabase& db, std::int64_t title) {
    QSqlQuery q(db);
    // No table: a catalogue no scan has recorded a folder in.
    if (!q.prepare(R"sql(SELECT "Folder" FROM "TitleFolders" WHERE "Title" = ?)sql")) return {};
    q.addBindValue(qlonglong(title));
    if (!q.exec() || !q.next()) return {};
    return q.value(0).toString();
}

} // namespace tolvane
