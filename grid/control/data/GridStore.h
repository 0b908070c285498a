#pragma once
// The grid view's hold on its data: the cell store and the row records behind a narrow
// interface, so that the control's code needs none of the store's headers.

#include <functional>
#include <memory>

#include <QString>

#include "grid/model/cells/SortType.h"
#include "grid/shared/Types.h"

namespace tolvane {

class TCell;
class TCellColumnSource;
class TGridData;

class TGridStore {
public:
    explicit TGridStore(const TCellColumnSource* columns);
    ~TGridStore();
    TGridStore(const TGridStore&) = delete;
    TGridStore& operator=(const TGridStore&) = delete;

    TGridData& Data() { return *data_; }
    const TGridData& Data() const { return *data_; }

    // Out of range these do nothing (GetCellText leaves value as it was).
    void GetCellText(int col, int row, QString& value);
    void SetCellText(int col, int row, const QString& value);
    // The operations below throw EListError for an index out of range.
    TCell* GetCell(int col, int row);
    TColor GetCellColor(int col, int row);
    int RowCount() const;
    // Rows added without records (AddCellRows) have none.
    int RowRecordCount() const;
    int RowHeight(int row) const;
    bool IsRowSelected(int row) const;
    // Answers whether the flag changed.
    bool SetRowSelected(int row, bool selected);
    void AddRows(int count, bool useDefaultValues, int rowSize);
    void AddCellRows(int count);
    void Clear();
    void DeleteRow(int row);
    void InsertRow(int row, int rowSize);
    void MoveRow(int from, int to);
    void ExchangeRows(int a, int b);
    void ColumnsNotify(int kind, int a, int b);
    void SortRows(int col, TSortType sortType, bool descending);

    // A cell was written.
    std::function<void(int col, int row)> OnCellsChange;
    // The grid's colours of a cell, read by the cells.
    std::function<TColor(int col, int row)> CellBackground;
    std::function<TColor(int col, int row)> CellTextColor;
    std::function<void(int row, int& height)> OnMeasuringRowHeight;

private:
    std::unique_ptr<TGridData> data_;
};

} // namespace tolvane
