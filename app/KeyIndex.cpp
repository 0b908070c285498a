#include "app/KeyIndex.h"

#include <algorithm>

namespace tolvane {

void TKeyIndex::Add(int row, std::int64_t key) {
    std::vector<int>& rows = rows_[key];
    // Rows arrive in ascending order while the index is built; a stored edit's may not.
    if (rows.empty() || rows.back() < row)
        rows.push_back(row);
    else
        rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void TKeyIndex::Remove(int row, std::int64_t key) {
    const auto found = rows_.find(key);
    if (found == rows_.end()) return;
    std::vector<int>& rows = found->second;
    const auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at != rows.end() && *at == row) rows.erase(at);
    if (rows.empty()) rows_.erase(found);
}

const std::vector<int>& TKeyIndex::Rows(std::int64_t key) const {
    static const std::vector<int> none;
    const auto found = rows_.find(key);
    return found == rows_.end() ? none : found->second;
}

} // namespace tolvane
