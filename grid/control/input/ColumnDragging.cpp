#include "grid/control/input/ColumnDragging.h"

#include <cstdlib>

#include "grid/control/CustomGridViewControl.h"
#include "grid/control/flyouts/ColumnDragBox.h"
#include "grid/control/flyouts/DragArrow.h"
#include "grid/control/input/GridMouse.h"
#include "grid/display/styles/StyleDisplay.h"
#include "grid/host/Screen.h"

namespace tolvane {

namespace {
// The narrowest a column gets (the column model refuses anything less).
constexpr int MinColumnWidth = 8;
} // namespace

TColumnDragging::TColumnDragging(TCustomGridViewControl& grid)
    : grid_(grid), downArrow_(std::make_unique<TDragArrow>()), upArrow_(std::make_unique<TDragArrow>()),
      box_(std::make_unique<TColumnDragBox>(grid)) {
    // The arrows stay above the grid's window and go with it.
    downArrow_->SetParentWidget(grid.Widget());
    upArrow_->SetParentWidget(grid.Widget());
    downArrow_->SetDirection(adDown);
    upArrow_->SetDirection(adUp);
    box_->OnMoved = [this](TColumnDragBox&, int x, int y) { Moved({x, y}); };
    box_->OnDropped = [this](TColumnDragBox&, int x, int y) { Dropped({x, y}); };
}

TColumnDragging::~TColumnDragging() {
    if (dragging_) TScreen::SetCursor(crDefault);
}

TCustomColumn* TColumnDragging::ColumnOf(int index) const {
    TColumns& columns = grid_.Columns();
    return index >= 0 && index < columns.Count() ? &columns[index] : nullptr;
}

// ---- resizing -------------------------------------------------------------------------------

void TColumnDragging::DrawLine(int x) {
    TCanvas& c = grid_.Canvas();
    const TPenMode mode = c.Pen.Mode;
    c.Pen.Mode = pmNot;
    c.MoveTo(x, 0);
    c.LineTo(x, grid_.ClientHeight());
    c.Pen.Mode = mode;
}

void TColumnDragging::StartResize(int columnIndex, TPoint) {
    TCustomColumn* column = ColumnOf(columnIndex);
    if (!column) return;
    cancelled_ = false;
    const int hpos = grid_.HorzPosition();
    resized_ = columnIndex;
    delta_ = 0;
    leftLine_ = column->Left() - hpos - (columnIndex == 0 ? 0 : 1);
    rightLine_ = column->Left() + column->Width() - hpos - 1;
    DrawLine(leftLine_);
    DrawLine(rightLine_);
    resizing_ = true;
}

void TColumnDragging::ResizeMove(TPoint p) {
    TCustomColumn* column = ColumnOf(resized_);
    if (!resizing_ || !column) return;
    const int hpos = grid_.HorzPosition();
    DrawLine(rightLine_);
    delta_ = p.X + hpos - column->Left() - column->Width();
    if (column->Width() + delta_ < MinColumnWidth) delta_ = MinColumnWidth - column->Width();
    rightLine_ = column->Left() + column->Width() + delta_ - hpos - 1;
    DrawLine(rightLine_);
}

void TColumnDragging::EndResize(bool apply) {
    TCustomColumn* column = ColumnOf(resized_);
    const int width = column ? column->Width() + delta_ : 0;
    // The lines go before anything can paint again: the pixels under them are the ones to restore.
    resizing_ = false;
    DrawLine(leftLine_);
    DrawLine(rightLine_);
    resized_ = -1;
    edge_ = -1;
    delta_ = 0;
    if (apply && column) column->SetWidth(width);
    // Paints asked for while the lines were up were skipped; nothing of them may be lost.
    grid_.Invalidate();
}

// ---- header presses and sorting -------------------------------------------------------------

void TColumnDragging::HeaderPress(TMouseButton, TPoint p) {
    cancelled_ = false;
    const int index = grid_.Geometry().ColumnAt(p.X);
    TCustomColumn* column = ColumnOf(index);
    if (!column || !column->Options().Contains(coCanClick)) {
        candidate_ = -1;
        return;
    }
    candidate_ = index;
    pressedHeader_ = index;
    grid_.InvalidateColumnPart(index, gaHeader);
}

void TColumnDragging::EndPress(TMouseButton, TPoint) {
    sortAllowed_ = !resizing_ && !cancelled_;
    cancelled_ = false;
    if (resizing_) EndResize(true);
    if (const int pressed = pressedHeader_; pressed >= 0) {
        if (grid_.OnHeaderClick) grid_.OnHeaderClick(&grid_, pressed);
        grid_.InvalidateColumnPart(pressed, gaHeader);
        pressedHeader_ = -1;
    }
    candidate_ = -1;
}

void TColumnDragging::HeaderRelease(TPoint p) {
    if (!sortAllowed_) return;
    TCustomColumn* column = ColumnOf(grid_.Geometry().ColumnAt(p.X));
    if (!column || !column->Options().Contains(coCanSort)) return;
    if (column->Sorted())
        column->SetSortKind(column->SortKind() == skAscending ? skDescending : skAscending);
    else
        column->SetSorted(true);
}

// ---- hovering -------------------------------------------------------------------------------

void TColumnDragging::HeaderHover(TPoint p) {
    edge_ = grid_.Geometry().ResizeColumnAt(p);
    grid_.SetCursor(edge_ >= 0 ? crGridHorzSplit : crDefault);
    if (!grid_.Has(goDissableColumnMoving) && candidate_ >= 0) {
        const TPoint press = grid_.Mouse().PressPoint();
        if (std::abs(p.X - press.X) <= DragThreshold && std::abs(p.Y - press.Y) <= DragThreshold) return;
        StartDrag();
        return;
    }
    TStyleDisplay& display = grid_.StyleDisplay();
    display.Themed = grid_.Themed();
    if (!display.HeaderFeatures().Contains(hfHotTrack)) return;
    const int hot = grid_.Geometry().ColumnAt(p.X);
    if (hot == hotHeader_) return;
    const int old = hotHeader_;
    hotHeader_ = hot;
    grid_.InvalidateColumnPart(hot, gaHeader);
    grid_.InvalidateColumnPart(old, gaHeader);
}

void TColumnDragging::EndHotTracking() {
    edge_ = -1;
    if (hotHeader_ < 0) return;
    const int old = hotHeader_;
    hotHeader_ = -1;
    grid_.InvalidateColumnPart(old, gaHeader);
}

// ---- dragging -------------------------------------------------------------------------------

void TColumnDragging::StartDrag() {
    TCustomColumn* column = ColumnOf(candidate_);
    if (!column) return;
    dragging_ = true;
    const TPoint origin = grid_.ClientToScreen({column->Left() - grid_.HorzPosition(), 0});
    box_->SetFont(grid_.Font());
    box_->SetBounds(origin.X, origin.Y, column->Width(), grid_.Settings().HeaderSize);
    box_->Display().Themed = grid_.Themed();
    box_->StartDrag(*column);
}

void TColumnDragging::DragMove(TPoint client) {
    if (dragging_) box_->DragTo(grid_.ClientToScreen(client));
}

void TColumnDragging::DragRelease(TMouseButton button, TPoint client) {
    if (dragging_) box_->Release(button, grid_.ClientToScreen(client));
}

void TColumnDragging::HideArrows() {
    downArrow_->Hide();
    upArrow_->Hide();
}

void TColumnDragging::Moved(TPoint screen) {
    const TPoint p = grid_.ScreenToClient(screen);
    const TGridGeometry& geo = grid_.Geometry();
    dropTarget_ = geo.ColumnAt(p.X);
    TCustomColumn* target = ColumnOf(dropTarget_);
    if (target && geo.HeaderBandRect().Contains(p)) {
        const TPoint s = grid_.ClientToScreen({target->Left() - grid_.HorzPosition(), 0});
        downArrow_->ShowAt(s.X - 4, s.Y - 12);
        upArrow_->ShowAt(s.X - 4, s.Y + grid_.Settings().HeaderSize - 1);
        TScreen::SetCursor(crDefault);
    } else {
        HideArrows();
        TScreen::SetCursor(crGridColumnNoDrag);
    }
}

void TColumnDragging::Dropped(TPoint screen) {
    TScreen::SetCursor(crDefault);
    TCustomColumn* dragged = box_->Column();
    const TPoint p = grid_.ScreenToClient(screen);
    const TGridGeometry& geo = grid_.Geometry();
    if (dragged) {
        int position = -1;
        const int target = geo.ColumnAt(p.X, &position);
        if (geo.DropZoneRect().Contains(p)) {
            if (target >= 0) dragged->SetPosition(position);
        } else if (grid_.Has(goCanHideColumn)) {
            dragged->SetVisible(false);
        }
        grid_.InvalidateColumnPart(dragged->GetIndex(), gaHeader);
    }
    candidate_ = -1;
    grid_.Mouse().ForgetPress();
    pressedHeader_ = -1;
    dropTarget_ = -1;
    HideArrows();
    dragging_ = false;
}

void TColumnDragging::Cancel() {
    candidate_ = -1;
    dropTarget_ = -1;
    if (pressedHeader_ >= 0) grid_.InvalidateColumnPart(pressedHeader_, gaHeader);
    pressedHeader_ = -1;
    grid_.Mouse().ForgetPress();
    HideArrows();
    box_->Cancel();
    if (resizing_) EndResize(false);
    dragging_ = false;
    cancelled_ = true;
    TScreen::SetCursor(crDefault);
    grid_.SetCursor(crDefault);
}

} // namespace tolvane
