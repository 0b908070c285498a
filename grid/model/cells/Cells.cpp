#include "grid/model/cells/Cells.h"

#include <algorithm>
#include <limits>
#include <string>

#include "grid/model/cells/CellColumnSource.h"
#include "grid/model/cells/CellSorter.h"
#include "grid/base/Errors.h"

namespace tolvane {

TCells::TCells(const TCellColumnSource* columns) : columns_(columns) {}

TCells::~TCells() {
    TCellMaker::DestroyAll(pool_, attributes_, lists_);
}

void TCells::CheckRow(int row, const char* operation) const {
    if (row < 0 || row >= rowCount_)
        throw EListError(std::string(operation) + ": row index out of bounds (" + std::to_string(row) +
                         "), row count " + std::to_string(rowCount_));
}

void TCells::CheckColumn(int col, const char* operation) const {
    if (col < 0 || col >= ColumnCount())
        throw EListError(std::string(operation) + ": column index out of bounds (" + std::to_string(col) +
                         "), column count " + std::to_string(ColumnCount()));
}

void TCells::CheckInsertColumn(int index) const {
    if (ColumnCount() >= MaxColumns)
        throw EGridError("The grid holds at most " + std::to_string(MaxColumns) + " columns");
    if (!columns_ || index < 0 || index >= columns_->ColumnCount())
        throw EListError("No column with index " + std::to_string(index) + " to add cells for");
}

TCell* TCells::MakeCell(int columnIndex, TCellPlacement placement) {
    // A list the collection does not know (never in a consistent grid) gets plain text cells.
    const bool known = columns_ && columnIndex < columns_->ColumnCount();
    return TCellMaker::Make(pool_, attributes_, known ? columns_->ColumnCellKind(columnIndex) : ckText, placement,
                            known ? columns_->ColumnColor(columnIndex) : clWindow);
}

void TCells::AppendCells(TCellList& list, int columnIndex, int count, TCellPlacement placement) {
    // The column is asked once for the whole run.
    const bool known = columns_ && columnIndex < columns_->ColumnCount();
    const int kind = known ? columns_->ColumnCellKind(columnIndex) : ckText;
    const TColor color = known ? columns_->ColumnColor(columnIndex) : clWindow;
    TCellMaker::MakeRun(pool_, attributes_, kind, placement, color, count, list);
}

void TCells::DestroyCells(TCellList& list, std::size_t from) {
    for (std::size_t i = from; i < list.size(); ++i) TCellMaker::Destroy(pool_, list[i]);
    list.resize(std::min(from, list.size()));
}

void TCells::ThrowBadCell(int col, int row) const {
    CheckColumn(col, "GetCell");
    CheckRow(row, "GetCell");
    throw EListError(std::string("GetCell: cell index out of bounds"));
}

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

void TCells::AddColumn() {
    const int index = columns_ ? columns_->ColumnCount() - 1 : -1;
    CheckInsertColumn(index);
    lists_.reserve(lists_.size() + 1);
    TCellList list;
    list.reserve(std::size_t(rowCount_));
    try {
        AppendCells(list, index, rowCount_, cpAppend);
    } catch (...) {
        DestroyCells(list);
        throw;
    }
    lists_.push_back(std::move(list));
}

void TCells::DeleteColumn(int index) {
    CheckColumn(index, "DeleteColumn");
    DestroyCells(lists_[std::size_t(index)]);
    lists_.erase(lists_.begin() + index);
    if (lists_.empty()) rowCount_ = 0;
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
    lists_.reserve(lists_.size() + 1);
    TCellList list;
    list.reserve(std::size_t(rowCount_));
    try {
        AppendCells(list, index, rowCount_, cpInsertColumn);
    } catch (...) {
        DestroyCells(list);
        throw;
    }
    lists_.insert(lists_.begin() + index, std::move(list));
    sortValid_ = false;
}

void TCells::MoveColumn(int from, int to) {
    CheckColumn(from, "MoveColumn");
    CheckColumn(to, "MoveColumn");
    if (from < to)
        std::rotate(lists_.begin() + from, lists_.begin() + from + 1, lists_.begin() + to + 1);
    else if (from > to)
        std::rotate(lists_.begin() + to, lists_.begin() + from, lists_.begin() + from + 1);
    if (lastSortColumn_ == from)
        lastSortColumn_ = to;
    else if (from < lastSortColumn_ && lastSortColumn_ <= to)
        --lastSortColumn_;
    else if (to <= lastSortColumn_ && lastSortColumn_ < from)
        ++lastSortColumn_;
}

void TCells::AddRows(int count) {
    if (count <= 0) return;
    if (count > std::numeric_limits<int>::max() - rowCount_)
        throw EListError("AddRows: too many rows (" + std::to_string(count) + ")");
    // Growth stays geometric, so that adding one row at a time stays cheap.
    for (TCellList& list : lists_) {
        const std::size_t needed = list.size() + std::size_t(count);
        if (list.capacity() < needed) list.reserve(std::max(needed, list.capacity() * 2));
    }
    // A failure takes back the cells made so far: the columns keep one length.
    try {
        for (int c = 0; c < ColumnCount(); ++c) AppendCells(lists_[std::size_t(c)], c, count, cpAppend);
    } catch (...) {
        for (TCellList& list : lists_) DestroyCells(list, std::size_t(rowCount_));
        throw;
    }
    rowCount_ += count;
    sortValid_ = false;
}

void TCells::InsertRow(int index) {
    if (index < 0 || index > rowCount_)
        throw EListError("InsertRow: row index out of bounds (" + std::to_string(index) + "), row count " +
                         std::to_string(rowCount_));
    if (rowCount_ == std::numeric_limits<int>::max())
        throw EListError(std::string("InsertRow: too many rows"));
    // Make every cell and room for it first, so that a failure leaves the columns of equal length.
    for (TCellList& list : lists_)
        if (list.capacity() == list.size()) list.reserve(std::max<std::size_t>(16, list.size() * 2));
    TCellList cells;
    cells.reserve(lists_.size());
    try {
        for (int c = 0; c < ColumnCount(); ++c) cells.push_back(MakeCell(c, cpInsertRow));
    } catch (...) {
        DestroyCells(cells);
        throw;
    }
    for (std::size_t c = 0; c < lists_.size(); ++c) lists_[c].insert(lists_[c].begin() + index, cells[c]);
    ++rowCount_;
    sortValid_ = false;
}

void TCells::DeleteRow(int index) {
    CheckRow(index, "DeleteRow");
    for (TCellList& list : lists_) {
        TCellMaker::Destroy(pool_, list[std::size_t(index)]);
        list.erase(list.begin() + index);
    }
    // What stays is still in sorted order, so a reversal stays exact.
    --rowCount_;
}

void TCells::ClearRows() {
    // Every cell of the pool goes: the slabs are dropped whole rather than block by block.
    TCellMaker::DestroyAll(pool_, attributes_, lists_);
    for (TCellList& list : lists_) TCellList().swap(list);
    rowCount_ = 0;
    sortValid_ = false;
}

void TCells::MoveRow(int from, int to) {
    CheckRow(from, "MoveRow");
    CheckRow(to, "MoveRow");
    for (TCellList& list : lists_) {
        if (from < to)
            std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
        else if (from > to)
            std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
    }
    sortValid_ = false;
}

void TCells::ExchangeRows(int a, int b) {
    CheckRow(a, "ExchangeRows");
    CheckRow(b, "ExchangeRows");
    for (TCellList& list : lists_) std::swap(list[std::size_t(a)], list[std::size_t(b)]);
    sortValid_ = false;
}

void TCells::ReverseRows() {
    for (TCellList& list : lists_) std::reverse(list.begin(), list.end());
}

void TCells::ApplyRowOrder(const std::vector<int>& order) {
    TCellList scratch(order.size());
    for (TCellList& list : lists_) {
        for (std::size_t r = 0; r < order.size(); ++r) scratch[r] = list[std::size_t(order[r])];
        list.swap(scratch);
    }
}

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
