#include "app/WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tolvane {

QRect TWindowPlacement::FitCentred(QSize design, QSize minimum, const QRect& available, const QMargins& frame) {
    const int roomW = available.width() - frame.left() - frame.right();
    const int roomH = available.height() - frame.top() - frame.bottom();
    const QSize size(std::max(minimum.width(), std::min(design.width(), roomW)),
                     std::max(minimum.height(), std::min(design.height(), roomH)));
    const int outerW = size.width() + frame.left() + frame.right();
    const int outerH = size.height() + frame.top() + frame.bottom();
    // A window larger than the area (its minimum does not fit) keeps its caption on screen.
    const int left = available.left() + std::max(0, (available.width() - outerW) / 2);
    const int top = available.top() + std::max(0, (available.height() - outerH) / 2);
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

QMargins TWindowPlacement::FrameOf(const QWidget& window) {
    // Under a window manager the frame is known only once the window is shown.
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins m = handle->frameMargins();
        if (!m.isNull()) return m;
    }
    const QStyle* style = window.style();
    const int border = std::max(4, style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window));
    const int caption = std::max(24, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window)) + border;
    return QMargins(border, caption, border, border);
}

void TWindowPlacement::Place(QWidget& window, QSize design) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(design);
        return;
    }
    const QMargins frame = FrameOf(window);
    const QRect client = FitCentred(design, window.minimumSize(), screen->availableGeometry(), frame);
    window.resize(client.size());
    // A top-level window's position is that of its frame.
    window.move(client.topLeft() - QPoint(frame.left(), frame.top()));
}

} // namespace tolvane
