#include "app/copy/CatalogCopy.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <limits>
#include <vector>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/NewCatalog.h"
#include "app/RowReader.h"
#include "app/ServerConnection.h"
#include "app/SqlFailure.h"
#include "app/copy/ColumnArrays.h"

namespace tolvane {

namespace {

// Rows per INSERT into a file.
constexpr int kBatch = 200;
// Rows per INSERT into a server: one array a column (see TColumnArrays).
constexpr int kServerBatch = 5000;
// Rows read from the source per statement.
constexpr int kPart = 10000;

void Exec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) throw ECatalogError(TSqlFailure::Text(db, q.lastError()));
}

// A transaction for reading only, rolled back at its end.
class TReadTransaction {
public:
    explicit TReadTransaction(const QSqlDatabase& db) : db_(db) { Exec(db_, "BEGIN READ ONLY"); }
    ~TReadTransaction() { QSqlQuery(db_).exec("ROLLBACK"); }
    TReadTransaction(const TReadTransaction&) = delete;
    TReadTransaction& operator=(const TReadTransaction&) = delete;

private:
    QSqlDatabase db_;
};

QStringList StoredColumns(const TSourceDef& def) {
    QStringList columns;
    for (const TFieldDef& f : def.Fields)
        if (f.IsStored()) columns << TCatalogSchema::Quoted(f.Name);
    return columns;
}

// An INSERT of `rows` rows of the table's stored columns.
QString InsertOf(const TSourceDef& def, int rows) {
    const QStringList columns = StoredColumns(def);
    const QString row = "(" + QStringList(columns.size(), "?").join(", ") + ")";
    return "INSERT INTO " + TCatalogSchema::Quoted(def.Table) + " (" + columns.join(", ") + ") VALUES " +
           QStringList(rows, row).join(", ");
}

std::int64_t RowCount(TCatalogStore& source, const TSourceDef& def) {
    QSqlQuery q(source.Database());
    if (!q.exec("SELECT count(*) FROM " + TCatalogSchema::Quoted(def.Table)) || !q.next())
        throw ECatalogError(source.Failure(TSqlFailure::Text(source.Database(), q.lastError())));
    return q.value(0).toLongLong();
}

class TTableCopy {
public:
    TTableCopy(TCatalogStore& source, TNewCatalog& target, const TSourceDef& def)
        : source_(source), target_(target), def_(def), width_(int(StoredColumns(def).size())),
          batch_(target.OnServer() ? kServerBatch : kBatch) {}

    // Copies every row; returns how many. The source is read in parts, each one statement, so
    // that no statement outlives the connection's bound however slowly the target writes.
    std::int64_t Run(const std::function<void(std::int64_t)>& copied) {
        std::int64_t count = 0;
        const auto take = [&](const std::vector<TRowReader::TRow>& rows, int from) {
            for (const TRowReader::TRow& row : rows) {
                for (int c = 0; c < width_; ++c) pending_ << row[std::size_t(from + c)];
                if (pending_.size() == batch_ * width_) Flush();
                if (++count % 1000 == 0) copied(count);
            }
        };
        QSqlDatabase db = source_.Database();
        const QString columns = StoredColumns(def_).join(", ");
        const QString table = TCatalogSchema::Quoted(def_.Table);
        try {
            if (TServerConnection::IsServer(db)) {
                // A cursor in a read-only transaction: each fetch is a statement of its own.
                TReadTransaction transaction(db);
                Exec(db, "DECLARE tolvane_copy NO SCROLL CURSOR FOR SELECT " + columns + " FROM " + table +
                             " ORDER BY " + TCatalogSchema::Quoted(def_.KeyField));
                // (Qt's driver cannot prepare a FETCH: it runs unprepared.)
                for (;;) {
                    QSqlQuery fetch(db);
                    fetch.setForwardOnly(true);
                    if (!fetch.exec(QString("FETCH %1 FROM tolvane_copy").arg(kPart)))
                        throw ECatalogError(TSqlFailure::Text(db, fetch.lastError()));
                    std::vector<TRowReader::TRow> rows;
                    while (fetch.next()) {
                        TRowReader::TRow row(static_cast<std::size_t>(width_));
                        for (int c = 0; c < width_; ++c) row[std::size_t(c)] = fetch.value(c);
                        rows.push_back(std::move(row));
                    }
                    if (rows.empty()) break;
                    take(rows, 0);
                }
                Exec(db, "CLOSE tolvane_copy");
            } else {
                // In the order of SQLite's row numbers, from part to part.
                qlonglong last = std::numeric_limits<qlonglong>::min();
                for (;;) {
                    const auto rows =
                        TRowReader::Read(db,
                                         "SELECT rowid, " + columns + " FROM " + table +
                                             QString(" WHERE rowid > ? ORDER BY rowid LIMIT %1").arg(kPart),
                                         width_ + 1, Positions(), {QVariant::fromValue(last)});
                    if (rows.empty()) break;
                    last = rows.back()[0].toLongLong();
                    take(rows, 1);
                }
            }
        } catch (const ECatalogError& e) {
            const QString reason = QString::fromUtf8(e.what());
            if (reason.startsWith(target_.Shown() + ":")) throw;
            throw ECatalogError(source_.Failure(reason));
        }
        Flush();
        return count;
    }

private:
    void Flush() {
        if (pending_.isEmpty()) return;
        if (target_.OnServer())
            FlushToServer();
        else
            FlushToFile();
        pending_.clear();
    }

