#pragma once
// The rows of a source by the whole-number value of one field, so that an "=" filter finds its
// rows without reading every row. Each key's rows stay in ascending order, the source's order.
// Rows whose field is null are not in it: "=" never matches them.

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tolvane {

class TKeyIndex {
public:
    void Add(int row, std::int64_t key);
    void Remove(int row, std::int64_t key);
    // The rows with this key, ascending.
    const std::vector<int>& Rows(std::int64_t key) const;

private:
    std::unordered_map<std::int64_t, std::vector<int>> rows_;
};

} // namespace tolvane
