#pragma once
// One field of a record source's rows as a search compares it (ASCII text as it stands, other
// text folded, see TTextFold), with the rows ordered by that text once a search asks: the rows
// a prefix selects are then one range of that order, found by two binary searches, so that a
// keystroke costs what it lists rather than a pass over every row.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

namespace tolvane {

class TFoldedColumn {
public:
    // The field's values, row by row.
    void Assign(const std::vector<const QVariant*>& values);
    // The same, read row by row from where they are held.
    void Assign(int count, const std::function<QVariant(int)>& valueAt);
    void Clear();
    int Field() const { return field_; }
    void SetField(int field) { field_ = field; }
    bool Empty() const { return entries_.empty(); }

    // A row's value changed.
    void Set(int row, const QVariant& value);
    // Whether the row's text begins with the folded prefix.
    bool StartsWith(int row, const QString& foldedPrefix) const;
    // The rows whose text begins with the folded prefix, in row order.
    std::vector<int> RowsWithPrefix(const QString& foldedPrefix);

private:
    enum class TKind : unsigned char { fkNull, fkAscii, fkFolded };
    struct TEntry {
        QString Text;
        TKind Kind = TKind::fkNull;
    };
    static TEntry Entry(const QVariant& value);
    // Compares the entry's folded text with a folded text, over at most `limit` code units.
    static int Compare(const TEntry& entry, const QString& folded, qsizetype limit);
    static bool Less(const TEntry& a, const TEntry& b);
    static std::uint64_t Head(const TEntry& entry);
    void Order();

    int field_ = -1;
    std::vector<TEntry> entries_;
    // The rows with a text, by folded text; empty while no search needs it.
    std::vector<int> order_;
    bool ordered_ = false;
};

} // namespace tolvane
