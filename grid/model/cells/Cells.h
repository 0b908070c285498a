#pragma once
// The grid's cell store: one list of cells per column (by column index), one cell per row.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/model/cells/Cell.h"
#include "grid/model/cells/CellAttributes.h"
#include "grid/model/cells/CellFactory.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/ColumnsNotification.h"
#include "grid/model/cells/SortType.h"

namespace tolvane {

class TCellColumnSource;

class TCells {
public:
    static constexpr int MaxColumns = 1024;
    static_assert(MaxColumns <= 1 << 10, "a cell keeps its column in 10 bits");

    explicit TCells(const TCellColumnSource* columns = nullptr);
    ~TCells();
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    void SetColumnSource(const TCellColumnSource* columns) { columns_ = columns; }
    const TCellColumnSource* ColumnSource() const { return columns_; }

    int ColumnCount() const { return int(lists_.size()); }
    int RowCount() const { return rowCount_; }

    // The cell at (col, row), which learns its position; EListError out of range.
    TCell* GetCell(int col, int row) {
        if (unsigned(col) >= lists_.size() || unsigned(row) >= unsigned(rowCount_)) ThrowBadCell(col, row);
        TCell* cell = lists_[std::size_t(col)][std::size_t(row)];
        cell->col_ = std::uint16_t(col);
        cell->row_ = row;
        return cell;
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
    void CellChanged(const TCell& cell) {
        if (OnCellsChange) OnCellsChange(*this, cell.Col(), cell.Row());
        sortValid_ = false;
    }

    std::function<void(TCells& sender, int col, int row)> OnCellsChange;
    // The grid's effective colours of a cell (col, row); unset, a cell answers its own.
    std::function<TColor(int col, int row)> GetCellBackground;
    std::function<TColor(int col, int row)> GetCellTextColor;

    // Where the cells live; every cell of the store is in it.
    const TCellPool& Pool() const { return pool_; }
    // The colours, pictures and hints of the cells.
    TCellAttributes& Attributes() { return attributes_; }
    const TCellAttributes& Attributes() const { return attributes_; }

private:
    friend class TCellSorter;
    // The store owns the cells; each is given back to the pool where it leaves its list.
    using TCellList = std::vector<TCell*>;

    TCell* MakeCell(int columnIndex, TCellPlacement placement);
    // Appends `count` new cells of the column to the list.
    void AppendCells(TCellList& list, int columnIndex, int count, TCellPlacement placement);
    void DestroyCells(TCellList& list, std::size_t from = 0);
    [[noreturn]] void ThrowBadCell(int col, int row) const;
    void CheckRow(int row, const char* operation) const;
    void CheckColumn(int col, const char* operation) const;
    void CheckInsertColumn(int index) const;
    // Puts the rows in the order given: row r takes the cells of old row order[r].
    void ApplyRowOrder(const std::vector<int>& order);
    // Turns the row order around; only a sort may keep SortValid through it.
    void ReverseRows();

    const TCellColumnSource* columns_;
    // Declared before the lists, so that they outlive them.
    TCellAttributes attributes_;
    TCellPool pool_{this};
    std::vector<TCellList> lists_;
    int rowCount_ = 0;
    bool sortValid_ = false;
    int lastSortColumn_ = -1;
    bool lastSortDescending_ = false;
    TSortType lastSortType_ = stAlphabetic;
    // State of the pseudo-random pivot choice.
    std::uint64_t pivotSeed_ = 0x9E3779B97F4A7C15ull;
};

} // namespace tolvane
