#pragma once
// An index of an SQLite table that leads with one column and keeps copies of others. A query that
// selects rows by the leading column reads those copies from the index and never reaches them in
// the table's row: in a row that holds a long text, the values stored after the text are reached
// only through the whole chain of the text's pages, where in the index they are a few bytes away.

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3;

namespace tolvane {

class TCoveringIndex {
public:
    // Of the indexes of the whole table (a partial one lacks rows) that lead with the column in
    // its own collation, the one that keeps the most of the wanted columns; nothing when none does.
    static std::optional<TCoveringIndex> Find(sqlite3* db, const QString& table, const QString& leading,
                                              const QStringList& wanted);

    const QString& Name() const { return name_; }
    bool Holds(const QString& column) const { return columns_.contains(column); }

private:
    QString name_;
    QSet<QString> columns_;
};

// The answer of TCoveringIndex::Find for one connection, kept until the file changes: looking the
// index up reads the schema's lists, which cost more than the keyed read it serves.
class TCoveringIndexCache {
public:
    const std::optional<TCoveringIndex>& Find(sqlite3* db, const QString& table, const QString& leading,
                                              const QStringList& wanted);
    // Whether the last Find answered from what was kept rather than from the schema.
    bool Kept() const { return kept_; }
    void Forget() { db_ = nullptr; }

private:
    sqlite3* db_ = nullptr;
    unsigned version_ = 0;
    QString table_, leading_;
    QStringList wanted_;
    std::optional<TCoveringIndex> index_;
    bool kept_ = false;
};

} // namespace tolvane
