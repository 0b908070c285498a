#include "app/TextStartReader.h"

#include <QByteArray>
#include <QStringList>
#include <sqlite3.h>

#include <algorithm>
#include <limits>

#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/SqlFailure.h"

namespace tolvane {

namespace {

// The first column of each row a query with one text parameter answers.
QStringList Texts(sqlite3* db, const char* sql, const QString& parameter = {}) {
    sqlite3_stmt* stmt = nullptr;
    QStringList texts;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) return texts;
    const QByteArray bound = parameter.toUtf8();
    if (sqlite3_bind_parameter_count(stmt) == 0 ||
        sqlite3_bind_text(stmt, 1, bound.constData(), int(bound.size()), SQLITE_STATIC) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            texts << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return texts;
}

// The length of `bytes` without a character cut short at its end.
qsizetype WholeCharacters(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    qsizetype start = size;
    while (start > 0 && size - start < 4 && (static_cast<unsigned char>(bytes[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0) return size;
    const auto lead = static_cast<unsigned char>(bytes[start - 1]);
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return start - 1 + length > size ? start - 1 : size;
}

} // namespace

QString TTextStartReader::RowIdName(sqlite3* db, const QString& table) {
    if (!db || Texts(db, "PRAGMA main.encoding") != QStringList{"UTF-8"}) return {};
    const QStringList kind =
        Texts(db, "SELECT type || ':' || wr FROM pragma_table_list WHERE schema = 'main' AND name = ?", table);
    if (kind != QStringList{"table:0"}) return {};
    // A column may take a name of the row id, which then reads the column instead.
    const QStringList columns =
        Texts(db, "SELECT lower(name) FROM pragma_table_xinfo WHERE schema = 'main' AND arg = ?", table);
    for (const char* name : {"rowid", "_rowid_", "oid"})
        if (!columns.contains(name)) return name;
    return {};
}

TTextStartReader::TTextStartReader(sqlite3* db, QString table, QStringList columns, QString rowIdName,
                                   std::int64_t chars)
    : db_(db), table_(std::move(table)), columns_(std::move(columns)), rowIdName_(std::move(rowIdName)),
      bytes_(std::clamp<std::int64_t>(chars * 4, 4, std::numeric_limits<int>::max())),
      blobs_(static_cast<std::size_t>(columns_.size()), nullptr) {}

TTextStartReader::~TTextStartReader() {
    for (sqlite3_blob* blob : blobs_) sqlite3_blob_close(blob);
    for (auto& [which, stmt] : wholeReads_) sqlite3_finalize(stmt);
}

void TTextStartReader::Fail() const {
    throw ECatalogError(TSqlFailure::Text(db_));
}

sqlite3_blob* TTextStartReader::Blob(int column, std::int64_t rowId) {
    sqlite3_blob*& blob = blobs_[static_cast<std::size_t>(column)];
    if (blob) {
        if (sqlite3_blob_reopen(blob, rowId) == SQLITE_OK) return blob;
        sqlite3_blob_close(blob); // no longer usable
        blob = nullptr;
        Fail();
    }
    if (sqlite3_blob_open(db_, "main", table_.toUtf8().constData(), columns_[column].toUtf8().constData(), rowId, 0,
                          &blob) != SQLITE_OK)
        Fail();
    return blob;
}

std::vector<QString> TTextStartReader::Read(std::int64_t rowId, const std::vector<int>& which) {
    std::vector<QString> texts(which.size());
    std::vector<int> sizes;
    bool anyLong = false;
    for (int column : which) {
        sizes.push_back(sqlite3_blob_bytes(Blob(column, rowId)));
        anyLong = anyLong || sizes.back() > bytes_;
    }
    // Each blob walks a long text's chain of pages anew to reach a text stored after it: the
    // short texts of a row with a long one are read by one query, which walks it once.
    std::vector<int> shortOnes, shortAt;
    for (std::size_t k = 0; k < which.size(); ++k) {
        const int stored = sizes[k];
        if (anyLong && stored <= bytes_) {
            shortOnes.push_back(which[k]);
            shortAt.push_back(static_cast<int>(k));
            continue;
        }
        QByteArray start(static_cast<qsizetype>(std::min<std::int64_t>(stored, bytes_)), Qt::Uninitialized);
        if (!start.isEmpty() &&
            sqlite3_blob_read(blobs_[static_cast<std::size_t>(which[k])], start.data(), int(start.size()), 0) !=
                SQLITE_OK)
            Fail();
        if (start.size() < stored) start.truncate(WholeCharacters(start));
        texts[k] = QString::fromUtf8(start);
    }
    if (!shortOnes.empty()) {
        std::vector<QString> whole = ReadWhole(rowId, shortOnes);
        for (std::size_t k = 0; k < whole.size(); ++k) texts[static_cast<std::size_t>(shortAt[k])] = std::move(whole[k]);
    }
    return texts;
}

std::vector<QString> TTextStartReader::ReadWhole(std::int64_t rowId, const std::vector<int>& which) {
    sqlite3_stmt*& stmt = wholeReads_[which];
    if (!stmt) {
        QStringList columns;
        for (int column : which) columns << TCatalogSchema::Quoted(columns_[column]);
        const QByteArray sql = ("SELECT " + columns.join(", ") + " FROM " + TCatalogSchema::Quoted(table_) +
                                " WHERE " + rowIdName_ + " = ?")
                                   .toUtf8();
        if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
            wholeReads_.erase(which);
            Fail();
        }
    }
    std::vector<QString> texts;
    sqlite3_bind_int64(stmt, 1, rowId);
    if (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < int(which.size()); ++c)
            texts.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                              sqlite3_column_bytes(stmt, c)));
    const bool read = texts.size() == which.size();
    if (sqlite3_reset(stmt) != SQLITE_OK || !read) Fail();
    return texts;
}

} // namespace tolvane
