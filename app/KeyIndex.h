#pragma once
// The rows of a source by the whole-number value of one field, so that an "=" filter finds its
// rows without reading every row. Each key's rows come in ascending order, the source's order.
// Rows whose field is null are not in it: "=" never matches them.

#include <cstdint>
#include <utility>
#include <vector>

namespace tolvane {

class TKeyIndex {
public:
    using TEntry = std::pair<std::int64_t, int>; // key, row

    TKeyIndex() = default;
    // Entries in any order; rows read in key order need no sorting.
    explicit TKeyIndex(std::vector<TEntry> entries);

    void Add(int row, std::int64_t key);
    void Remove(int row, std::int64_t key);
    // The rows with this key, ascending.
    std::vector<int> Rows(std::int64_t key) const;

private:
    // Sorted by key, then row: one flat array, without an allocation per key.
    std::vector<TEntry> entries_;
};

} // namespace tolvane
