#pragma once
// The font styles of cells made outside any store (on the stack, with new, as members). Such a
// cell is its value and nothing more, and has no block with a side table; the few that are given
// a font style keep it here. Nothing else asks this table: a stored cell keeps its marks in its
// block, and when it ends it reads one counter, which stays 0 while no loose cell has a style.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace tolvane {

class TCell;

class TLooseCellMarks {
public:
    // The style bits of a loose cell (TCellMarks::FontStyleMask); 0 when it was given none.
    static std::uint8_t FontStyleOf(const TCell* cell) {
        return styled_.load(std::memory_order_relaxed) ? Find(cell) : 0;
    }
    static void SetFontStyle(const TCell* cell, std::uint8_t bits);
    // Called as any cell ends, so that a later cell at the same address starts plain.
    static void Forget(const TCell* cell) {
        if (styled_.load(std::memory_order_relaxed)) Erase(cell);
    }

private:
    static std::uint8_t Find(const TCell* cell);
    static void Erase(const TCell* cell);

    // Loose cells that have a style; cells may be made and ended on any thread.
    static std::atomic<std::size_t> styled_;
};

} // namespace tolvane
