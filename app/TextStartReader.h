#pragma once
// Reads the start of the texts of some columns of an SQLite table through SQLite's incremental
// blob reading: only the pages that hold the start are read, where a query (even `substr`) loads
// the whole value first. Useful only for a rowid table of a UTF-8 database; RowIdName says whether
// a table is one.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

struct sqlite3;
struct sqlite3_blob;
struct sqlite3_stmt;

namespace tolvane {

class TTextStartReader {
public:
    // The name under which a query reads the table's own row id, or an empty text where texts
    // cannot be read this way: a view, a virtual or WITHOUT ROWID table, a database that keeps its
    // texts in UTF-16, or a table whose columns take all three names of the row id.
    static QString RowIdName(sqlite3* db, const QString& table);

    // Reads texts of the columns of the table, at least `chars` characters of each where it has
    // more; fewer only where the whole text has fewer.
    TTextStartReader(sqlite3* db, QString table, QStringList columns, QString rowIdName, std::int64_t chars);
    ~TTextStartReader();
    TTextStartReader(const TTextStartReader&) = delete;
    TTextStartReader& operator=(const TTextStartReader&) = delete;

    // The starts of the texts of the columns `which` (positions in the columns given) of the row
    // with this row id, in that order; each value there must be a text. Throws ECatalogError with
    // SQLite's message when one cannot be read.
    std::vector<QString> Read(std::int64_t rowId, const std::vector<int>& which);

private:
    sqlite3_blob* Blob(int column, std::int64_t rowId);
    // The texts of short columns of a row that also holds a long text, read by one query.
    std::vector<QString> ReadWhole(std::int64_t rowId, const std::vector<int>& which);
    [[noreturn]] void Fail() const;

    sqlite3* db_;
    QString table_;
    QStringList columns_;
    QString rowIdName_;
    std::int64_t bytes_; // read at most: enough for `chars` characters of four bytes each
    std::vector<sqlite3_blob*> blobs_;
    std::map<std::vector<int>, sqlite3_stmt*> wholeReads_;
};

} // namespace tolvane
