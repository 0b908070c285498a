#pragma once
// Conversions between the grid's value types and Qt's. Platform layer only.

#include <QColor>
#include <QPoint>
#include <QRect>

#include "grid/host/SystemColors.h"
#include "grid/base/Types.h"

namespace tolvane {

// A colour (system references resolved) as an opaque QColor; clNone gives an invalid QColor.
inline QColor ToQColor(TColor c) {
    if (c == clNone) return QColor();
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
// The same colour as a 0xAARRGGBB pixel value of an ARGB32 image (opaque).
inline unsigned ToPixel(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return 0xFF000000u | (unsigned(GetRValue(rgb)) << 16) | (unsigned(GetGValue(rgb)) << 8) | GetBValue(rgb);
}
inline TColor FromPixel(unsigned argb) {
    return RGB(std::uint8_t((argb >> 16) & 0xFF), std::uint8_t((argb >> 8) & 0xFF),
               std::uint8_t(argb & 0xFF));
}
inline TColor FromQColor(const QColor& c) {
    return RGB(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
}
// TRect excludes right and bottom; QRect is built from position and size so no off-by-one creeps in.
inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}
inline TRect FromQRect(const QRect& r) {
    return TRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
inline QPoint ToQPoint(TPoint p) {
    return QPoint(p.X, p.Y);
}
inline TPoint FromQPoint(QPoint p) {
    return TPoint{p.x(), p.y()};
}

} // namespace tolvane
