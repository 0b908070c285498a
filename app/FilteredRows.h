#pragma once
// Which rows of a record source its filter shows, with the indexes that answer a filter over
// many rows at once: the folded texts of one field for prefix filters, and rows by number for
// "=" filters on numeric fields. The rows stay the source's; this holds positions into them and
// follows their changes.

#include <QVariant>
#include <unordered_map>
#include <vector>

#include "app/FieldDef.h"
#include "app/FilterExpression.h"
#include "app/FoldedColumn.h"
#include "app/KeyIndex.h"
#include "app/RowTable.h"

namespace tolvane {

class TFilteredRows {
public:
    using TRow = std::vector<QVariant>;
    using TRows = TRowTable;

    explicit TFilteredRows(const TSourceDef& def) : def_(def) {}
    TFilteredRows(const TFilteredRows&) = delete;
    TFilteredRows& operator=(const TFilteredRows&) = delete;

    // The rows were read anew: every index is dropped and every row shown.
    void Reset();
    // Shows the rows the filter selects, every row without one. `complete`: the rows are the
    // whole table, so that an index over them answers for it.
    void Select(const TRows& rows, const TFilterExpression* filter, bool complete);
    // Whether the shown rows are what the last selection selects from the rows as they are now.
    bool Applied() const { return applied_; }

    int Count(const TRows& rows) const { return static_cast<int>(allRows_ ? rows.size() : view_.size()); }
    // The row at a 0-based position among the shown ones.
    int Row(int position) const { return allRows_ ? position : view_[position]; }

    // A stored row changed from `before` to what it holds now; the shown rows stay as they are
    // until the next selection.
    void RowStored(const TRows& rows, int row, const TRow& before);
    // A field of a row was read again (a text read cut, now whole): the folded texts follow.
    void FieldRead(const TRows& rows, int row, int field);

private:
    bool Matches(const TRows& rows, const TFilterExpression& filter, int row);
    // The folded column of the field, made when a prefix filter first asks for it.
    TFoldedColumn& FoldedColumn(const TRows& rows, int field);
    const TKeyIndex& KeyIndex(const TRows& rows, int field);

    const TSourceDef& def_;
    // Every row in order, or the rows in view_.
    bool allRows_ = true;
    std::vector<int> view_;
    bool applied_ = false;
    // One field as prefix filters compare it.
    TFoldedColumn folded_;
    // Rows by the value of a numeric field.
    std::unordered_map<int, TKeyIndex> keyIndexes_;
};

} // namespace tolvane
