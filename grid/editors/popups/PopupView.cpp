#include "grid/editors/popups/PopupView.h"

namespace tolvane {

TPopupView::TPopupView() {
    MakeFlyout();
    window_ = std::make_unique<TPopupWindow>(*this);
    window_->OnPointerEnter = [this] { PointerEntered(); };
    window_->OnPointerLeave = [this] { PointerLeft(); };
    SetVisible(false);
    SetBorderWidth(2);
    // A popup shows a scroll bar only where its contents need one.
    HorzScrollBar().SetMax(0);
    HorzScrollBar().SetVisible(false);
    VertScrollBar().SetVisible(false);
    VertScrollBar().LineStep = 10;
}

TPopupView::~TPopupView() {
    SetMouseCapture(false);
}

void TPopupView::SetClientSize(int width, int height) {
    const int frame = 2 * FrameWidth();
    SetBounds(Left(), Top(), width + frame, height + frame);
}

void TPopupView::Popup(int x, int y) {
    const TRect area = TPopupWindow::WorkAreaAt(TPoint{x, y});
    if (x + Width() > area.Right) x = area.Right - Width() - 1;
    if (x < area.Left) x = area.Left;
    window_->ShowTopMost(x, y);
    closed_ = false;
    armed_ = false;
    SetVisible(true);
    SetMouseCapture(true);
}

void TPopupView::ClosePopup() {
    closed_ = true;
    SetMouseCapture(false);
    Hide();
    DoClose();
}

void TPopupView::DoClose() {
    if (OnCloseUp) OnCloseUp(this);
}

void TPopupView::DoSelect(const QString& value) {
    if (OnSelect) OnSelect(this, value);
}

void TPopupView::Choose(const QString& value) {
    DoSelect(value);
    if (!closed_) ClosePopup();
}

void TPopupView::DrawBorder(TCanvas& canvas) {
    const TRect all{0, 0, Width(), Height()};
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = cl3DDkShadow;
    canvas.FrameRect(all);
    canvas.Brush.Color = clBtnHighlight; // white on the classic palette
    canvas.FrameRect(all.Inflate(-1, -1));
}

void TPopupView::NCPaint(TCanvas& canvas) {
    TScrollView::NCPaint(canvas);
    DrawBorder(canvas);
}

void TPopupView::PointerEntered() {
    // Over itself the popup lets go of the mouse, so that its scroll bar works.
    if (!closed_ && MouseCapture()) SetMouseCapture(false);
}

void TPopupView::PointerLeft() {
    if (!closed_ && !window_->PointerInside()) SetMouseCapture(true);
}

void TPopupView::WMMouseMove(TShiftState shift, int x, int y) {
    TScrollView::WMMouseMove(shift, x, y);
    if (closed_ || Rolling()) return;
    // Moves arrive here while the popup holds the mouse, wherever the pointer is.
    const bool inside = BoundsRect().Contains(ClientToScreen(TPoint{x, y}));
    if (inside)
        PointerEntered();
    else if (!MouseCapture())
        SetMouseCapture(true);
}

void TPopupView::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollView::WMMouseUp(button, shift, x, y);
    if (closed_) return;
    if (!armed_) {
        // The release of the click that opened the popup.
        armed_ = true;
        SetMouseCapture(true);
    } else if (ClientRect().Contains(TPoint{x, y})) {
        SelectAt(x, y);
    } else {
        ClosePopup();
    }
}

} // namespace tolvane
