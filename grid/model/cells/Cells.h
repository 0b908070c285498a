#pragma once
// The grid's cell store: the cells of each column (by column index), one per row. Every column
// keeps its cells by slot (TColumnCells) and one list says which slot each row is in
// (TRowSlots), so that reordering rows moves no cell: a cell handed out stays valid while its
// row lives.
//
// Sections of Cells.cpp: range checks; making and ending cells (MakeNewRows, DropAllCells);
// column notifications and columns; rows; sorting (the work itself is in TCellSorter).
//
// The rooms of grid/model/cells and how a call runs through them:
// - Memory: TCellPool hands out 64 KiB slabs, each beginning with a TSlabHeader (owner, side).
//   TColumnCells cuts a slab into slots of one size (a block) and keeps the block's side table
//   (TCellBlockSide: column, first slot, the cells' TCellMarks).
// - Making: AddRows -> MakeNewRows -> MakeNewRowCells (per column, per run of slots from
//   TRowSlots::ForNewSlotRuns) -> TCellMaker::MakeRun, which picks the class by the column's
//   kind and places each cell as a TStoredCell<T> in its slot (or, when the class is larger
//   than the column's slots, in a pool block behind a TStandInCell). A failure ends the cells
//   made so far; the rows stay as they were.
// - Fetching: GetCell -> TRowSlots::Fetch (the slot of the row, which remembers the row) ->
//   TColumnCells::At (the slot's address is the cell's).
// - Writing: a cell's writer (TStringCell::SetText ...) stores its value, then TCell::Changed
//   -> TCell::FindPlace: a stored cell reads the TSlabHeader at its address rounded down to the
//   slab (TCellPlace::Of) for its store, column and slot, and asks TCells::SlotRow for its row;
//   then TCells::CellChanged -> OnCellsChange. A loose cell (made outside a store) stops at
//   FindPlace, knowing by its class that it has no store.
// - Colour, picture, hint: the cell's marks hold a palette index and flags; the colours off the
//   palette, pictures and hints live in TCellAttributes, keyed by the cell.
// - Ordering: SortRows -> TCellSorter (reads the keys, then TRowSlots::Reorder), MoveRow,
//   ExchangeRows and the reverse sort change only TRowSlots.
// - Ending: DeleteRow and DeleteColumn end each cell (TCellMaker::Destroy); ClearRows ends only
//   the cells whose value frees something (TCellMaker::End) and drops the pool's slabs at once.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/model/cells/Cell.h"
#include "grid/model/cells/CellAttributes.h"
#include "grid/model/cells/CellMaker.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/ColumnCells.h"
#include "grid/model/cells/ColumnsNotification.h"
#include "grid/model/cells/RowSlots.h"
#include "grid/model/cells/SortType.h"

namespace tolvane {

class TCellColumnSource;

class TCells {
public:
    static constexpr int MaxColumns = 1024;

    explicit TCells(const TCellColumnSource* columns = nullptr);
    ~TCells();
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    void SetColumnSource(const TCellColumnSource* columns) { source_ = columns; }
    const TCellColumnSource* ColumnSource() const { return source_; }

    int ColumnCount() const { return int(columns_.size()); }
    int RowCount() const { return slots_.Count(); }

    // The cell at (col, row), which learns its row; EListError out of range.
    TCell* GetCell(int col, int row) {
        if (unsigned(col) >= columns_.size() || unsigned(row) >= unsigned(RowCount())) ThrowBadCell(col, row);
        const std::uint32_t slot = slots_.Fetch(row);
        const TColumnCells& column = columns_[std::size_t(col)];
        return column.DetachedCount() ? column.HandedOut(slot) : column.At(slot);
    }
    // The row a cell in the slot was last handed out at.
    int SlotRow(std::uint32_t slot) const { return slots_.LastRow(slot); }
    // The place of a cell of the store kept outside its slot; false for any other cell.
    bool FindDetachedPlace(const TCell* cell, TCellPlace& place) const {
        return maker_.FindDetachedPlace(cell, place);
    }

