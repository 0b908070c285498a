#include "grid/editors/base/SpinButtons.h"

#include "grid/editors/base/FrameControls.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TSpinButtons::TSpinButtons() {
    SetTabStop(false);
    SetColor(clBtnFace);
    delayTimer_.SetEnabled(false);
    delayTimer_.SetInterval(DelayInterval);
    repeatTimer_.SetEnabled(false);
    repeatTimer_.SetInterval(RepeatInterval);
    // The delay keeps running until the release; the repeat, once started, is left undisturbed.
    delayTimer_.SetOnTimer([this] {
        if (!repeatTimer_.Enabled()) repeatTimer_.SetEnabled(true);
    });
    repeatTimer_.SetOnTimer([this] { Spin(); });
}

TSpinButtons::~TSpinButtons() {
    delayTimer_.SetEnabled(false);
    repeatTimer_.SetEnabled(false);
    OnSpin = nullptr;
}

TRect TSpinButtons::UpperRect() const {
    return TRect{0, -1, ClientWidth(), ClientHeight() / 2};
}

TRect TSpinButtons::LowerRect() const {
    return TRect{0, ClientHeight() / 2, ClientWidth(), ClientHeight()};
}

void TSpinButtons::Spin() {
    if (pressedPart_ != 0 && OnSpin) OnSpin(*this, pressedPart_);
}

void TSpinButtons::SetHotPart(std::uint8_t value) {
    hotPart_ = value;
    Invalidate();
}

void TSpinButtons::SetPressedPart(std::uint8_t value) {
    pressedPart_ = value;
    if (value != 0) {
        delayTimer_.SetEnabled(true);
        Spin();
    } else {
        delayTimer_.SetEnabled(false);
        repeatTimer_.SetEnabled(false);
    }
    Invalidate();
}

void TSpinButtons::Paint() {
    TCanvas& canvas = Canvas();
    const auto state = [this](int bit) {
        if (pressedPart_ & bit) return 3;
        if (hotPart_ & bit) return 2;
        return 1;
    };
    if (ThemesAvailable()) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = Color();
        canvas.FillRect(ClientRect());
        DrawThemeElement(canvas, UpperRect(), state(1), 1, QStringLiteral("spin"));
        DrawThemeElement(canvas, LowerRect(), state(2), 2, QStringLiteral("spin"));
    } else {
        TFrameControls::ArrowButton(canvas, UpperRect(), adUp, pressedPart_ & 1);
        TFrameControls::ArrowButton(canvas, LowerRect(), adDown, pressedPart_ & 2);
    }
}

void TSpinButtons::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    pressedPart_ = PartAt(y);
    delayTimer_.SetEnabled(true);
    Spin();
    Invalidate();
}

void TSpinButtons::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    SetHotPart(PartAt(y));
}

void TSpinButtons::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    pressedPart_ = 0;
    delayTimer_.SetEnabled(false);
    repeatTimer_.SetEnabled(false);
    Invalidate();
}

void TSpinButtons::MouseLeave() {
    TCustomControl::MouseLeave();
    SetHotPart(0);
}

} // namespace tolvane
