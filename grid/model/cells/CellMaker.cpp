#include "grid/model/cells/CellMaker.h"

#include <algorithm>
#include <bit>
#include <new>
#include <type_traits>
#include <utility>

#include "grid/model/cells/BooleanCell.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/CellAttributes.h"
#include "grid/model/cells/ColumnCells.h"
#include "grid/model/cells/StandInCell.h"
#include "grid/model/cells/StoredCell.h"
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

std::size_t TCellMaker::SlotSizeFor(int kind) {
    std::size_t largest = sizeof(TSlabHeader);
    for (TCellPlacement placement : {cpAppend, cpInsertColumn, cpInsertRow})
        largest = std::max(largest, ForCellClass(kind, placement, []<typename T>(T*) { return sizeof(T); }));
    return std::bit_ceil(largest);
}

std::uint8_t TCellMaker::ColorIndex(TColor color) {
    return attributes_.ColorIndex(color);
}

namespace {

// A slot's address is taken as its cell's TCell (TColumnCells::At), and a detached cell's block
// is given back at its TCell's address: every class placed must begin with its TCell.
template <typename T>
constexpr bool CellAtStart() {
#if defined(__GNUC__) && !defined(__clang__)
    union TRoom {
        constexpr TRoom() : Byte() {}
        constexpr ~TRoom() {}
        char Byte;
        T Cell;
    } room;
    return static_cast<const void*>(static_cast<const TCell*>(&room.Cell)) == static_cast<const void*>(&room.Cell);
#else
    return true; // only GCC evaluates the conversion at compile time; GCC builds check it
#endif
}

// What every class placed in a slot or a pool block must be.
template <typename T>
constexpr bool Placeable() {
    static_assert(std::is_base_of_v<TCell, T> && CellAtStart<T>(), "a placed cell begins with its TCell");
    // Slots are aligned to their size, at least sizeof(TSlabHeader); blocks of the pool to Unit.
    static_assert(alignof(T) <= TCellPool::Unit && TCellPool::Unit <= sizeof(TSlabHeader),
                  "a cell is aligned in any slot and any block of the pool");
    static_assert(sizeof(T) <= TColumnCells::MaxSlotSize, "every cell class fits a slot");
    static_assert(TCellPool::Pooled(sizeof(T)), "every cell class fits a block of the pool");
    return true;
}

// Constructs a cell of class T in memory of the store, in the form that knows it is stored.
template <typename T>
TCell* Place(void* room) {
    static_assert(sizeof(TStoredCell<T>) == sizeof(T), "a stored cell costs no byte more than its class");
    static_assert(Placeable<TStoredCell<T>>());
    return new (room) TStoredCell<T>();
}

// A stand-in is never handed out, so it needs no stored form.
TStandInCell* PlaceStandIn(void* room, TCell* cell) {
    static_assert(Placeable<TStandInCell>());
    static_assert(sizeof(TStandInCell) <= sizeof(TSlabHeader), "a stand-in fits every slot");
    return new (room) TStandInCell(cell);
}

} // namespace

template <typename T>
TCell* TCellMaker::MakeOne(TColumnCells& column, std::uint32_t slot, std::uint8_t colorIndex, TColor color) {
    void* room = column.Room(pool_, slot);
    TCellMarks& marks = column.Marks(slot);
    marks = TCellMarks{};
    TCell* cell;
    if (sizeof(T) <= column.SlotSize()) {
        cell = Place<T>(room);
        if constexpr (PlainValue<T>) marks.Flags |= TCellMarks::PlainValueFlag;
    } else {
        // The column was laid out for a smaller class: the cell lives in the pool instead.
        void* block = pool_.Allocate(sizeof(T));
        try {
            cell = Place<T>(block);
        } catch (...) {
            pool_.Free(block, sizeof(T));
            throw;
        }
        TStandInCell* standIn = PlaceStandIn(room, cell);
        try {
            detached_.emplace(cell, TDetached{standIn, sizeof(T)});
        } catch (...) {
            standIn->~TStandInCell();
            cell->~TCell();
            pool_.Free(block, sizeof(T));
            throw;
        }
        marks.Flags |= TCellMarks::DetachedFlag;
        column.CountDetached(1);
    }
    marks.ColorIndex = colorIndex;
    if (colorIndex == TCellAttributes::Unlisted) {
        try {
            attributes_.SetUnlistedColor(cell, color);
        } catch (...) {
            marks.ColorIndex = 0;
            ++live_; // Destroy counts it out again
            Destroy(column, slot);
            throw;
        }
    }
    marks.Flags &= std::uint8_t(~TCellMarks::InitializingFlag);
    ++live_;
    return cell;
}

template <typename T>
void TCellMaker::MakeRunOf(TColumnCells& column, std::uint32_t first, int length, std::uint8_t colorIndex,
                           TColor color) {
    if (length <= 0) return;
    if (sizeof(T) > column.SlotSize() || colorIndex == TCellAttributes::Unlisted) {
        // Cells that need more than their slot and marks: one at a time.
        for (int k = 0; k < length; ++k) {
            try {
                MakeOne<T>(column, first + std::uint32_t(k), colorIndex, color);
            } catch (...) {
                while (k-- > 0) Destroy(column, first + std::uint32_t(k));
                throw;
            }
        }
        return;
    }
    // The run lies in one block: its room and marks are found once.
    char* room = static_cast<char*>(column.Room(pool_, first));
    TCellMarks* marks = &column.Marks(first);
    const std::size_t step = column.SlotSize();
    constexpr std::uint8_t flags = PlainValue<T> ? TCellMarks::PlainValueFlag : 0;
    int made = 0;
    try {
        for (; made < length; ++made, room += step) {
            Place<T>(room);
            marks[made] = TCellMarks{flags, colorIndex};
        }
    } catch (...) {
        live_ += std::size_t(made);
        while (made-- > 0) Destroy(column, first + std::uint32_t(made));
        throw;
    }
    live_ += std::size_t(length);
}

void TCellMaker::MakeRun(TColumnCells& column, std::uint32_t first, int length, int kind, TCellPlacement placement,
                         std::uint8_t colorIndex, TColor color) {
    ForCellClass(kind, placement, [&]<typename T>(T*) { MakeRunOf<T>(column, first, length, colorIndex, color); });
}

bool TCellMaker::FindDetachedPlace(const TCell* cell, TCellPlace& place) const {
    const auto it = detached_.find(cell);
    if (it == detached_.end()) return false;
    place = TCellPlace::Of(it->second.StandIn);
    return true;
}

void TCellMaker::Destroy(TColumnCells& column, std::uint32_t slot) {
    TCellMarks& marks = column.Marks(slot);
    TCell* cell = column.At(slot);
    TCell* handedOut = column.HandedOut(slot);
    if (marks.ColorIndex == TCellAttributes::Unlisted || (marks.Flags & TCellMarks::ExtrasFlag))
        attributes_.Forget(handedOut);
    if (handedOut != cell) {
        const auto it = detached_.find(handedOut);
        const std::size_t size = it->second.Size;
        detached_.erase(it);
        handedOut->~TCell();
        pool_.Free(handedOut, size);
        column.CountDetached(-1);
    }
    cell->~TCell();
    marks = TCellMarks{};
    --live_;
}

void TCellMaker::End(TColumnCells& column, std::uint32_t slot) {
    const std::uint8_t flags = column.Marks(slot).Flags;
    if (flags & TCellMarks::PlainValueFlag) return;
    TCell* cell = column.At(slot);
    if (flags & TCellMarks::DetachedFlag) column.HandedOut(slot)->~TCell();
    cell->~TCell();
}

} // namespace tolvane
