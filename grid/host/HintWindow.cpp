#include "grid/host/HintWindow.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tolvane {

namespace {
constexpr unsigned kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
// The text sits 3 pixels in from the left and 2 from the top, inside a one-pixel frame.
constexpr int kLeft = 3, kTop = 2, kRight = 3, kBottom = 2;
// The gap between a hint moved off the pointer and the rows it explains.
constexpr int kGap = 2;

int Shifted(int low, int high, int areaLow, int areaHigh) {
    if (high > areaHigh) return areaHigh - high;
    if (low < areaLow) return areaLow - low;
    return 0;
}
} // namespace

THintWindow::THintWindow() {
    // A tool window is managed: the window manager frames it, and the frame under a resting
    // pointer takes the pointer from the control that showed the hint. A tooltip window is not.
    if (QWidget* w = Widget()) {
        w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
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
    // Mapping it again at every pointer move would make it flicker.
    if (Active() && text == text_ && BoundsRect() == screenRect) return;
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

TRect THintWindow::ClearOfPointer(const TRect& wanted, TPoint pointer, const TRect& band, const TRect& workArea) {
    TRect r = wanted.Offset(Shifted(wanted.Left, wanted.Right, workArea.Left, workArea.Right),
                            Shifted(wanted.Top, wanted.Bottom, workArea.Top, workArea.Bottom));
    if (r.Contains(pointer)) {
        r = r.Offset(0, band.Bottom + kGap - r.Top);
        if (r.Bottom > workArea.Bottom) r = r.Offset(0, band.Top - kGap - r.Bottom);
        r = r.Offset(0, Shifted(r.Top, r.Bottom, workArea.Top, workArea.Bottom));
    }
    return r;
}

TRect THintWindow::WorkAreaAt(TPoint point) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(point.X, point.Y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return TRect{point.X, point.Y, point.X, point.Y};
    const QRect a = screen->availableGeometry();
    return TRect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
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
