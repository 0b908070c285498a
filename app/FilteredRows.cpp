#include "app/FilteredRows.h"

#include <cstdint>
#include <optional>

#include "app/CheckedUpdate.h"
#include "app/FieldValues.h"

namespace tolvane {

void TFilteredRows::Reset() {
    folded_.Clear();
    keyIndexes_.clear();
    allRows_ = true;
    view_.clear();
    applied_ = false;
}

void TFilteredRows::Select(const TRows& rows, const TFilterExpression* filter, bool complete) {
    view_.clear();
    allRows_ = !filter;
    if (!filter) {
        // Every row in order needs no list of positions.
    } else if (filter->Type() == TFilterType::ftEquals && def_.Fields[filter->Field()].IsNumeric()) {
        if (filter->HasNumber() && complete) {
            view_ = KeyIndex(rows, filter->Field()).Rows(filter->Number());
        } else if (filter->HasNumber()) {
            for (int r = 0; r < static_cast<int>(rows.size()); ++r)
                if (Matches(rows, *filter, r)) view_.push_back(r);
        }
    } else if (filter->Type() == TFilterType::ftPrefix) {
        view_ = FoldedColumn(rows, filter->Field()).RowsWithPrefix(filter->FoldedValue());
    } else {
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            if (Matches(rows, *filter, r)) view_.push_back(r);
    }
    applied_ = true;
}

void TFilteredRows::RowStored(const TRows& rows, int row, const TRow& before) {
    const TRowTable::TConstRowView after = rows[row];
    if (folded_.Field() >= 0) folded_.Set(row, after[folded_.Field()]);
    applied_ = false;
    for (auto& [field, index] : keyIndexes_) {
        if (SameStoredValue(before[field], after[field])) continue;
        if (const std::optional<std::int64_t> key = TFieldValues::KeyOf(before[field])) index.Remove(row, *key);
        if (const std::optional<std::int64_t> key = TFieldValues::KeyOf(after[field])) index.Add(row, *key);
    }
}

void TFilteredRows::FieldRead(const TRows& rows, int row, int field) {
    if (folded_.Field() == field) folded_.Set(row, rows[row][field]);
}

TFoldedColumn& TFilteredRows::FoldedColumn(const TRows& rows, int field) {
    if (folded_.Field() != field) {
        folded_.Assign(int(rows.size()), [&](int row) { return rows.Value(std::size_t(row), std::size_t(field)); });
        folded_.SetField(field);
    }
    return folded_;
}

bool TFilteredRows::Matches(const TRows& rows, const TFilterExpression& filter, int row) {
    // Only the folded texts are read, not the rows.
    if (filter.Type() == TFilterType::ftPrefix)
        return FoldedColumn(rows, filter.Field()).StartsWith(row, filter.FoldedValue());
    const QVariant& value = rows[row][filter.Field()];
    if (value.isNull()) return false;
    if (def_.Fields[filter.Field()].IsNumeric()) {
        const std::optional<std::int64_t> key = TFieldValues::KeyOf(value);
        return filter.HasNumber() && key && *key == filter.Number();
    }
    return value.toString() == filter.Value();
}

const TKeyIndex& TFilteredRows::KeyIndex(const TRows& rows, int field) {
    const auto found = keyIndexes_.find(field);
    if (found != keyIndexes_.end()) return found->second;
    std::vector<TKeyIndex::TEntry> entries;
    entries.reserve(rows.size());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        if (const std::optional<std::int64_t> key = TFieldValues::KeyOf(rows[r][field])) entries.emplace_back(*key, r);
    return keyIndexes_.emplace(field, TKeyIndex(std::move(entries))).first->second;
}

} // namespace tolvane