    // kind 0 added, 1 deleted (a), 2 cleared, 3 inserted (a), 4 moved (a to b); others ignored.
    void ColumnsNotify(int kind, int a = 0, int b = 0);
    // A list for the last column of the collection; EGridError beyond MaxColumns.
    void AddColumn();
    void DeleteColumn(int index);
    void ClearColumns();
    void InsertColumn(int index);
    void MoveColumn(int from, int to);

    void AddRows(int count);
    void InsertRow(int index);
    void DeleteRow(int index);
    void ClearRows();
    void MoveRow(int from, int to);
    void ExchangeRows(int a, int b);

    void SortRows(int col, TSortType sortType, bool descending);
    bool SortValid() const { return sortValid_; }
    int LastSortColumn() const { return lastSortColumn_; }
    bool LastSortDescending() const { return lastSortDescending_; }
    TSortType LastSortType() const { return lastSortType_; }

    // Raised by a cell's writer.
    void CellChanged(int col, int row) {
        if (OnCellsChange) OnCellsChange(*this, col, row);
        sortValid_ = false;
    }

    std::function<void(TCells& sender, int col, int row)> OnCellsChange;
    // The grid's effective colours of a cell (col, row); unset, a cell answers its own.
    std::function<TColor(int col, int row)> GetCellBackground;
    std::function<TColor(int col, int row)> GetCellTextColor;

    // Cells made and not ended, over every column.
    std::size_t LiveCellCount() const { return maker_.LiveCount(); }
    // Where the cells live: the columns' blocks and the cells too large for their slots.
    const TCellPool& Pool() const { return pool_; }
    // The colours, pictures and hints of the cells.
    TCellAttributes& Attributes() { return attributes_; }
    const TCellAttributes& Attributes() const { return attributes_; }

private:
    friend class TCellSorter;

    // The kind and colour a column's new cells get.
    int KindOf(int columnIndex) const;
    TColor ColorOf(int columnIndex) const;
    // Makes the column's cells for `count` new rows, in the slots they will take; on a
    // failure none of them is left.
    void MakeNewRowCells(int columnIndex, int count, TCellPlacement placement);
    // The same for every column: all columns get their cells, or none does.
    void MakeNewRows(int count, TCellPlacement placement);
    // Ends the cells of every row in the column.
    void DestroyColumnCells(TColumnCells& column);
    // Ends every cell and gives all memory back at once.
    void DropAllCells();
    [[noreturn]] void ThrowBadCell(int col, int row) const;
    void CheckRow(int row, const char* operation) const;
    void CheckColumn(int col, const char* operation) const;
    void CheckInsertColumn(int index) const;
    // Makes the store's column `index`, laid out for the kind of the collection's column
    // `sourceIndex`, with a cell per row.
    TColumnCells NewColumn(int sourceIndex, int index, TCellPlacement placement);
    void NumberColumnsFrom(int index);
    // Puts the rows in the order given: row r takes the cells of old row order[r].
    void ApplyRowOrder(const std::vector<int>& order) { slots_.Reorder(order); }
    // Turns the row order around; only a sort may keep SortValid through it.
    void ReverseRows() { slots_.Reverse(); }

    template <typename Visit>
    void ForEachRowSlot(Visit visit) const {
        for (int r = 0; r < RowCount(); ++r) visit(slots_.SlotOf(r));
    }

    const TCellColumnSource* source_;
    // Declared before the columns, so that they outlive them.
    TCellAttributes attributes_;
    TCellPool pool_{this};
    TCellMaker maker_{pool_, attributes_};
    std::vector<TColumnCells> columns_;
    TRowSlots slots_;
    bool sortValid_ = false;
    int lastSortColumn_ = -1;
    bool lastSortDescending_ = false;
    TSortType lastSortType_ = stAlphabetic;
    // State of the pseudo-random pivot choice.
    std::uint64_t pivotSeed_ = 0x9E3779B97F4A7C15ull;
};

} // namespace tolvane
