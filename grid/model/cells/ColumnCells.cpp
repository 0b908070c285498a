#include "grid/model/cells/ColumnCells.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <new>

#include "grid/model/cells/StandInCell.h"

namespace tolvane {

TColumnCells::TColumnCells(TCells* owner, int column, std::size_t slotSize) : owner_(owner), column_(column) {
    assert(std::has_single_bit(slotSize) && slotSize >= sizeof(TSlabHeader) && slotSize <= MaxSlotSize);
    shift_ = std::uint8_t(std::countr_zero(slotSize));
    blockShift_ = std::uint8_t(std::countr_zero(TCellPool::SlabSize) - shift_);
    indexMask_ = (std::uint32_t(1) << blockShift_) - 1;
}

void* TColumnCells::Room(TCellPool& pool, std::uint32_t slot) {
    const std::size_t block = slot >> blockShift_;
    if (block >= blocks_.size()) {
        // Blocks are few (one per 64 KiB); room for the next ones keeps this from reallocating often.
        blocks_.reserve(std::max(block + 1, blocks_.size() * 2));
        sides_.reserve(blocks_.capacity());
        blocks_.resize(block + 1, nullptr);
        sides_.resize(block + 1);
    }
    if (!blocks_[block]) {
        auto side = std::make_unique<TCellBlockSide>();
        side->Column = column_;
        side->FirstSlot = std::uint32_t(block) << blockShift_;
        side->Shift = shift_;
        side->Marks = std::make_unique<TCellMarks[]>(std::size_t(indexMask_) + 1);
        char* slab = pool.AllocateSlab();
        new (slab) TSlabHeader{owner_, side.get()};
        blocks_[block] = slab;
        sides_[block] = std::move(side);
    }
    return blocks_[block] + ((slot & indexMask_) << shift_);
}

TCell* TColumnCells::HandedOut(std::uint32_t slot) const {
    TCell* cell = At(slot);
    return Marks(slot).Flags & TCellMarks::DetachedFlag ? static_cast<TStandInCell*>(cell)->Cell() : cell;
}

void TColumnCells::SetColumn(int column) {
    column_ = column;
    for (const auto& side : sides_)
        if (side) side->Column = column;
}

void TColumnCells::ReleaseBlocks(TCellPool& pool) {
    for (char* block : blocks_)
        if (block) pool.FreeSlab(block);
    ForgetBlocks();
}

void TColumnCells::ForgetBlocks() {
    std::vector<char*>().swap(blocks_);
    std::vector<std::unique_ptr<TCellBlockSide>>().swap(sides_);
    detached_ = 0;
}

} // namespace tolvane
