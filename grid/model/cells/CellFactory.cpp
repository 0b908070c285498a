#include "grid/model/cells/CellFactory.h"

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

} // namespace tolvane
