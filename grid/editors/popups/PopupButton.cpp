#include "grid/editors/popups/PopupButton.h"

#include <algorithm>

#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

namespace {

constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor cl3DDarkShadow = clSystemColor | 21;

void Frame(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    canvas.Brush.Color = topLeft;
    canvas.FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.Brush.Color = bottomRight;
    canvas.FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom});
}

// The classic two-pixel raised or sunken edge on all four sides.
void DrawEdge(TCanvas& canvas, const TRect& r, bool sunken) {
    canvas.Brush.Style = bsSolid;
    if (sunken) {
        Frame(canvas, r, clBtnShadow, clBtnHighlight);
        Frame(canvas, r.Inflate(-1, -1), cl3DDarkShadow, cl3DLight);
    } else {
        Frame(canvas, r, cl3DLight, cl3DDarkShadow);
        Frame(canvas, r.Inflate(-1, -1), clBtnHighlight, clBtnShadow);
    }
}

} // namespace

TPopupButton::TPopupButton(TCustomControl& parent) : parent_(parent) {}

void TPopupButton::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = TRect{left, top, left + std::max(0, width), top + std::max(0, height)};
    Invalidate();
}

void TPopupButton::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    parent_.InvalidateRect(bounds_);
}

void TPopupButton::SetCaption(const QString& value) {
    if (value == caption_) return;
    caption_ = value;
    Invalidate();
}

void TPopupButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    Invalidate();
}

void TPopupButton::SetHot(bool value) {
    if (value == hot_) return;
    hot_ = value;
    Invalidate();
}

void TPopupButton::SetStyle(int value) {
    if (value == style_) return;
    style_ = value;
    Invalidate();
}

void TPopupButton::Invalidate() {
    if (visible_) parent_.InvalidateRect(bounds_);
}

void TPopupButton::Paint(TCanvas& canvas) {
    if (!visible_ || bounds_.IsEmpty()) return;
    const TRect r = bounds_;
    if (ThemesAvailable()) {
        const int state = down_ ? 3 : hot_ ? 2 : 1;
        DrawThemeElement(canvas, r, state, 1,
                         style_ == 1 ? QStringLiteral("toolbar") : QStringLiteral("button"));
    } else {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(r);
        DrawEdge(canvas, r, down_);
    }
    if (!glyph_.Empty())
        canvas.Draw(r.Left + Width() / 2 - glyph_.Width() / 2, r.Top + Height() / 2 - glyph_.Height() / 2,
                    glyph_);
    canvas.Font = parent_.Font();
    TGraphicsProvider::DrawTextEllipsis(canvas, r, false, caption_, taCenter);
}

void TPopupButton::MouseDown(TMouseButton, TShiftState, int, int) {
    SetDown(true);
}

void TPopupButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    SetDown(false);
}

} // namespace tolvane
