#pragma once
// Picks the cell class for a column's cell kind, and makes and ends the cells of a store in
// their columns' slots. Appending and inserting differ for the row-number and virtual kinds.

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "grid/model/cells/Cell.h"

namespace tolvane {

class TCellAttributes;
class TCellPool;
class TColumnCells;
struct TCellPlace;

enum TCellPlacement { cpAppend, cpInsertColumn, cpInsertRow };

class TCellMaker {
public:
    TCellMaker(TCellPool& pool, TCellAttributes& attributes) : pool_(pool), attributes_(attributes) {}

    // The slot size a column of the kind is laid out with: the smallest that holds every class
    // the kind makes.
    static std::size_t SlotSizeFor(int kind);

    // The palette index of a colour, for a run of cells of that colour.
    std::uint8_t ColorIndex(TColor color);
    // Makes cells of the kind in `length` consecutive slots within one block, with the colour
    // given (`colorIndex` is ColorIndex(color)), no longer initializing. On a failure the cells
    // of the run made so far are ended.
    void MakeRun(TColumnCells& column, std::uint32_t first, int length, int kind, TCellPlacement placement,
                 std::uint8_t colorIndex, TColor color);
    // Ends the cell in the slot and what the store keeps for it.
    void Destroy(TColumnCells& column, std::uint32_t slot);
    // Ends the cell in the slot as the whole store empties: a destructor runs only where it
    // frees something; the caller then drops the attributes, the pool's memory and Forget()s.
    void End(TColumnCells& column, std::uint32_t slot);
    void Forget() {
        detached_.clear();
        live_ = 0;
    }
    // Cells made and not ended.
    std::size_t LiveCount() const { return live_; }

    // The place of a cell kept outside its slot: its stand-in's. False for any other cell.
    bool FindDetachedPlace(const TCell* cell, TCellPlace& place) const;

private:
    template <typename T>
    void MakeRunOf(TColumnCells& column, std::uint32_t first, int length, std::uint8_t colorIndex, TColor color);
    template <typename T>
    TCell* MakeOne(TColumnCells& column, std::uint32_t slot, std::uint8_t colorIndex, TColor color);

    struct TDetached {
        const TCell* StandIn;
        std::size_t Size;
    };

    TCellPool& pool_;
    TCellAttributes& attributes_;
    std::unordered_map<const TCell*, TDetached> detached_;
    std::size_t live_ = 0;
};

} // namespace tolvane
