#pragma once
// Where the main window opens: at its design size when the screen has room for it, shrunk to the
// screen's available area when not (never below its minimum size), and centred in that area.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace tolvane {

class TWindowPlacement {
public:
    // The client rectangle for a window of `design` size whose frame adds `frame` around it.
    static QRect FitCentred(QSize design, QSize minimum, const QRect& available, const QMargins& frame);
    // The frame the desktop puts around `window`: its own once known, else one estimated from
    // the style's title bar and frame widths.
    static QMargins FrameOf(const QWidget& window);
    // Sizes and moves the not yet shown `window` to its design size fitted into its screen.
    static void Place(QWidget& window, QSize design);
};

} // namespace tolvane
