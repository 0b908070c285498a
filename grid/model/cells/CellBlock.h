#pragma once
// A block of one column's cells: a slab of the store's pool cut into slots of one size (a
// power of two), one cell per slot, for a run of consecutive slot numbers. The slab's first slot
// holds its TSlabHeader with the block's side, so that a cell finds its store, its column and
// its slot from its own address; the marks of the cells, which do not fit beside a value, live
// in the side table.

#include <cstdint>
#include <memory>

#include "grid/model/cells/CellMarks.h"
#include "grid/model/cells/CellPool.h"

namespace tolvane {

class TCells;

struct TCellBlockSide {
    int Column = 0;
    std::uint32_t FirstSlot = 0;
    std::uint8_t Shift = 0; // log2 of the slot size
    std::unique_ptr<TCellMarks[]> Marks;
};

// Where a stored cell lives.
struct TCellPlace {
    TCells* Owner = nullptr;
    TCellBlockSide* Side = nullptr;
    std::uint32_t Index = 0; // the slot within the block

    int Col() const { return Side->Column; }
    std::uint32_t Slot() const { return Side->FirstSlot + Index; }
    TCellMarks& Marks() const { return Side->Marks[Index]; }

    // The place of a cell in a slab of the store's pool; no side for a slab not cut into slots.
    static TCellPlace Of(const void* cell) {
        const TSlabHeader* header = TSlabHeader::Of(cell);
        TCells* owner = static_cast<TCells*>(header->Owner);
        if (!header->Side) return {owner, nullptr, 0};
        const auto offset = reinterpret_cast<std::uintptr_t>(cell) & std::uintptr_t(TCellPool::SlabSize - 1);
        return {owner, header->Side, std::uint32_t(offset >> header->Side->Shift)};
    }
};

} // namespace tolvane
