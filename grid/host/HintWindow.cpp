#include "grid/host/HintWindow.h"

#include <algorithm>

namespace tolvane {

namespace {
constexpr unsigned kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
// The text sits 3 pixels in from the left and 2 from the top, inside a one-pixel frame.
constexpr int kLeft = 3, kTop = 2, kRight = 3, kBottom = 2;
} // namespace

THintWindow::THintWindow() {
    SetColor(clInfoBk);
    TFont f = Font();
    f.Color = clInfoText;
    SetFont(f);
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString& text) {
    TRect r{0, 0, std::max(1, maxWidth), 0};
    Canvas().Font = Font();
    Canvas().DrawText(text, r, kTextFlags | DT_CALCRECT);
    r.Right += kLeft + kRight;
    r.Bottom += kTop + kBottom;
    return r;
}

void THintWindow::ActivateHint(const TRect& screenRect, const QString& text) {
    text_ = text;
    SetBounds(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
    Invalidate();
    Show();
}

void THintWindow::ReleaseHandle() {
    Hide();
}

bool THintWindow::Active() const {
    return Visible();
}

const QString& THintWindow::Caption() const {
    return text_;
}

void THintWindow::Paint() {
    TCanvas& c = Canvas();
    c.Brush.Color = Color();
    c.Brush.Style = bsSolid;
    c.FillRect(ClientRect());
    c.Brush.Color = clWindowFrame;
    c.FrameRect(ClientRect());
    c.Font = Font();
    c.Brush.Style = bsClear;
    TRect r{kLeft, kTop, ClientWidth() - kRight, ClientHeight() - kBottom};
    c.DrawText(text_, r, kTextFlags);
    c.Brush.Style = bsSolid;
}

} // namespace tolvane
