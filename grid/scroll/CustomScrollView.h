#pragma once
// The scrolling base: a control whose contents move by pixels inside clip rectangles chosen by
// the derived control when a scroll position changes.

#include "grid/host/CustomControl.h"

namespace tolvane {

class TCustomScrollView : public TCustomControl {
public:
    TCustomScrollView();

    // The areas whose pixels move with the horizontal and the vertical position (client
    // coordinates). The derived control sets both before it paints.
    const TRect& HorzScrollRect() const { return horzScrollRect_; }
    void SetHorzScrollRect(const TRect& r) { horzScrollRect_ = r; }
    const TRect& VertScrollRect() const { return vertScrollRect_; }
    void SetVertScrollRect(const TRect& r) { vertScrollRect_ = r; }

    // Pixels to move when a position changes from `previous` to `current`; 0 here.
    virtual int GetHorzScrollDelta(int previous, int current);
    virtual int GetVertScrollDelta(int previous, int current);
    // Moves pixels: horizontally inside the horizontal-scroll rectangle when dx is not 0,
    // otherwise vertically inside the vertical-scroll rectangle; uncovered strips are invalidated.
    virtual void ScrollContents(int dx, int dy);

    // The platform bar's track position.
    int TrackPosition(TScrollBarKind kind) const { return GetScrollTrackPos(kind); }

private:
    TRect horzScrollRect_;
    TRect vertScrollRect_;
};

} // namespace tolvane
