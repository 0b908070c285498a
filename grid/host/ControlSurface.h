#pragma once
// The client pixels of a custom-painted control: an image at device resolution, the canvas that
// draws on it, and the region still to be repainted. Knows nothing of widgets; the control tells
// the screen what changed.

#include <QImage>
#include <QRect>
#include <QRegion>

#include "grid/host/Canvas.h"
#include "grid/base/Types.h"

namespace tolvane {

class TControlSurface {
public:
    TControlSurface();
    TControlSurface(const TControlSurface&) = delete;
    TControlSurface& operator=(const TControlSurface&) = delete;

    // ---- the image --------------------------------------------------------------------------
    // The client's size or pixel ratio changed: the image is made anew (filled with `color`)
    // when next drawn on or read, and nothing of the old one stays invalid.
    void Discard(TColor color);
    // Makes the image if it was discarded, at width x height logical pixels.
    void Ensure(int width, int height);
    const QImage& Image() const { return image_; }
    TCanvas& Canvas() { return canvas_; }
    qreal Ratio() const { return ratio_; }
    void SetRatio(qreal ratio) { ratio_ = ratio; }

    // ---- the invalid region -----------------------------------------------------------------
    void Invalidate(const QRect& part) { invalid_ += part; }
    void Validate(const QRect& part) { invalid_ -= part; }
    bool Valid() const { return invalid_.isEmpty(); }
    QRect InvalidBounds() const { return invalid_.boundingRect(); }
    // Hands out the bounds of the invalid region and forgets it.
    QRect TakeInvalid();

    // ---- scrolling --------------------------------------------------------------------------
    // Moves the pixels inside `clip` (within a width x height client) by (dx, dy); the invalid
    // parts inside `clip` move with them and the strip left uncovered becomes invalid. Answers
    // false, doing nothing, when the pixels cannot move (a fractional ratio): the caller redraws.
    bool Scroll(int dx, int dy, const TRect& clip, int width, int height);

private:
    QImage image_; // at device resolution (ratio_ device pixels per logical pixel)
    TCanvas canvas_;
    qreal ratio_ = 1;
    bool stale_ = false;       // discarded: made anew when next needed
    TColor fill_ = clNone;     // what a new image starts as
    QRegion invalid_;
};

} // namespace tolvane
