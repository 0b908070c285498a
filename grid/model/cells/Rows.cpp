#include "grid/model/cells/Rows.h"

#include <algorithm>
#include <string>

#include "grid/base/Errors.h"

namespace tolvane {

namespace {
// Heights past what a record holds all show as the geometry's largest row anyway.
TRow Record(int height) {
    return TRow{std::clamp(height, 0, TRow::MaxHeight), false};
}

void Check(int index, int count, const char* operation) {
    if (index < 0 || index >= count)
        throw EListError(std::string(operation) + ": row record index out of bounds (" +
                         std::to_string(index) + "), record count " + std::to_string(count));
}
} // namespace

TRow& TRows::Items(int index) {
    Check(index, Count(), "Rows");
    return rows_[std::size_t(index)];
}

const TRow& TRows::Items(int index) const {
    Check(index, Count(), "Rows");
    return rows_[std::size_t(index)];
}

void TRows::Add(int count, int height) {
    if (count > 0) rows_.insert(rows_.end(), std::size_t(count), Record(height));
}

void TRows::Insert(int index, int height) {
    if (index < 0 || index > Count())
        throw EListError("InsertRow: row record index out of bounds (" + std::to_string(index) + ")");
    rows_.insert(rows_.begin() + index, Record(height));
}

void TRows::Delete(int index) {
    Check(index, Count(), "DeleteRow");
    rows_.erase(rows_.begin() + index);
}

void TRows::Move(int from, int to) {
    Check(from, Count(), "MoveRow");
    Check(to, Count(), "MoveRow");
    if (from < to)
        std::rotate(rows_.begin() + from, rows_.begin() + from + 1, rows_.begin() + to + 1);
    else if (from > to)
        std::rotate(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
}

void TRows::Clear() {
    std::vector<TRow>().swap(rows_);
}

} // namespace tolvane
