#pragma once
// A stable sort of rows by 64-bit keys, least significant byte first: a pass per byte in which
// the keys differ, each moving every key and its row once. Rows of equal keys keep their order.

#include <cstdint>
#include <vector>

namespace tolvane {

// Sorts keys ascending, moving rows with them.
void RadixSortByKey(std::vector<std::uint64_t>& keys, std::vector<int>& rows);

} // namespace tolvane
