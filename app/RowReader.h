#pragma once
// Reads the rows of a query into memory, straight from SQLite where the connection is SQLite's,
// so that a catalogue of many thousand titles opens without a QVariant round trip per value.

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace tolvane {

class TStatementCache;

class TRowReader {
public:
    using TRow = std::vector<QVariant>;

    // Whether the rows come in an order, found while each row is at hand: Ordered stays true
    // unless some row is Less than the one before it.
    struct TOrderCheck {
        std::function<bool(const TRow&, const TRow&)> Less;
        bool Ordered = true;
    };

    // Completes each row while the query is still on it, so that what it reads besides the query
    // (SQLite's blob reading) sees the same state of the database.
    using TRowCompletion = std::function<void(TRow&)>;

    // Runs a query with its parameters bound in order (whole numbers and texts). Column c of the result goes
    // to position columns[c] of a row of `width` values; the other positions stay empty. Values read as the
    // Qt driver reads them: 64-bit integers, doubles, texts, byte arrays and typed nulls. Throws
    // ECatalogError with the database's message. With a cache, the statement prepared by an earlier
    // read of the same query on the same connection is run again.
    static std::vector<TRow> Read(const QSqlDatabase& db, const QString& sql, int width,
                                  const std::vector<int>& columns, const QVariantList& values = {},
                                  TOrderCheck* order = nullptr, TStatementCache* cache = nullptr,
                                  const TRowCompletion& complete = nullptr);

    // The same, each row handed over (completed) as it is read instead of kept in a list.
    using TRowSink = std::function<void(TRow&&)>;
    static void ReadEach(const QSqlDatabase& db, const QString& sql, int width, const std::vector<int>& columns,
                         const QVariantList& values, TStatementCache* cache, const TRowCompletion& complete,
                         const TRowSink& take);

private:
    static void ReadDirect(void* handle, const QString& sql, int width, const std::vector<int>& columns,
                           const QVariantList& values, TStatementCache* cache, const TRowSink& take);
    static void ReadByQuery(const QSqlDatabase& db, const QString& sql, int width, const std::vector<int>& columns,
                            const QVariantList& values, TStatementCache* cache, const TRowSink& take);
};

} // namespace tolvane
