#include "grid/host/DeviceImage.h"

#include <cmath>

#include "grid/host/QtConvert.h"

namespace tolvane {

QImage CreateDeviceImage(int width, int height, qreal ratio) {
    if (width <= 0 || height <= 0) return QImage();
    if (ratio == 1.0) return QImage(width, height, QImage::Format_ARGB32);
    QImage image(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

QSize LogicalSize(const QImage& image) {
    const qreal ratio = image.devicePixelRatio();
    if (ratio == 1.0) return image.size();
    // The device size was rounded up: less than one logical pixel too many.
    return QSize(int(std::floor(image.width() / ratio + 1e-6)),
                 int(std::floor(image.height() / ratio + 1e-6)));
}

bool WholeRatio(qreal ratio) {
    return ratio >= 1.0 && ratio == std::floor(ratio);
}

int DeviceCoordinate(int logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    return int(std::floor((logical + 0.5) * ratio));
}

TColor LogicalPixel(const QImage& image, int x, int y) {
    const QSize size = LogicalSize(image);
    if (image.isNull() || x < 0 || y < 0 || x >= size.width() || y >= size.height()) return clNone;
    const qreal ratio = image.devicePixelRatio();
    return DevicePixel(image, DeviceCoordinate(x, ratio), DeviceCoordinate(y, ratio));
}

TColor DevicePixel(const QImage& image, int x, int y) {
    if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height()) return clNone;
    return FromPixel(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x]);
}

} // namespace tolvane
