#pragma once
// The grid that holds its own data: a cell store and row records behind the grid control, the
// loading of cell values into the column displays, sorting, footer formulas, cell hints and the
// change notification.

#include <memory>

#include "grid/control/CustomGridView.h"
#include "grid/model/cells/GridData.h"

namespace tolvane {

class TCell;
class TCellHint;

class TGridView : public TCustomGridView {
public:
    TGridView();
    ~TGridView() override;

    // ---- data operations --------------------------------------------------------------------
    QString GetCellText(int ACol, int ARow) override;
    void SetCellText(int ACol, int ARow, const QString& value) override;
    TColor GetCellColor(int ACol, int ARow) override;
    int GetRowCount() const override;
    int GetRowHeight(int ARow) const override;
    bool IsRowSelected(int ARow) const override;
    void SetRowSelected(int ARow, bool selected) override;
    void AddRows(int count) override;
    void Clear() override;
    void DeleteRow(int ARow) override;
    void InsertRow(int ARow) override;
    void MoveRow(int fromRow, int toRow) override;
    void ExchangeRows(int row1, int row2) override;
    void ColumnsNotify(TColumnsNotification kind, int index1, int index2) override;
    void SortColumn(TCustomColumn& column, bool ascending) override;
    void CalculateFooters() override;

    // ---- painting -----------------------------------------------------------------------------
    bool PrepareCellCanvas(int ACol, int ARow, TCellState state) override;
    void DoCellFormating(int ACol, int ARow, TCellState state) override;

    // ---- in-cell editing ----------------------------------------------------------------------
    void PrepareInPlaceEditor(TColumnPlay& play) override;
    void StoreInPlaceValue(TColumnPlay& play) override;
    void RegisterColumnClasses() override;

    // ---- added here ---------------------------------------------------------------------------
    // The cell object; the indexes must lie inside the store (EListError otherwise).
    virtual TCell* GetCell(int ACol, int ARow);
    // Cells only, without row records.
    virtual void AddCellRows(int count);

    // The cell store and row records. Changing them here skips the screen updates.
    TGridData& Data() { return data_; }
    const TGridData& Data() const { return data_; }
    TCellHint& CellHint() const { return *cellHint_; }

    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

    TCellFormatingEvent OnCellFormating;
    TChangeEvent OnChange;
    TMeasuringRowHeightEvent OnMeasuringRowHeight;

protected:
    bool ViewportRowHeightsVary() const override { return bool(OnMeasuringRowHeight); }

private:
    // Rows added without row records have none to read.
    bool HasRowRecord(int ARow) const;
    // Moves the rows shown from `top` down by dy pixels (up when negative) after an insert or
    // a delete.
    void ShiftRowsOnScreen(int top, int dy);

    TGridData data_;
    std::unique_ptr<TCellHint> cellHint_;
};

} // namespace tolvane
