#include "grid/control/input/GridMouse.h"

#include "grid/control/CustomGridViewControl.h"
#include "grid/control/edit/GridEditing.h"
#include "grid/control/input/ColumnDragging.h"
#include "grid/host/Screen.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/display/base/ColumnPlay.h"

namespace tolvane {

bool TGridMouse::IsRealCell(TCellCoord cell) const {
    return cell.Col >= 0 && cell.Col < grid_.Columns().Count() && cell.Row >= 0 &&
           cell.Row < grid_.GetRowCount();
}

bool TGridMouse::MouseDown(TMouseButton button, TShiftState shift, TPoint p) {
    last_ = p;
    if (shift.Contains(ssDouble)) return false;
    if (grid_.CanFocus()) grid_.SetFocus();
    // Both end the press here: the scroll view's handling (OnMouseDown) does not follow.
    if (grid_.Columns().Count() == 0) return false;
    if (button == mbRight && grid_.MultiSelecting()) return false;

    pressPoint_ = p;
    // Only a press on the cells names a click cell; a release there after a press elsewhere is
    // no click.
    clickCell_ = TCellCoord{};
    if (const int edge = grid_.Geometry().ResizeColumnAt(p); edge >= 0) {
        grid_.ColumnDragging().StartResize(edge, p);
        return true;
    }
    switch (grid_.Geometry().AreaAt(p)) {
    case gaCells:
        PressCells(shift, p);
        break;
    case gaHeader:
        grid_.ColumnDragging().HeaderPress(button, p);
        break;
    case gaIndicator:
        PressIndicator(shift, p);
        break;
    case gaNone:
        grid_.AcceptEdit();
        if (!grid_.Editing().Refused()) grid_.HideEditor();
        break;
    default:
        break;
    }
    return true;
}

void TGridMouse::PressCells(TShiftState shift, TPoint p) {
    const bool inputEdited = grid_.EditingInput();
    grid_.AcceptEdit();
    if (grid_.Editing().Refused()) return; // the typed text stays in its editor
    if (inputEdited) grid_.AcceptInput();
    grid_.HideEditor();
    if (grid_.GridStyle() == gsReport) grid_.SetInputFocused(false);
    const TCellCoord cell = grid_.Geometry().CellAt(p);
    clickCell_ = cell;
    const int rows = grid_.GetRowCount();
    if (rows == 0) return;
    const int row = (cell.Row < 0 || cell.Row >= rows) ? grid_.Row() : cell.Row;
    const int col = (cell.Col < 0 || cell.Col >= grid_.Columns().Count()) ? grid_.Col() : cell.Col;
    grid_.SetCurrentCell(col, row, shift);
}

void TGridMouse::PressIndicator(TShiftState shift, TPoint p) {
    grid_.HideEditor();
    const int row = grid_.Geometry().RowAt(p.Y);
    if (row >= 0) grid_.SetCurrentCell(grid_.Col(), row, shift);
}

void TGridMouse::MouseUp(TMouseButton button, TShiftState shift, TPoint p) {
    last_ = p;
    grid_.ColumnDragging().EndPress(button, p);
    const TCellCoord cell = grid_.Geometry().CellAt(p);
    const bool sameCell = IsRealCell(cell) && cell == clickCell_;
    if (sameCell && grid_.OnCellClick) grid_.OnCellClick(&grid_, cell.Col, cell.Row);
    pressPoint_ = TPoint{-1, -1};
    if (button != mbLeft || grid_.Columns().Count() == 0) return;

    switch (grid_.Geometry().AreaAt(p)) {
    case gaCells:
        if (sameCell && !grid_.MultiSelecting()) ReleaseCells(button, shift, p);
        break;
    case gaFooter:
        if (const int col = grid_.Geometry().ColumnAt(p.X); col >= 0 && grid_.OnFooterClick)
            grid_.OnFooterClick(&grid_, col);
        break;
    case gaHeader:
        grid_.ColumnDragging().HeaderRelease(p);
        break;
    case gaInput:
        if (const int col = grid_.Geometry().ColumnAt(p.X); col >= 0) grid_.ShowInputEditor(col, QString());
        break;
    default:
        break;
    }
}

void TGridMouse::ReleaseCells(TMouseButton button, TShiftState shift, TPoint p) {
    const TCellCoord cell = clickCell_;
    TCustomColumn& column = grid_.Columns()[cell.Col];
    TColumnPlay* play = column.Play();
    if (play && column.Options().Contains(coEditing)) {
        const TRect rect = grid_.GetCellRect(cell.Col, cell.Row, gaCells);
        if (grid_.CanEditInPlace(cell.Col, cell.Row, rect))
            play->MouseClick(button, shift, p.X - rect.Left, p.Y - rect.Top);
        return;
    }
    grid_.ShowEditor(cell.Col, cell.Row, QString());
}

void TGridMouse::MouseMove(TShiftState, TPoint p) {
    last_ = p;
    if (grid_.Rolling() || grid_.Columns().Count() == 0) return;
    if (grid_.ColumnDragging().Resizing()) {
        grid_.ColumnDragging().ResizeMove(p);
        return;
    }
    const TGridArea area = grid_.Geometry().AreaAt(p);
    if (area != gaHeader) grid_.ColumnDragging().EndHotTracking();
    switch (area) {
    case gaCells:
        MoveOverCells(p);
        break;
    case gaHeader:
        grid_.FitHint().Hide();
        grid_.ColumnDragging().HeaderHover(p);
        break;
    case gaIndicator:
        if (grid_.Has(goIndicator)) {
            MoveOverIndicator(p);
            break;
        }
        [[fallthrough]];
    default:
        grid_.SetCursor(crDefault);
        grid_.FitHint().Hide();
        break;
    }
}

void TGridMouse::MoveOverCells(TPoint p) {
    const TCellCoord cell = grid_.Geometry().CellAt(p);
    if (grid_.IsEditCell(cell.Col, cell.Row)) {
        grid_.FitHint().Hide();
        return;
    }
    if (IsRealCell(cell)) {
        grid_.FitHint().Update(cell.Col, cell.Row, p);
        grid_.SetCursor(grid_.Columns()[cell.Col].Cursor());
    } else {
        grid_.FitHint().Hide();
        grid_.SetCursor(crDefault);
    }
}

void TGridMouse::MoveOverIndicator(TPoint p) {
    const TGridGeometry& geo = grid_.Geometry();
    const bool overRows = p.Y >= geo.DataTop() && p.Y < geo.LastRowBottom();
    grid_.SetCursor(overRows ? crGridIndicatorSelect : crDefault);
    grid_.FitHint().Hide();
}

void TGridMouse::ForgetPress() {
    pressPoint_ = TPoint{-1, -1};
    clickCell_ = TCellCoord{};
}

bool TGridMouse::DoubleClickCounts() const {
    return grid_.Geometry().DataRect().Contains(last_);
}

void TGridMouse::Wheel(TShiftState shift, int wheelDelta) {
    const bool page = shift.Contains(ssCtrl);
    if (wheelDelta < 0) {
        page ? grid_.VertPageDown() : grid_.VertLineDown();
    } else if (wheelDelta > 0) {
        page ? grid_.VertPageUp() : grid_.VertLineUp();
    }
}

} // namespace tolvane
