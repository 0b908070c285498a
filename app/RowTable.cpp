#include "app/RowTable.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>

#include "grid/base/Errors.h"

namespace tolvane {

QVariant* TRowTable::At(std::size_t row) const {
    return blocks_[row / kBlockRows].get() + (row % kBlockRows) * width_;
}

TRowTable::TRow TRowTable::Row(std::size_t row) const {
    const TConstRowView values = (*this)[row];
    return TRow(values.begin(), values.end());
}

void TRowTable::Fill(QVariant* to, TRow& row) {
    if (row.size() > width_)
        throw EListError("Row width out of bounds (" + std::to_string(row.size()) + " of " + std::to_string(width_) +
                         ")");
    std::size_t c = 0;
    for (; c < row.size(); ++c) to[c] = std::move(row[c]);
    for (; c < width_; ++c) to[c] = QVariant();
}

void TRowTable::push_back(TRow row) {
    if (count_ == 0 && blocks_.empty()) width_ = row.size();
    if (count_ == blocks_.size() * kBlockRows)
        blocks_.push_back(std::make_unique<QVariant[]>(kBlockRows * std::max<std::size_t>(width_, 1)));
    Fill(At(count_), row);
    ++count_;
}

void TRowTable::Insert(std::size_t at, TRow row) {
    CheckListIndex(static_cast<long long>(at), static_cast<long long>(count_) + 1, "Row");
    if (count_ == 0) {
        push_back(std::move(row));
        return;
    }
    push_back(TRow{});
    for (std::size_t r = count_ - 1; r > at; --r) {
        QVariant* to = At(r);
        QVariant* from = At(r - 1);
        for (std::size_t c = 0; c < width_; ++c) to[c] = std::move(from[c]);
    }
    Fill(At(at), row);
}

void TRowTable::Assign(std::size_t row, TRow values) {
    CheckListIndex(static_cast<long long>(row), static_cast<long long>(count_), "Row");
    Fill(At(row), values);
}

void TRowTable::StableSort(const std::function<bool(TConstRowView, TConstRowView)>& less) {
    std::vector<std::size_t> order(count_);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return less((*this)[a], (*this)[b]); });
    TRowTable sorted;
    sorted.width_ = width_;
    for (const std::size_t r : order) {
        const TRowView values = (*this)[r];
        sorted.push_back(TRow(std::make_move_iterator(values.begin()), std::make_move_iterator(values.end())));
    }
    *this = std::move(sorted);
}

} // namespace tolvane
