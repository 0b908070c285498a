#include "app/CoveringIndex.h"

#include <QByteArray>
#include <sqlite3.h>

namespace tolvane {

std::optional<TCoveringIndex> TCoveringIndex::Find(sqlite3* db, const QString& table, const QString& leading,
                                                   const QStringList& wanted) {
    if (!db) return std::nullopt;
    // A query compares the column by its own collation: an index ordered by another would be
    // scanned whole, were the query bound to it.
    const char* collation = nullptr;
    const QByteArray tableName = table.toUtf8(), column = leading.toUtf8();
    if (sqlite3_table_column_metadata(db, "main", tableName.constData(), column.constData(), nullptr, &collation,
                                      nullptr, nullptr, nullptr) != SQLITE_OK ||
        !collation)
        return std::nullopt;
    const QString ordered = QString::fromUtf8(collation);
    // The key columns of each index in their order; an expression in an index has no name.
    static const char* const kSql =
        "SELECT l.name, x.name, x.coll FROM pragma_index_list(?1, 'main') AS l "
        "JOIN pragma_index_xinfo(l.name, 'main') AS x WHERE l.partial = 0 AND x.key = 1 "
        "ORDER BY l.seq, l.name, x.seqno";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, kSql, -1, &stmt, nullptr) != SQLITE_OK) return std::nullopt;
    sqlite3_bind_text(stmt, 1, tableName.constData(), int(tableName.size()), SQLITE_STATIC);
    std::optional<TCoveringIndex> best;
    int bestKept = -1;
    TCoveringIndex current;
    bool leads = false;
    const auto settle = [&] {
        if (!leads) return;
        int kept = 0;
        for (const QString& column : wanted) kept += current.Holds(column) ? 1 : 0;
        if (kept > bestKept) {
            bestKept = kept;
            best = current;
        }
    };
    int step;
    while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto text = [stmt](int c) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                     sqlite3_column_bytes(stmt, c));
        };
        const QString index = text(0);
        const bool named = sqlite3_column_type(stmt, 1) != SQLITE_NULL;
        if (index != current.name_) {
            settle();
            current = TCoveringIndex();
            current.name_ = index;
            leads = named && text(1) == leading && text(2).compare(ordered, Qt::CaseInsensitive) == 0;
        }
        if (named) current.columns_.insert(text(1));
    }
    settle();
    sqlite3_finalize(stmt);
    if (step != SQLITE_DONE) return std::nullopt; // the list read in part names no index surely
    return best;
}

const std::optional<TCoveringIndex>& TCoveringIndexCache::Find(sqlite3* db, const QString& table,
                                                              const QString& leading, const QStringList& wanted) {
    // The file's data version moves with every commit of any connection, a dropped or added
    // index among them; it is read without a statement.
    unsigned version = 0;
    const bool versioned = db && sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &version) == SQLITE_OK;
    kept_ = versioned && db == db_ && version == version_ && table == table_ && leading == leading_ &&
            wanted == wanted_;
    if (kept_) return index_;
    index_ = TCoveringIndex::Find(db, table, leading, wanted);
    db_ = versioned ? db : nullptr;
    version_ = version;
    table_ = table;
    leading_ = leading;
    wanted_ = wanted;
    return index_;
}

} // namespace tolvane
