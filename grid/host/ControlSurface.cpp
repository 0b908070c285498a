#include "grid/host/ControlSurface.h"

#include <cstring>

#include "grid/host/DeviceImage.h"
#include "grid/host/QtConvert.h"

namespace tolvane {

TControlSurface::TControlSurface() : canvas_(&image_) {}

void TControlSurface::Discard(TColor color) {
    // Made when next drawn on or read: a grid filled row by row shows and hides its scroll bar,
    // and a layout settles through several sizes, without a paint in between.
    canvas_.Flush();
    stale_ = true;
    fill_ = color;
    invalid_ = QRegion();
}

void TControlSurface::Ensure(int width, int height) {
    if (!stale_) return;
    stale_ = false;
    image_ = CreateDeviceImage(width, height, ratio_);
    if (!image_.isNull()) image_.fill(ToQColor(fill_));
    canvas_.Retarget(&image_);
}

QRect TControlSurface::TakeInvalid() {
    const QRect box = invalid_.boundingRect();
    invalid_ = QRegion();
    return box;
}

bool TControlSurface::Scroll(int dx, int dy, const TRect& clip, int width, int height) {
    if (!WholeRatio(ratio_)) return false;
    Ensure(width, height);
    canvas_.Flush();
    const TRect dest = clip.Offset(dx, dy).Intersect(clip); // pixels that receive moved content
    if (!dest.IsEmpty()) {
        const int k = int(ratio_); // device pixels per logical pixel
        const int bytes = dest.Width() * k * 4, ddx = dx * k, ddy = dy * k;
        const auto copyRow = [&](int y) {
            const uchar* from = image_.constScanLine(y - ddy) + (dest.Left * k - ddx) * 4;
            uchar* to = image_.scanLine(y) + dest.Left * k * 4;
            std::memmove(to, from, std::size_t(bytes));
        };
        if (dy > 0)
            for (int y = dest.Bottom * k - 1; y >= dest.Top * k; --y) copyRow(y);
        else
            for (int y = dest.Top * k; y < dest.Bottom * k; ++y) copyRow(y);
    }
    // Pending invalid parts inside the clip travel with the pixels; the uncovered strip is new.
    const QRegion clipRegion(ToQRect(clip));
    const QRegion inside = invalid_.intersected(clipRegion);
    invalid_ -= clipRegion;
    invalid_ += inside.translated(dx, dy).intersected(clipRegion);
    invalid_ += clipRegion.subtracted(QRegion(ToQRect(dest)));
    return true;
}

} // namespace tolvane
