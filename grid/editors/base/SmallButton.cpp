#include "grid/editors/base/SmallButton.h"

namespace tolvane {

TSmallButton::TSmallButton() {
    SetTabStop(false);
    SetColor(clBtnFace);
}

void TSmallButton::SetDown(bool value) {
    down_ = value;
    Invalidate();
}

void TSmallButton::SetHot(bool value) {
    if (value == hot_) return;
    hot_ = value;
    Invalidate();
}

void TSmallButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    SetDown(true);
    if (OnPress) OnPress(*this);
}

void TSmallButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!down_) return;
    SetDown(false);
    Invalidate();
    if (OnRelease) OnRelease(*this);
}

void TSmallButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    SetHot(true);
}

void TSmallButton::MouseLeave() {
    TCustomControl::MouseLeave();
    hot_ = false;
    Invalidate();
}

} // namespace tolvane
