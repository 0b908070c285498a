#pragma once
// The scroll view: two logical scroll bars in step with the platform bars, scroll messages, and
// the middle-button roll (autoscroll) with its marker.

#include <memory>

#include "grid/host/Timer.h"
#include "grid/scroll/ControlScrollBar.h"
#include "grid/scroll/CustomScrollView.h"
#include "grid/scroll/RollShadow.h"

namespace tolvane {

// Cursor ids of the roll.
constexpr TCursor crRoll = 3003;
constexpr TCursor crRollUp = 3004;
constexpr TCursor crRollDown = 3005;

class TScrollView : public TCustomScrollView {
public:
    TScrollView();
    ~TScrollView() override;

    TControlScrollBar& HorzScrollBar() { return *horz_; }
    TControlScrollBar& VertScrollBar() { return *vert_; }
    const TControlScrollBar& HorzScrollBar() const { return *horz_; }
    const TControlScrollBar& VertScrollBar() const { return *vert_; }

    // Called after every position change of either bar; empty here.
    virtual void ScrollPositionChanged(TScrollBarKind kind);

    // Roll state.
    bool Rolling() const { return rolling_; }
    bool RollingUp() const { return rollUp_; }
    bool RollingDown() const { return rollDown_; }
    TPoint RollOrigin() const { return rollOrigin_; }
    TTimer& RollTimer() { return *rollTimer_; }
    TRollShadow& RollMarker() { return *rollMarker_; }
    // One tick of the roll timer.
    void RollTick();

    void WMHScroll(int code, int pos) override;
    void WMVScroll(int code, int pos) override;
    void WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMMouseMove(TShiftState shift, int x, int y) override;
    void WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // The pointer's client position read by the roll timer (the screen pointer here).
    virtual TPoint RollPointer() const;

private:
    void ScrollMessage(TControlScrollBar& bar, int code);

    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    TPoint rollOrigin_;
    std::unique_ptr<TRollShadow> rollMarker_;
    std::unique_ptr<TTimer> rollTimer_;
    bool rolling_ = false;
    bool rollUp_ = false;
    bool rollDown_ = false;
};

} // namespace tolvane
