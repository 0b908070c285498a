#pragma once
// The logical state of one scroll bar of a scroll view, kept in step with the platform bar.

#include "grid/host/CustomControl.h"

namespace tolvane {

class TScrollView;

class TControlScrollBar {
public:
    TControlScrollBar(TScrollView& owner, TScrollBarKind kind);
    TControlScrollBar(const TControlScrollBar&) = delete;
    TControlScrollBar& operator=(const TControlScrollBar&) = delete;

    TScrollView& Owner() const { return owner_; }
    TScrollBarKind Kind() const { return kind_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Max() const { return max_; }
    void SetMax(int value); // negative values become 0
    int Min() const { return min_; }
    void SetMin(int value); // negative values become 0
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int Position() const { return position_; }
    // Limits the value to Max, then to Min; writes the platform bar, notifies the view and
    // (with Max not 0) scrolls the view's pixels by the delta the view answers.
    void SetPosition(int value);
    int PreviousPosition() const { return previousPosition_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value); // shows or hides the platform bar at once
    bool Locked() const { return locked_; }
    bool Updating() const { return updating_; }

    int PageStep = 1;
    int LineStep = 1;

    // Assigns Enabled, Max, Min, PageSize, Position and Visible in this order with the platform
    // bar written once at the end (the position still notifies the view and scrolls).
    void SetParams(int position, int min, bool visible, bool enabled, int pageSize, int max);

    // Scroll requests sent to the view as scroll messages; nothing happens while Max < 1.
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();

    // Writes range, page, position and enabled state to the platform bar (not while Locked).
    void Update();
    // Copying a scroll bar's settings copies nothing.
    void CopyFrom(const TControlScrollBar&) {}

private:
    void Request(int code);

    TScrollView& owner_;
    TScrollBarKind kind_;
    bool enabled_ = true;
    int max_ = 100;
    int min_ = 0;
    int previousPosition_ = 0;
    int pageSize_ = 0;
    int position_ = 0;
    bool visible_ = true;
    bool locked_ = false;
    bool updating_ = false;
};

} // namespace tolvane
