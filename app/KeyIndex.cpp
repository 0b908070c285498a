#include "app/KeyIndex.h"

#include <algorithm>

namespace tolvane {

TKeyIndex::TKeyIndex(std::vector<TEntry> entries) : entries_(std::move(entries)) {
    if (!std::is_sorted(entries_.begin(), entries_.end())) std::sort(entries_.begin(), entries_.end());
}

void TKeyIndex::Add(int row, std::int64_t key) {
    const TEntry entry{key, row};
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry);
    if (at == entries_.end() || *at != entry) entries_.insert(at, entry);
}

void TKeyIndex::Remove(int row, std::int64_t key) {
    const TEntry entry{key, row};
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry);
    if (at != entries_.end() && *at == entry) entries_.erase(at);
}

std::vector<int> TKeyIndex::Rows(std::int64_t key) const {
    const auto byKey = [](const TEntry& a, const TEntry& b) { return a.first < b.first; };
    const auto [first, last] = std::equal_range(entries_.begin(), entries_.end(), TEntry{key, 0}, byKey);
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(last - first));
    for (auto at = first; at != last; ++at) rows.push_back(at->second);
    return rows;
}

} // namespace tolvane
