#include "grid/scroll/ControlScrollBar.h"

#include <algorithm>
#include <exception>

#include "grid/scroll/ScrollView.h"

namespace tolvane {

TControlScrollBar::TControlScrollBar(TScrollView& owner, TScrollBarKind kind) : owner_(owner), kind_(kind) {}

void TControlScrollBar::SetEnabled(bool value) {
    enabled_ = value;
    Update();
}

void TControlScrollBar::SetMax(int value) {
    max_ = std::max(0, value);
    Update();
}

void TControlScrollBar::SetMin(int value) {
    min_ = std::max(0, value);
    Update();
}

void TControlScrollBar::SetPageSize(int value) {
    pageSize_ = value;
    Update();
}

void TControlScrollBar::SetPosition(int value) {
    previousPosition_ = position_;
    position_ = std::max(std::min(value, max_), min_);
    Update();
    // The pixels follow the new position even when the notification fails (a commit that
    // throws): otherwise the picture would stay where the position no longer is.
    std::exception_ptr failure;
    try {
        owner_.ScrollPositionChanged(kind_);
    } catch (...) {
        failure = std::current_exception();
    }
    if (max_ != 0) {
        if (kind_ == sbVertical)
            owner_.ScrollContents(0, owner_.GetVertScrollDelta(previousPosition_, position_));
        else
            owner_.ScrollContents(owner_.GetHorzScrollDelta(previousPosition_, position_), 0);
    }
    if (failure) std::rethrow_exception(failure);
}

void TControlScrollBar::SetVisible(bool value) {
    visible_ = value;
    owner_.ShowScrollBar(kind_, value);
}

void TControlScrollBar::SetParams(int position, int min, bool visible, bool enabled, int pageSize, int max) {
    locked_ = true;
    try {
        SetEnabled(enabled);
        SetMax(max);
        SetMin(min);
        SetPageSize(pageSize);
        SetPosition(position);
        SetVisible(visible);
    } catch (...) {
        locked_ = false;
        throw;
    }
    locked_ = false;
    Update();
}

void TControlScrollBar::Request(int code) {
    if (max_ < 1) return;
    owner_.SendScroll(kind_, code, 0);
}

void TControlScrollBar::LineUp() {
    Request(SB_LINEUP);
}
void TControlScrollBar::LineDown() {
    Request(SB_LINEDOWN);
}
void TControlScrollBar::PageUp() {
    Request(SB_PAGEUP);
}
void TControlScrollBar::PageDown() {
    Request(SB_PAGEDOWN);
}

void TControlScrollBar::Update() {
    if (locked_) return;
    updating_ = true;
    if (owner_.HandleAllocated()) {
        owner_.SetScrollInfo(kind_, min_, max_, pageSize_, position_, true);
        owner_.EnableScrollBar(kind_, enabled_);
        // The platform shows a bar whose range is written; a hidden bar stays hidden.
        if (!visible_) owner_.ShowScrollBar(kind_, false);
    }
    updating_ = false;
}

} // namespace tolvane
