#include "grid/model/cells/CellAttributes.h"

#include <algorithm>

namespace tolvane {

std::uint8_t TCellAttributes::ColorIndex(TColor color) {
    const auto it = std::find(palette_.begin(), palette_.end(), color);
    if (it != palette_.end()) return std::uint8_t(it - palette_.begin());
    if (palette_.size() >= Unlisted) return Unlisted;
    palette_.push_back(color);
    return std::uint8_t(palette_.size() - 1);
}

TColor TCellAttributes::UnlistedColor(const TCell* cell) const {
    const auto it = unlistedColors_.find(cell);
    return it == unlistedColors_.end() ? clWindow : it->second;
}

const TBitmap* TCellAttributes::Picture(const TCell* cell) const {
    const auto it = extras_.find(cell);
    return it == extras_.end() ? nullptr : it->second.Picture;
}

const std::string* TCellAttributes::Hint(const TCell* cell) const {
    const auto it = extras_.find(cell);
    return it == extras_.end() ? nullptr : &it->second.Hint;
}

bool TCellAttributes::SetPicture(const TCell* cell, const TBitmap* picture) {
    auto it = extras_.find(cell);
    if (it == extras_.end()) {
        if (!picture) return false;
        it = extras_.emplace(cell, TExtras{}).first;
    }
    it->second.Picture = picture;
    return DropIfEmpty(it);
}

bool TCellAttributes::SetHint(const TCell* cell, const std::string& hint) {
    auto it = extras_.find(cell);
    if (it == extras_.end()) {
        if (hint.empty()) return false;
        it = extras_.emplace(cell, TExtras{}).first;
    }
    it->second.Hint = hint;
    return DropIfEmpty(it);
}

bool TCellAttributes::DropIfEmpty(std::unordered_map<const TCell*, TExtras>::iterator it) {
    if (it->second.Picture || !it->second.Hint.empty()) return true;
    extras_.erase(it);
    return false;
}

void TCellAttributes::Forget(const TCell* cell) {
    unlistedColors_.erase(cell);
    extras_.erase(cell);
}

} // namespace tolvane
