#include "grid/display/markup/MarkupLayoutCache.h"

#include <utility>

namespace tolvane {

const TMarkupLayout* TMarkupLayoutCache::Find(const QString& text) {
    if (auto it = newer_.constFind(text); it != newer_.constEnd()) return &*it;
    auto old = older_.find(text);
    if (old == older_.end()) return nullptr;
    TMarkupLayout layout = std::move(*old);
    older_.erase(old);
    return &Store(std::move(layout));
}

const TMarkupLayout& TMarkupLayoutCache::Store(TMarkupLayout layout) {
    if (newer_.size() >= Capacity && !newer_.contains(layout.Text)) older_ = std::exchange(newer_, {});
    const QString key = layout.Text;
    return *newer_.emplace(key, std::move(layout)); // moved, not copied
}

void TMarkupLayoutCache::Clear() {
    newer_.clear();
    older_.clear();
}

} // namespace tolvane
