#pragma once
// The cells of one column, by slot (see TRowSlots): blocks of slots of one size, made when a
// slot in them is first used and given back to the pool with the column or when the store
// empties. A cell of the column lives in its slot for its whole life, so that a cell handed out
// stays where it is whatever happens to the order of the rows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "grid/model/cells/Cell.h"
#include "grid/model/cells/CellBlock.h"
#include "grid/model/cells/RowSlots.h"

namespace tolvane {

class TCells;

class TColumnCells {
public:
    // `slotSize` is a power of two of at least sizeof(TSlabHeader), at most MaxSlotSize.
    TColumnCells(TCells* owner, int column, std::size_t slotSize);
    TColumnCells(TColumnCells&&) = default;
    TColumnCells& operator=(TColumnCells&&) = default;

    // A block of the largest slots still holds HeaderEvery of them, so every block begins at a
    // slot number the row slots never hand out.
    static constexpr std::size_t MaxSlotSize = TCellPool::SlabSize / TRowSlots::HeaderEvery;

    std::size_t SlotSize() const { return std::size_t(1) << shift_; }

    // What the slot holds; the slot must hold a cell. Every class placed in a slot begins with
    // its TCell (TCellMaker checks it), so the slot's address is the TCell's.
    TCell* At(std::uint32_t slot) const {
        return std::launder(reinterpret_cast<TCell*>(blocks_[slot >> blockShift_] + ((slot & indexMask_) << shift_)));
    }
    // The cell of the slot: what it holds, or the cell its stand-in points to.
    TCell* HandedOut(std::uint32_t slot) const;
    TCellMarks& Marks(std::uint32_t slot) const {
        return sides_[slot >> blockShift_]->Marks[slot & indexMask_];
    }
    // The memory of the slot, its block made when first needed (bad_alloc when that fails).
    void* Room(TCellPool& pool, std::uint32_t slot);

    void SetColumn(int column);
    // Gives every block back to the pool; the cells in them have ended.
    void ReleaseBlocks(TCellPool& pool);
    // Forgets every block, which the pool drops whole.
    void ForgetBlocks();

    // Cells kept outside their slots (see TStandInCell): while there are none, a slot holds
    // the cell itself.
    int DetachedCount() const { return detached_; }
    void CountDetached(int change) { detached_ += change; }

private:
    TCells* owner_;
    int column_;
    std::uint8_t shift_;
    std::uint8_t blockShift_;
    std::uint32_t indexMask_;
    int detached_ = 0;
    std::vector<char*> blocks_; // by block number; null until used
    std::vector<std::unique_ptr<TCellBlockSide>> sides_;
};

} // namespace tolvane
