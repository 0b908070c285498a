#include "app/RowReader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/CatalogError.h"
#include "app/SqlFailure.h"
#include "app/SqliteHandle.h"
#include "app/StatementCache.h"

namespace tolvane {

namespace {

class TStatement {
public:
    TStatement(sqlite3* db, const QString& sql, TStatementCache* cache) : db_(db) {
        if (cache && (stmt_ = cache->Sqlite(db, sql))) {
            cached_ = true;
            return;
        }
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr) !=
            SQLITE_OK)
            Fail();
    }
    // A kept statement is reset, so that it holds no read open on the file between reads.
    ~TStatement() { cached_ ? void(sqlite3_reset(stmt_)) : void(sqlite3_finalize(stmt_)); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    sqlite3_stmt* Get() const { return stmt_; }
    [[noreturn]] void Fail() const { throw ECatalogError(TSqlFailure::Text(db_)); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool cached_ = false;
};

// The short texts of one column that repeat from row to row (a kind, a count, a language), kept
// so that each repetition shares one text instead of converting and holding its own copy.
class TTextPool {
public:
    QString Text(const char* utf8, int size) {
        if (size > kLongest || off_) return QString::fromUtf8(utf8, size);
        const std::string_view bytes(utf8, static_cast<std::size_t>(size));
        const auto found = texts_.find(bytes);
        if (found != texts_.end()) {
            ++hits_;
            return found->second;
        }
        // A column of texts that seldom repeat (names) is not worth the look-ups.
        if (++misses_ > kMost && misses_ > hits_) off_ = true;
        QString text = QString::fromUtf8(utf8, size);
        if (texts_.size() < kMost) texts_.emplace(std::string(bytes), text);
        return text;
    }

private:
    static constexpr int kLongest = 15;
    static constexpr std::size_t kMost = 256;
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, THash, std::equal_to<>> texts_;
    std::size_t hits_ = 0;
    std::size_t misses_ = 0;
    bool off_ = false;
};

QVariant ColumnValue(sqlite3_stmt* stmt, int c, TTextPool& pool) {
    switch (sqlite3_column_type(stmt, c)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, c));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(stmt, c);
        return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt, c)));
    }
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default: {
        // SQLite keeps text as UTF-8: converting it here saves a converted copy inside SQLite.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
        return QVariant(pool.Text(text, sqlite3_column_bytes(stmt, c)));
    }
    }
}

} // namespace

std::vector<TRowReader::TRow> TRowReader::Read(const QSqlDatabase& db, const QString& sql, int width,
                                               const std::vector<int>& columns, const QVariantList& values,
                                               TOrderCheck* order, TStatementCache* cache,
                                               const TRowCompletion& complete) {
    std::vector<TRow> rows;
    ReadEach(db, sql, width, columns, values, cache, complete, [&](TRow&& row) {
        if (order && order->Ordered && !rows.empty() && order->Less(row, rows.back())) order->Ordered = false;
        rows.push_back(std::move(row));
    });
    return rows;
}

void TRowReader::ReadEach(const QSqlDatabase& db, const QString& sql, int width, const std::vector<int>& columns,
                          const QVariantList& values, TStatementCache* cache, const TRowCompletion& complete,
                          const TRowSink& take) {
    const TRowSink completed = [&](TRow&& row) {
        if (complete) complete(row);
        take(std::move(row));
    };
    if (sqlite3* handle = SqliteHandle(db))
        ReadDirect(handle, sql, width, columns, values, cache, completed);
    else
        ReadByQuery(db, sql, width, columns, values, cache, completed);
}

void TRowReader::ReadDirect(void* handle, const QString& sql, int width, const std::vector<int>& columns,
                            const QVariantList& values, TStatementCache* cache, const TRowSink& take) {
    TStatement statement(static_cast<sqlite3*>(handle), sql, cache);
    sqlite3_stmt* stmt = statement.Get();
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        int bound;
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
            bound = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else {
            const QByteArray text = v.toString().toUtf8();
            bound = sqlite3_bind_text(stmt, i + 1, text.constData(), static_cast<int>(text.size()),
                                      SQLITE_TRANSIENT);
        }
        if (bound != SQLITE_OK) statement.Fail();
    }
    const int count = std::min(static_cast<int>(columns.size()), sqlite3_column_count(stmt));
    std::vector<TTextPool> pools(static_cast<std::size_t>(std::max(count, 0)));
    int step;
    // Columns read in field order fill each row as they come, without empty values replaced.
    bool inOrder = count == width;
    for (int c = 0; inOrder && c < count; ++c) inOrder = columns[c] == c;
    // One row's storage serves every row a taker copies rather than keeps.
    TRow row;
    while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
        row.clear();
        if (inOrder) {
            row.reserve(static_cast<std::size_t>(width));
            for (int c = 0; c < count; ++c) row.push_back(ColumnValue(stmt, c, pools[c]));
        } else {
            row.resize(static_cast<std::size_t>(width));
            for (int c = 0; c < count; ++c) row[columns[c]] = ColumnValue(stmt, c, pools[c]);
        }
        take(std::move(row));
    }
    if (step != SQLITE_DONE) statement.Fail();
}

void TRowReader::ReadByQuery(const QSqlDatabase& db, const QString& sql, int width, const std::vector<int>& columns,
                             const QVariantList& values, TStatementCache* cache, const TRowSink& take) {
    QSqlQuery* kept = cache ? cache->Query(db, sql) : nullptr;
    if (kept) {
        for (int i = 0; i < values.size(); ++i) kept->bindValue(i, values[i]);
        if (!kept->exec()) {
            // Prepared before the table changed under it: prepared anew below.
            cache->Forget(sql);
            kept = nullptr;
        }
    }
    std::optional<QSqlQuery> own;
    if (!kept) {
        own.emplace(db);
        own->setForwardOnly(true);
        if (!own->prepare(sql)) throw ECatalogError(TSqlFailure::Text(db, own->lastError()));
        for (const QVariant& v : values) own->addBindValue(v);
        if (!own->exec()) throw ECatalogError(TSqlFailure::Text(db, own->lastError()));
    }
    QSqlQuery& q = kept ? *kept : *own;
    while (q.next()) {
        TRow row(width);
        for (std::size_t c = 0; c < columns.size(); ++c) row[columns[c]] = q.value(static_cast<int>(c));
        take(std::move(row));
    }
    // A read that breaks off is a failure, not a shorter result.
    if (q.lastError().isValid()) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
    q.finish();
}

} // namespace tolvane
