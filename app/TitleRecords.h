#pragma once
// Whole titles written in one go: a new title, a title's name, a title with its episodes deleted.
// Each write holds the write lock from its start.

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace tolvane {

// A title's row and its episodes' rows as stored, every column, to be put back as they were.
struct TTitleSnapshot {
    std::int64_t Id = 0;
    QStringList TitleColumns;
    QVariantList Title;
    QStringList EpisodeColumns;
    QList<QVariantList> Episodes;
};

class TTitleRecords {
public:
    // A new title of that name and no type or count; its ID.
    static std::int64_t Insert(const QSqlDatabase& db, const QString& name);
    // Renames the title when its name is still `expected`; false (nothing written) when it was
    // changed or deleted elsewhere.
    static bool Rename(const QSqlDatabase& db, std::int64_t id, const QString& expected, const QString& name);
    static int EpisodeCount(const QSqlDatabase& db, std::int64_t id);
    // The title and its episodes. Throws ECatalogError.
    static void Delete(const QSqlDatabase& db, std::int64_t id);

    static TTitleSnapshot Snapshot(const QSqlDatabase& db, std::int64_t id);
    // Puts the title and its episodes back under their own keys; false (nothing written) when
    // the title's ID was taken meanwhile.
    static bool Restore(const QSqlDatabase& db, const TTitleSnapshot& snapshot);

    // Some episodes by their keys, every column (the names go to `columns`), in key order.
    static QList<QVariantList> Episodes(const QSqlDatabase& db, const std::vector<std::int64_t>& ids,
                                        QStringList& columns);
    // Deletes the episodes when they are still stored as `rows`; false (nothing written) when not.
    static bool DeleteEpisodes(const QSqlDatabase& db, const std::vector<std::int64_t>& ids,
                               const QList<QVariantList>& rows);
    // Puts the episodes back under their own keys. Throws ECatalogError (a key taken meanwhile).
    static void InsertEpisodes(const QSqlDatabase& db, const QStringList& columns, const QList<QVariantList>& rows);
};

} // namespace tolvane
