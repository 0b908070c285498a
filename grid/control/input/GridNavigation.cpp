#include "grid/control/input/GridNavigation.h"

#include <algorithm>

#include "grid/control/CustomGridViewControl.h"
#include "grid/control/GridAccessibility.h"
#include "grid/control/paint/GridInvalidator.h"

namespace tolvane {

void TGridNavigation::RaiseSelectCell(int col, int row) {
    grid_.Accessibility().CurrentCellChanged(col, row);
    if (grid_.OnSelectCell) grid_.OnSelectCell(&grid_, col, row);
}

void TGridNavigation::ClearMultiSelection() {
    const int rows = grid_.GetRowCount();
    for (int r = 0; r < rows; ++r) grid_.SetRowSelected(r, false);
    selection_.Marking = false;
}

void TGridNavigation::SelectSpan(int from, int to) {
    const int rows = grid_.GetRowCount();
    const int lo = std::max(0, std::min(from, to));
    const int hi = std::min(rows - 1, std::max(from, to));
    for (int r = 0; r < lo && r < rows; ++r) grid_.SetRowSelected(r, false);
    for (int r = hi + 1; r < rows; ++r) grid_.SetRowSelected(r, false);
    for (int r = lo; r <= hi; ++r) grid_.SetRowSelected(r, true);
}

void TGridNavigation::SetCurrentCell(int col, int row, TShiftState shift) {
    const bool extend = shift.Contains(ssShift) || shift.Contains(ssCtrl);
    if (selection_.Marking && !extend) ClearMultiSelection();

    const int oldCol = selection_.Col, oldRow = selection_.Row;
    selection_.Col = col;
    selection_.Row = row;
    const bool cellChanged = oldCol != col || oldRow != row;
    const bool rowChanged = oldRow != row;
    if (cellChanged && grid_.OnDeselectCell) grid_.OnDeselectCell(&grid_, oldCol, oldRow);

    if (grid_.AutoScroll()) grid_.MakeRowVisible(row);

    TGridInvalidator& repaint = grid_.Invalidator();
    if (selection_.InputFocused) {
        if (oldCol != col) {
            grid_.InvalidateColumnPart(col, gaInput);
            grid_.InvalidateColumnPart(oldCol, gaInput);
        }
        return;
    }
    if (grid_.GetRowCount() == 0) return;

    if (!grid_.Has(goSelectFullRow)) {
        if (cellChanged) {
            grid_.InvalidateCell(col, row);
            grid_.InvalidateCell(oldCol, oldRow);
            if (rowChanged) {
                repaint.IndicatorCell(row);
                repaint.IndicatorCell(oldRow);
            }
        }
        RaiseSelectCell(col, row);
        return;
    }

    const bool multi = grid_.Has(goMultiSelect);
    if (multi && shift.Contains(ssCtrl)) {
        selection_.AnchorRow = row;
        selection_.Marking = true;
        if (row >= 0 && row < grid_.GetRowCount()) grid_.SetRowSelected(row, !grid_.IsRowSelected(row));
        if (rowChanged) {
            repaint.Row(row);
            repaint.Row(oldRow);
        }
        RaiseSelectCell(col, row);
        return;
    }
    if (multi && shift.Contains(ssShift)) {
        selection_.Marking = true;
        SelectSpan(selection_.AnchorRow, row);
        if (rowChanged) {
            repaint.Row(row);
            repaint.Row(oldRow);
        }
        RaiseSelectCell(col, row);
        return;
    }

    if (!rowChanged) {
        if (grid_.Has(aoIndicateSelectedCell) && oldCol != col) {
            grid_.InvalidateCell(col, row);
            grid_.InvalidateCell(oldCol, oldRow);
        }
    } else {
        if (!selection_.Marking) grid_.SetRowSelected(oldRow, false);
        // The old row may carry the focus frame without being selected.
        repaint.Row(oldRow);
    }
    grid_.SetRowSelected(row, true);
    selection_.AnchorRow = row;
    RaiseSelectCell(col, row);
}

void TGridNavigation::SetCurrentRow(int row) {
    // A row above the first one is no row: moving there would leave the grid without a
    // current row.
    if (row < 0 || row >= grid_.GetRowCount()) return;
    grid_.SetCurrentCell(selection_.Col, row, TShiftState{});
    selection_.InputFocused = false;
}

void TGridNavigation::PreviousVisibleColumn() {
    const TColumns& columns = grid_.Columns();
    if (selection_.Col < 0 || selection_.Col >= columns.Count()) return;
    for (int p = columns.DisplayIndexOf(columns[selection_.Col]) - 1; p >= 0; --p) {
        const TCustomColumn& c = columns.ColumnByPosition(p);
        if (c.Visible()) {
            grid_.SetCurrentCell(c.GetIndex(), selection_.Row, TShiftState{});
            return;
        }
    }
}

void TGridNavigation::NextVisibleColumn() {
    const TColumns& columns = grid_.Columns();
    if (selection_.Col < 0 || selection_.Col >= columns.Count()) return;
    for (int p = columns.DisplayIndexOf(columns[selection_.Col]) + 1; p < columns.Count(); ++p) {
        const TCustomColumn& c = columns.ColumnByPosition(p);
        if (c.Visible()) {
            grid_.SetCurrentCell(c.GetIndex(), selection_.Row, TShiftState{});
            return;
        }
    }
}

void TGridNavigation::SetInputFocused(bool value) {
    if (selection_.InputFocused == value) return;
    selection_.InputFocused = value;
    grid_.SetRowSelected(selection_.Row, false);
    grid_.InvalidateArea(gaInput);
    grid_.InvalidateArea(gaIndicator);
    grid_.InvalidateSelection();
}

void TGridNavigation::MoveBySelectionDirection() {
    switch (grid_.SelectionMoveDirection()) {
    case mdUp:
        grid_.SetCurrentRow(selection_.Row - 1);
        break;
    case mdDown:
        grid_.SetCurrentRow(selection_.Row + 1);
        break;
    case mdLeft:
        PreviousVisibleColumn();
        break;
    case mdRight:
        NextVisibleColumn();
        break;
    case mdNone:
        break;
    }
}

} // namespace tolvane