    void FlushToFile() {
        const int rows = int(pending_.size() / width_);
        QSqlQuery& insert = rows == kBatch ? full_ : last_;
        if (rows != kBatch || !fullReady_) {
            insert = QSqlQuery(target_.Database());
            if (!insert.prepare(InsertOf(def_, rows))) Fail(insert);
            if (rows == kBatch) fullReady_ = true;
        }
        for (int i = 0; i < pending_.size(); ++i) insert.bindValue(i, pending_[i]);
        if (!insert.exec()) Fail(insert);
    }

    // One statement for any number of rows, prepared once.
    void FlushToServer() {
        if (!fullReady_) {
            full_ = QSqlQuery(target_.Database());
            QString sql;
            try {
                sql = TColumnArrays::Insert(target_.Database(), def_);
            } catch (const ECatalogError& e) {
                const QString failure = target_.Failure(QString::fromUtf8(e.what()));
                target_.RollBack();
                throw ECatalogError(failure);
            }
            if (!full_.prepare(sql)) Fail(full_);
            fullReady_ = true;
        }
        int column = 0;
        for (const TFieldDef& f : def_.Fields)
            if (f.IsStored()) {
                full_.bindValue(column, TColumnArrays::Literal(pending_, width_, column, f.Kind));
                ++column;
            }
        if (!full_.exec()) Fail(full_);
    }

    // Result column c to row position c.
    std::vector<int> Positions() const {
        std::vector<int> positions;
        for (int c = 0; c <= width_; ++c) positions.push_back(c);
        return positions;
    }

    [[noreturn]] void Fail(const QSqlQuery& q) {
        // The first key of the rows that were refused tells the user where to look.
        const QString failure =
            target_.Failure(QString("\"%1\" from ID %2: %3")
                                .arg(def_.Table, pending_.value(0).toString(),
                                     TSqlFailure::Text(target_.Database(), q.lastError())));
        target_.RollBack();
        throw ECatalogError(failure);
    }

    TCatalogStore& source_;
    TNewCatalog& target_;
    const TSourceDef& def_;
    int width_;
    int batch_; // rows per INSERT
    QVariantList pending_;
    QSqlQuery full_, last_;
    bool fullReady_ = false;
};

} // namespace

TCopyCount TCatalogCopy::Run(const QString& sourceName, const QString& targetName,
                             const TProgress& progress) {
    // The target first: a target that is not empty is refused before the source is read.
    TNewCatalog target(targetName, TNewCatalog::TAccept::acEmptyCatalogue);
    TCatalogStore source;
    source.Open(sourceName, TOpenMode::omReadOnly);
    if (!target.HasSchema()) {
        try {
            QSqlDatabase db = target.Database();
            TCatalogSchema::Create(db);
        } catch (const ECatalogError& e) {
            throw ECatalogError(target.Failure(QString::fromUtf8(e.what())));
        }
    }
    const std::int64_t titles = RowCount(source, TCatalogSchema::Titles());
    const std::int64_t total = titles + RowCount(source, TCatalogSchema::Episodes());
    const auto report = [&](std::int64_t done) {
        if (progress) progress(done, total);
    };
    TCopyCount count;
    count.Titles = TTableCopy(source, target, TCatalogSchema::Titles()).Run(report);
    count.Episodes = TTableCopy(source, target, TCatalogSchema::Episodes()).Run([&](std::int64_t done) {
        report(count.Titles + done);
    });
    target.Commit();
    report(count.Titles + count.Episodes);
    return count;
}

} // namespace tolvane
