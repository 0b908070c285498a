#include "grid/model/cells/Cells.h"

#include <algorithm>
#include <limits>
#include <string>

#include "grid/base/Errors.h"
#include "grid/model/cells/CellColumnSource.h"
#include "grid/model/cells/CellSorter.h"

namespace tolvane {

TCells::TCells(const TCellColumnSource* columns) : source_(columns) {}

TCells::~TCells() {
    DropAllCells();
}

// ----- Range checks ---------------------------------------------------------------------

void TCells::CheckRow(int row, const char* operation) const {
    if (row < 0 || row >= RowCount())
        throw EListError(std::string(operation) + ": row index out of bounds (" + std::to_string(row) +
                         "), row count " + std::to_string(RowCount()));
}

void TCells::CheckColumn(int col, const char* operation) const {
    if (col < 0 || col >= ColumnCount())
        throw EListError(std::string(operation) + ": column index out of bounds (" + std::to_string(col) +
                         "), column count " + std::to_string(ColumnCount()));
}

void TCells::CheckInsertColumn(int index) const {
    if (ColumnCount() >= MaxColumns)
        throw EGridError("The grid holds at most " + std::to_string(MaxColumns) + " columns");
    if (!source_ || index < 0 || index >= source_->ColumnCount())
        throw EListError("No column with index " + std::to_string(index) + " to add cells for");
}

void TCells::ThrowBadCell(int col, int row) const {
    CheckColumn(col, "GetCell");
    CheckRow(row, "GetCell");
    throw EListError(std::string("GetCell: cell index out of bounds"));
}

// ----- Making and ending cells ----------------------------------------------------------

// A column the collection does not know (never in a consistent grid) gets plain text cells.
int TCells::KindOf(int columnIndex) const {
    return source_ && columnIndex < source_->ColumnCount() ? source_->ColumnCellKind(columnIndex) : ckText;
}

TColor TCells::ColorOf(int columnIndex) const {
    return source_ && columnIndex < source_->ColumnCount() ? source_->ColumnColor(columnIndex) : clWindow;
}

void TCells::MakeNewRowCells(int columnIndex, int count, TCellPlacement placement) {
    TColumnCells& column = columns_[std::size_t(columnIndex)];
    // The column is asked once for the whole run.
    const int kind = KindOf(columnIndex);
    const TColor color = ColorOf(columnIndex);
    const std::uint8_t colorIndex = maker_.ColorIndex(color);
    int made = 0;
    try {
        slots_.ForNewSlotRuns(count, [&](std::uint32_t first, int length) {
            maker_.MakeRun(column, first, length, kind, placement, colorIndex, color);
            made += length;
        });
    } catch (...) {
        slots_.ForNewSlots(made, [&](std::uint32_t slot) { maker_.Destroy(column, slot); });
        throw;
    }
}

void TCells::MakeNewRows(int count, TCellPlacement placement) {
    int done = 0;
    try {
        for (; done < ColumnCount(); ++done) MakeNewRowCells(done, count, placement);
    } catch (...) {
        for (int c = 0; c < done; ++c) {
            TColumnCells& column = columns_[std::size_t(c)];
            slots_.ForNewSlots(count, [&](std::uint32_t slot) { maker_.Destroy(column, slot); });
        }
        throw;
    }
}

void TCells::DestroyColumnCells(TColumnCells& column) {
    ForEachRowSlot([&](std::uint32_t slot) { maker_.Destroy(column, slot); });
    column.ReleaseBlocks(pool_);
}

void TCells::DropAllCells() {
    for (TColumnCells& column : columns_) {
        ForEachRowSlot([&](std::uint32_t slot) { maker_.End(column, slot); });
        column.ForgetBlocks();
    }
    // Every cell went, and with them everything kept for them.
    attributes_.ForgetAll();
    maker_.Forget();
    pool_.DropAll();
    slots_.Clear();
}

// ----- Columns --------------------------------------------------------------------------

void TCells::ColumnsNotify(int kind, int a, int b) {
    switch (kind) {
    case cnAdded:
        AddColumn();
        break;
    case cnDeleted:
        DeleteColumn(a);
        break;
    case cnCleared:
        ClearColumns();
        break;
    case cnInserted:
        InsertColumn(a);
        break;
    case cnMoved:
        MoveColumn(a, b);
        break;
    default:
        break;
    }
}

TColumnCells TCells::NewColumn(int sourceIndex, int index, TCellPlacement placement) {
    // A column is laid out for the classes its kind makes now; a larger class it is given later
    // lives outside the slots.
    const int kind = KindOf(sourceIndex);
    const TColor color = ColorOf(sourceIndex);
    const std::uint8_t colorIndex = maker_.ColorIndex(color);
    TColumnCells column(this, index, TCellMaker::SlotSizeFor(kind));
    int made = 0;
    try {
        ForEachRowSlot([&](std::uint32_t slot) {
            maker_.MakeRun(column, slot, 1, kind, placement, colorIndex, color);
            ++made;
        });
    } catch (...) {
        for (int r = 0; r < made; ++r) maker_.Destroy(column, slots_.SlotOf(r));
        column.ReleaseBlocks(pool_);
        throw;
    }
    return column;
}

void TCells::NumberColumnsFrom(int index) {
    for (int c = index; c < ColumnCount(); ++c) columns_[std::size_t(c)].SetColumn(c);
}

void TCells::AddColumn() {
    const int index = source_ ? source_->ColumnCount() - 1 : -1;
    CheckInsertColumn(index);
    columns_.reserve(columns_.size() + 1);
    columns_.push_back(NewColumn(index, ColumnCount(), cpAppend));
}

void TCells::DeleteColumn(int index) {
    CheckColumn(index, "DeleteColumn");
    if (ColumnCount() == 1) {
        // No column remains, and so no row.
        DropAllCells();
        columns_.clear();
    } else {
        DestroyColumnCells(columns_[std::size_t(index)]);
        columns_.erase(columns_.begin() + index);
        NumberColumnsFrom(index);
    }
    // The last sorted column keeps its identity, so that a reversal never reorders another one.
    if (index == lastSortColumn_)
        lastSortColumn_ = -1;
    else if (index < lastSortColumn_)
        --lastSortColumn_;
}

void TCells::ClearColumns() {
    for (int n = ColumnCount(); n > 0; --n) DeleteColumn(0);
}

void TCells::InsertColumn(int index) {
    if (index < 0 || index > ColumnCount())
        throw EListError("InsertColumn: column index out of bounds (" + std::to_string(index) + ")");
    CheckInsertColumn(index);
    columns_.reserve(columns_.size() + 1);
    columns_.insert(columns_.begin() + index, NewColumn(index, index, cpInsertColumn));
    NumberColumnsFrom(index);
    sortValid_ = false;
}

void TCells::MoveColumn(int from, int to) {
    CheckColumn(from, "MoveColumn");
    CheckColumn(to, "MoveColumn");
    if (from < to)
        std::rotate(columns_.begin() + from, columns_.begin() + from + 1, columns_.begin() + to + 1);
    else if (from > to)
        std::rotate(columns_.begin() + to, columns_.begin() + from, columns_.begin() + from + 1);
    NumberColumnsFrom(std::min(from, to));
    if (lastSortColumn_ == from)
        lastSortColumn_ = to;
    else if (from < lastSortColumn_ && lastSortColumn_ <= to)
        --lastSortColumn_;
    else if (to <= lastSortColumn_ && lastSortColumn_ < from)
        ++lastSortColumn_;
}

// ----- Rows -----------------------------------------------------------------------------

void TCells::AddRows(int count) {
    if (count <= 0) return;
    if (count > std::numeric_limits<int>::max() - RowCount())
        throw EListError("AddRows: too many rows (" + std::to_string(count) + ")");
    // A failure takes back the cells made so far: the columns keep one length.
    MakeNewRows(count, cpAppend);
    slots_.Append(count);
    sortValid_ = false;
}

void TCells::InsertRow(int index) {
    if (index < 0 || index > RowCount())
        throw EListError("InsertRow: row index out of bounds (" + std::to_string(index) + "), row count " +
                         std::to_string(RowCount()));
    if (RowCount() == std::numeric_limits<int>::max())
        throw EListError(std::string("InsertRow: too many rows"));
    // Make every cell first, so that a failure leaves the columns of equal length.
    MakeNewRows(1, cpInsertRow);
    slots_.Insert(index);
    sortValid_ = false;
}

void TCells::DeleteRow(int index) {
    CheckRow(index, "DeleteRow");
    if (RowCount() == 1) {
        DropAllCells();
        return;
    }
    const std::uint32_t slot = slots_.SlotOf(index);
    for (TColumnCells& column : columns_) maker_.Destroy(column, slot);
    // What stays is still in sorted order, so a reversal stays exact.
    slots_.Remove(index);
}

void TCells::ClearRows() {
    DropAllCells();
    sortValid_ = false;
}

void TCells::MoveRow(int from, int to) {
    CheckRow(from, "MoveRow");
    CheckRow(to, "MoveRow");
    slots_.Move(from, to);
    sortValid_ = false;
}

void TCells::ExchangeRows(int a, int b) {
    CheckRow(a, "ExchangeRows");
    CheckRow(b, "ExchangeRows");
    slots_.Exchange(a, b);
    sortValid_ = false;
}

// ----- Sorting --------------------------------------------------------------------------

void TCells::SortRows(int col, TSortType sortType, bool descending) {
    CheckColumn(col, "SortRows");
    // Only rows last ordered by this very sort may be reversed instead of sorted.
    if (col == lastSortColumn_ && sortValid_ && sortType == lastSortType_ &&
        descending != lastSortDescending_)
        ReverseRows();
    else
        TCellSorter(*this).Sort(col, sortType, descending);
    lastSortColumn_ = col;
    lastSortDescending_ = descending;
    lastSortType_ = sortType;
    sortValid_ = true;
}

} // namespace tolvane
