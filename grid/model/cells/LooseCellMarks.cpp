#include "grid/model/cells/LooseCellMarks.h"

#include <mutex>
#include <unordered_map>

namespace tolvane {

namespace {

std::mutex& StyleMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<const TCell*, std::uint8_t>& Styles() {
    static std::unordered_map<const TCell*, std::uint8_t> styles;
    return styles;
}

} // namespace

std::atomic<std::size_t> TLooseCellMarks::styled_{0};

void TLooseCellMarks::SetFontStyle(const TCell* cell, std::uint8_t bits) {
    std::lock_guard lock(StyleMutex());
    auto& styles = Styles();
    if (bits) {
        styles[cell] = bits;
    } else {
        styles.erase(cell);
    }
    styled_.store(styles.size(), std::memory_order_relaxed);
}

std::uint8_t TLooseCellMarks::Find(const TCell* cell) {
    std::lock_guard lock(StyleMutex());
    const auto it = Styles().find(cell);
    return it == Styles().end() ? 0 : it->second;
}

void TLooseCellMarks::Erase(const TCell* cell) {
    std::lock_guard lock(StyleMutex());
    if (Styles().erase(cell)) styled_.store(Styles().size(), std::memory_order_relaxed);
}

} // namespace tolvane
