#pragma once
// Rows of one width held side by side: the values of 1 024 rows in one block, so that a row
// costs its values and nothing else (no allocation and no vector of its own), and growing the
// table never copies the rows already held.

#include <QVariant>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace tolvane {

class TRowTable {
public:
    using TRow = std::vector<QVariant>;
    using TRowView = std::span<QVariant>;
    using TConstRowView = std::span<const QVariant>;

    TRowTable() = default;
    TRowTable(TRowTable&&) noexcept = default;
    TRowTable& operator=(TRowTable&&) noexcept = default;
    TRowTable(const TRowTable&) = delete;
    TRowTable& operator=(const TRowTable&) = delete;

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The values of a row; the first row added sets the width of every row.
    TRowView operator[](std::size_t row) { return {At(row), width_}; }
    TConstRowView operator[](std::size_t row) const { return {At(row), width_}; }
    // A copy of a row's values.
    TRow Row(std::size_t row) const;

    // A row of the table's width (a shorter one is padded with empty values; a longer one is
    // refused with EListError).
    void push_back(TRow row);
    // Puts a row before `at`, moving the rows after it down by one.
    void Insert(std::size_t at, TRow row);
    // Replaces a row's values.
    void Assign(std::size_t row, TRow values);
    // Puts the rows in order, rows that compare equal keeping theirs.
    void StableSort(const std::function<bool(TConstRowView, TConstRowView)>& less);

private:
    static constexpr std::size_t kBlockRows = 1024;
    QVariant* At(std::size_t row) const;
    void Fill(QVariant* to, TRow& row);

    std::size_t width_ = 0;
    std::size_t count_ = 0;
    std::vector<std::unique_ptr<QVariant[]>> blocks_;
};

} // namespace tolvane
