#include "grid/model/cells/CellFactory.h"

#include <type_traits>

#include "grid/model/cells/BooleanCell.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/Cells.h"
#include "grid/model/cells/DateTimeCell.h"
#include "grid/model/cells/FloatCell.h"
#include "grid/model/cells/IncrementCell.h"
#include "grid/model/cells/IntegerCell.h"
#include "grid/model/cells/StringCell.h"
#include "grid/model/cells/VirtualCell.h"

namespace tolvane {

namespace {

// Calls `make` with a null pointer of the class the kind and placement choose.
template <typename Make>
auto ForCellClass(int kind, TCellPlacement placement, Make make) {
    switch (kind) {
    case ckRowNumber:
        if (placement == cpAppend) return make(static_cast<TIncrementCell*>(nullptr));
        return make(static_cast<TIntegerCell*>(nullptr));
    case ckBoolean:
        return make(static_cast<TBooleanCell*>(nullptr));
    case ckDateTime:
        return make(static_cast<TDateTimeCell*>(nullptr));
    case ckFloat:
        return make(static_cast<TFloatCell*>(nullptr));
    case ckInteger:
        return make(static_cast<TIntegerCell*>(nullptr));
    case ckVirtual:
        if (placement == cpInsertRow) return make(static_cast<TStringCell*>(nullptr));
        return make(static_cast<TVirtualCell*>(nullptr));
    default:
        return make(static_cast<TStringCell*>(nullptr));
    }
}

// Classes whose value lives inside the cell, with nothing on the heap to free. (A virtual
// cell's callbacks may hold captured state on the heap.)
template <typename T>
constexpr bool PlainValue = std::is_same_v<T, TBooleanCell> || std::is_same_v<T, TDateTimeCell> ||
                            std::is_same_v<T, TFloatCell> || std::is_same_v<T, TIncrementCell> ||
                            std::is_same_v<T, TIntegerCell>;

} // namespace

template <typename T>
T* TCellMaker::MakeOne(TCellPool& pool, TCellAttributes& attributes, std::uint8_t colorIndex, TColor color) {
    static_assert(alignof(T) <= TCellPool::Unit);
    // A cell finds its store through the pool block it lives in.
    static_assert(TCellPool::Pooled(sizeof(T)), "every cell class fits a pool block");
    void* block = pool.Allocate(sizeof(T));
    T* cell;
    try {
        cell = new (block) T();
    } catch (...) {
        pool.Free(block, sizeof(T));
        throw;
    }
    cell->poolUnits_ = std::uint16_t((sizeof(T) + TCellPool::Unit - 1) / TCellPool::Unit);
    cell->colorIndex_ = colorIndex;
    if (colorIndex == TCellAttributes::Unlisted) {
        try {
            attributes.SetUnlistedColor(cell, color);
        } catch (...) {
            cell->~T();
            pool.Free(block, sizeof(T));
            throw;
        }
    }
    cell->flags_ &= std::uint8_t(~TCell::InitializingFlag);
    if constexpr (PlainValue<T>) cell->flags_ |= TCell::PlainValueFlag;
    return cell;
}

TCell* TCellMaker::Make(TCellPool& pool, TCellAttributes& attributes, int kind, TCellPlacement placement,
                        TColor color) {
    const std::uint8_t index = attributes.ColorIndex(color);
    return ForCellClass(kind, placement,
                        [&]<typename T>(T*) -> TCell* { return MakeOne<T>(pool, attributes, index, color); });
}

void TCellMaker::MakeRun(TCellPool& pool, TCellAttributes& attributes, int kind, TCellPlacement placement,
                         TColor color, int count, std::vector<TCell*>& list) {
    // The class and the colour's place in the palette are found once for the run.
    const std::uint8_t index = attributes.ColorIndex(color);
    ForCellClass(kind, placement, [&]<typename T>(T*) {
        for (int n = 0; n < count; ++n) list.push_back(MakeOne<T>(pool, attributes, index, color));
    });
}

void TCellMaker::Destroy(TCellPool& pool, TCell* cell) {
    if (!cell) return;
    if (cell->colorIndex_ == TCellAttributes::Unlisted || (cell->flags_ & TCell::ExtrasFlag))
        cell->Owner()->Attributes().Forget(cell);
    const std::size_t units = cell->poolUnits_;
    cell->~TCell();
    pool.Free(cell, units * TCellPool::Unit);
}

void TCellMaker::DestroyAll(TCellPool& pool, TCellAttributes& attributes,
                            std::vector<std::vector<TCell*>>& lists) {
    std::size_t listed = 0;
    for (const std::vector<TCell*>& list : lists) listed += list.size();
    if (listed != pool.LiveCount()) {
        // Some block is held elsewhere: dropping the slabs would pull it away.
        for (std::vector<TCell*>& list : lists) {
            for (TCell* cell : list) Destroy(pool, cell);
            list.clear();
        }
        return;
    }
    for (std::vector<TCell*>& list : lists) {
        for (TCell* cell : list)
            if (cell && !(cell->flags_ & TCell::PlainValueFlag)) cell->~TCell();
        list.clear();
    }
    // Every cell went, and with them everything kept for them.
    attributes.ForgetAll();
    pool.DropAll();
}

} // namespace tolvane
