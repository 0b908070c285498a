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

} // namespace tolvane
