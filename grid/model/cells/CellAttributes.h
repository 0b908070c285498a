#pragma once
// What a store keeps for its cells beside their values: the palette their colour indices point
// into, the colours beyond it, and the pictures and hints of the few cells that have one.
// Keeping these out of the cells saves 20 bytes on each of a million cells.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "grid/base/Types.h"

namespace tolvane {

class TBitmap;
class TCell;

class TCellAttributes {
public:
    // The index a cell holds when its colour is kept in the table of other colours.
    static constexpr std::uint8_t Unlisted = 255;

    // The palette index of the colour, added when new; Unlisted once the palette is full.
    std::uint8_t ColorIndex(TColor color);
    TColor ListedColor(std::uint8_t index) const { return palette_[index]; }
    TColor UnlistedColor(const TCell* cell) const;
    void SetUnlistedColor(const TCell* cell, TColor color) { unlistedColors_[cell] = color; }
    void DropUnlistedColor(const TCell* cell) { unlistedColors_.erase(cell); }

    const TBitmap* Picture(const TCell* cell) const;
    const std::string* Hint(const TCell* cell) const;
    // Each answers whether the cell still has a picture or a hint afterwards.
    bool SetPicture(const TCell* cell, const TBitmap* picture);
    bool SetHint(const TCell* cell, const std::string& hint);

    // A cell that leaves the store takes its entries with it.
    void Forget(const TCell* cell);
    void ForgetAll() {
        unlistedColors_.clear();
        extras_.clear();
    }

    std::size_t PaletteSize() const { return palette_.size(); }
    std::size_t EntryCount() const { return unlistedColors_.size() + extras_.size(); }

private:
    struct TExtras {
        const TBitmap* Picture = nullptr;
        std::string Hint;
    };
    bool DropIfEmpty(std::unordered_map<const TCell*, TExtras>::iterator it);

    std::vector<TColor> palette_;
    std::unordered_map<const TCell*, TColor> unlistedColors_;
    std::unordered_map<const TCell*, TExtras> extras_;
};

} // namespace tolvane
