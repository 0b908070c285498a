#pragma once
// Images kept at device resolution: a control's surface and frame hold one pixel per device
// pixel (QImage::devicePixelRatio set), while everything outside the platform layer keeps
// working in logical pixels. Platform layer only.

#include <QImage>
#include <QSize>

#include "grid/base/Types.h"

namespace tolvane {

// An ARGB32 image covering width x height logical pixels at `ratio` device pixels each (whole
// device pixels, rounded up).
QImage CreateDeviceImage(int width, int height, qreal ratio);
// The logical pixels an image covers.
QSize LogicalSize(const QImage& image);
// Whether a ratio maps every logical pixel onto whole device pixels (1, 2, 3...).
bool WholeRatio(qreal ratio);
// The device pixel under the centre of logical pixel `logical`.
int DeviceCoordinate(int logical, qreal ratio);
// A logical pixel read at its centre; clNone outside the image.
TColor LogicalPixel(const QImage& image, int x, int y);
// A device pixel; clNone outside the image.
TColor DevicePixel(const QImage& image, int x, int y);

} // namespace tolvane
