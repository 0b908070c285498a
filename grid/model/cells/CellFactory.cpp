#include "grid/model/cells/CellFactory.h"

#include <type_traits>

#include "grid/model/cells/BooleanCell.h"
#include "grid/model/cells/CellPool.h"
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

// Classes whose value lives inside the cell, with nothing on the heap to free.
template <typename T>
constexpr bool PlainValue =
    std::is_same_v<T, TBooleanCell> || std::is_same_v<T, TDateTimeCell> || std::is_same_v<T, TFloatCell> ||
    std::is_same_v<T, TIncrementCell> || std::is_same_v<T, TIntegerCell> || std::is_same_v<T, TVirtualCell>;

} // namespace

std::unique_ptr<TCell> NewCell(TCells* owner, int kind, TCellPlacement placement) {
    return ForCellClass(kind, placement, [owner]<typename T>(T*) -> std::unique_ptr<TCell> {
        return std::make_unique<T>(owner);
    });
}

template <typename T>
T* TCellMaker::MakeOne(TCellPool& pool, TCells* owner, TColor color) {
    static_assert(alignof(T) <= TCellPool::Unit);
    T* cell;
    if constexpr (TCellPool::Pooled(sizeof(T))) {
        void* block = pool.Allocate(sizeof(T));
        try {
            cell = new (block) T(owner);
        } catch (...) {
            pool.Free(block, sizeof(T));
            throw;
        }
        cell->poolUnits_ = std::uint8_t((sizeof(T) + TCellPool::Unit - 1) / TCellPool::Unit);
    } else {
        cell = new T(owner);
    }
    cell->color_ = color;
    cell->flags_ &= std::uint8_t(~TCell::InitializingFlag);
    if constexpr (PlainValue<T>) cell->flags_ |= TCell::PlainValueFlag;
    return cell;
}

TCell* TCellMaker::Make(TCellPool& pool, TCells* owner, int kind, TCellPlacement placement, TColor color) {
    return ForCellClass(kind, placement,
                        [&]<typename T>(T*) -> TCell* { return MakeOne<T>(pool, owner, color); });
}

void TCellMaker::MakeRun(TCellPool& pool, TCells* owner, int kind, TCellPlacement placement, TColor color,
                         int count, std::vector<TCell*>& list) {
    // The class is chosen once for the run.
    ForCellClass(kind, placement, [&]<typename T>(T*) {
        for (int n = 0; n < count; ++n) list.push_back(MakeOne<T>(pool, owner, color));
    });
}

void TCellMaker::Destroy(TCellPool& pool, TCell* cell) {
    if (!cell) return;
    const std::size_t units = cell->poolUnits_;
    if (units == 0) {
        delete cell;
        return;
    }
    cell->~TCell();
    pool.Free(cell, units * TCellPool::Unit);
}

void TCellMaker::DestroyAll(TCellPool& pool, std::vector<std::vector<TCell*>>& lists) {
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
        for (TCell* cell : list) {
            if (!cell) continue;
            if (cell->poolUnits_ == 0)
                delete cell;
            else if (!(cell->flags_ & TCell::PlainValueFlag) || cell->extras_)
                cell->~TCell();
        }
        list.clear();
    }
    pool.DropAll();
}

} // namespace tolvane
