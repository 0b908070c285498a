#pragma once
// The up/down arrow pair of the spin editor. A press steps once at once; held for 400 ms, it
// steps again every 20 ms until the release.

#include <cstdint>
#include <functional>

#include "grid/host/CustomControl.h"
#include "grid/host/Timer.h"

namespace tolvane {

class TCellEditor;

class TSpinButtons : public TCustomControl {
public:
    static constexpr int DelayInterval = 400;
    static constexpr int RepeatInterval = 20;

    // Part 1 is the upper arrow, 2 the lower one.
    using TSpinEvent = std::function<void(TSpinButtons& Sender, int part)>;

    TSpinButtons();
    ~TSpinButtons() override;

    // 0 none, 1 upper, 2 lower, 3 both.
    std::uint8_t HotPart() const { return hotPart_; }
    void SetHotPart(std::uint8_t value);
    // 0 none, 1 upper, 2 lower. A part steps once and arms the delay; 0 stops both timers.
    std::uint8_t PressedPart() const { return pressedPart_; }
    void SetPressedPart(std::uint8_t value);
    TTimer& DelayTimer() { return delayTimer_; }
    TTimer& RepeatTimer() { return repeatTimer_; }
    TCellEditor* Editor() const { return editor_; }
    void SetEditor(TCellEditor* editor) { editor_ = editor; }

    TSpinEvent OnSpin;

    // The halves: upper (0, -1, w, h div 2), lower (0, h div 2, w, h).
    TRect UpperRect() const;
    TRect LowerRect() const;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    void Spin();
    std::uint8_t PartAt(int y) const { return y < Height() / 2 ? 1 : 2; }

    std::uint8_t hotPart_ = 0;
    std::uint8_t pressedPart_ = 0;
    TTimer delayTimer_;
    TTimer repeatTimer_;
    TCellEditor* editor_ = nullptr;
};

} // namespace tolvane
