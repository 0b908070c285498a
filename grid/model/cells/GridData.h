#pragma once
// The data side of the grid: the cell store and the row records, and the data operations the
// grid control forwards to them. Nothing here paints; the control adds the screen effects.

#include <functional>

#include <QString>

#include "grid/model/cells/Cells.h"
#include "grid/model/cells/Rows.h"

namespace tolvane {

class TCellColumnSource;

class TGridData {
public:
    explicit TGridData(const TCellColumnSource* columns = nullptr);

    void SetColumnSource(const TCellColumnSource* columns) { cells_.SetColumnSource(columns); }

    TCells& Cells() { return cells_; }
    const TCells& Cells() const { return cells_; }
    TRows& Rows() { return rows_; }
    const TRows& Rows() const { return rows_; }

    // Grid settings the control keeps in step with its own.
    bool UseDefaultValues = false;
    int RowSize = 16;

    // May change the height a row is measured with; the answer is not stored.
    std::function<void(int row, int& height)> OnMeasuringRowHeight;

    // Out of range (by the column collection's count) these do nothing: Value stays as it was.
    void GetCellText(int col, int row, QString& value);
    void SetCellText(int col, int row, const QString& value);

    // The operations below throw EListError for an index out of range.
    TCell* GetCell(int col, int row) { return cells_.GetCell(col, row); }
    TColor GetCellColor(int col, int row) { return cells_.GetCell(col, row)->Color(); }
    int GetRowCount() const { return cells_.RowCount(); }
    int GetRowHeight(int row) const;
    bool IsRowSelected(int row) const { return rows_.Items(row).Selected; }
    // Answers whether the flag changed.
    bool SetRowSelected(int row, bool selected);

    // Appends cells and row records of height RowSize, then writes the columns' default values.
    void AddRows(int count);
    // Appends cells only, without row records.
    void AddCellRows(int count) { cells_.AddRows(count); }
    void Clear();
    void DeleteRow(int row);
    void InsertRow(int row);
    void MoveRow(int from, int to);
    // The cells change places; the row records (heights, selection) stay.
    void ExchangeRows(int a, int b) { cells_.ExchangeRows(a, b); }
    void ColumnsNotify(int kind, int a = 0, int b = 0);
    void SortRows(int col, TSortType sortType, bool descending) {
        cells_.SortRows(col, sortType, descending);
    }

private:
    bool InRange(int col, int row) const;

    TCells cells_;
    TRows rows_;
};

} // namespace tolvane
