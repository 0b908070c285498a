#include "grid/model/cells/KeyRadixSort.h"

#include <array>
#include <cstddef>
#include <utility>

namespace tolvane {

void RadixSortByKey(std::vector<std::uint64_t>& keys, std::vector<int>& rows) {
    constexpr int Bytes = 8;
    const std::size_t n = keys.size();
    // Every byte's counts in one reading of the keys.
    std::vector<std::array<std::size_t, 256>> counts(Bytes);
    for (auto& c : counts) c.fill(0);
    for (const std::uint64_t key : keys)
        for (int b = 0; b < Bytes; ++b) ++counts[std::size_t(b)][(key >> (8 * b)) & 0xFF];

    std::vector<std::uint64_t> keysTo(n);
    std::vector<int> rowsTo(n);
    for (int b = 0; b < Bytes; ++b) {
        std::array<std::size_t, 256>& count = counts[std::size_t(b)];
        // A byte all keys share leaves the order as it is.
        if (count[(keys.empty() ? 0 : keys[0] >> (8 * b)) & 0xFF] == n) continue;
        std::size_t start = 0;
        for (std::size_t& c : count) start += std::exchange(c, start);
        const int shift = 8 * b;
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t at = count[(keys[k] >> shift) & 0xFF]++;
            keysTo[at] = keys[k];
            rowsTo[at] = rows[k];
        }
        keys.swap(keysTo);
        rows.swap(rowsTo);
    }
}

} // namespace tolvane
