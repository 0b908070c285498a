#include "grid/control/flyouts/ColumnDragBox.h"

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

TColumnDragBox::TColumnDragBox(TCustomControl& grid) : display_(&grid) {}

void TColumnDragBox::StartDrag(TCustomColumn& column) {
    display_.ShowPressed = false;
    Canvas().Font = Font();
    column_ = &column;
    Invalidate();
    Show();
}

void TColumnDragBox::DragTo(TPoint screen) {
    if (!column_) return;
    if (OnMoved) OnMoved(*this, screen.X, screen.Y);
    SetBounds(screen.X - Width() / 2, screen.Y - Height() + 4, Width(), Height());
}

void TColumnDragBox::Release(TMouseButton button, TPoint screen) {
    if (button != mbLeft || !column_) return;
    Hide();
    if (OnDropped) OnDropped(*this, screen.X, screen.Y);
    column_ = nullptr;
}

void TColumnDragBox::Cancel() {
    Hide();
    column_ = nullptr;
}

void TColumnDragBox::Paint() {
    TCanvas& c = Canvas();
    if (!column_) {
        TFlyoutControl::Paint();
        return;
    }
    display_.Canvas = &c;
    const TRect r = ClientRect();
    display_.PaintHeaderCell(*column_, r);
    c.Pen.Mode = pmCopy;
    c.Pen.Color = clBlack;
    c.Polyline({{0, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}, {r.Right - 1, -1}});
}

// Moves and releases reach the box itself when the platform delivers them to the window under
// the pointer; the grid hands on those it receives.
void TColumnDragBox::MouseMove(TShiftState shift, int x, int y) {
    TFlyoutControl::MouseMove(shift, x, y);
    DragTo(ClientToScreen({x, y}));
}

void TColumnDragBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TFlyoutControl::MouseUp(button, shift, x, y);
    Release(button, ClientToScreen({x, y}));
}

} // namespace tolvane
