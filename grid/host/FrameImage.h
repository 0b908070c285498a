#pragma once
// The pixels of a control's frame: the band of a few pixels around its window that its NCPaint
// hook draws. Only the band is kept, as four strips (top, bottom, left, right), each drawn on a
// canvas in the window's coordinates, so that a new window does not make and clear an image of
// its whole size for a frame of one or two pixels. At a fractional pixel ratio, where a strip
// would not start on a whole device pixel, one image of the whole window is kept instead.

#include <array>
#include <functional>
#include <memory>

#include <QImage>
#include <QSize>

#include "grid/base/Types.h"

class QPainter;

namespace tolvane {

class TCanvas;

class TFrameImage {
public:
    TFrameImage();
    ~TFrameImage();
    TFrameImage(const TFrameImage&) = delete;
    TFrameImage& operator=(const TFrameImage&) = delete;

    // Makes the strips for a window of width x height logical pixels with a band `band` pixels
    // wide, at `ratio` device pixels per logical pixel, filled with `fill`; strips already made
    // for the same are kept as they are.
    void Ensure(int width, int height, int band, qreal ratio, TColor fill);
    // Lets `draw` draw on each strip's canvas, clipped to the strip, in the window's coordinates.
    void Paint(const std::function<void(TCanvas&)>& draw);
    // Draws the band at its place in the window.
    void DrawOn(QPainter& p);
    // The band's pixel at a logical point of the window; clNone elsewhere.
    TColor Pixel(int x, int y);
    // The window size the strips were made for (empty before).
    QSize WindowSize() const { return window_; }
    int Band() const { return band_; }

private:
    struct Strip {
        TRect place; // in the window, logical pixels
        QImage image;
        std::unique_ptr<TCanvas> canvas;
    };
    std::array<Strip, 4> strips_;
    int count_ = 0;
    QSize window_;
    int band_ = 0;
    qreal ratio_ = 0;
};

} // namespace tolvane
