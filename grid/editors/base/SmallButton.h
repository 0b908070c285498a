#pragma once
// The editor button base: a small window that is down while pressed and hot under the pointer.

#include <functional>

#include "grid/host/CustomControl.h"

namespace tolvane {

class TCellEditor;

class TSmallButton : public TCustomControl {
public:
    using TNotifyEvent = std::function<void(TSmallButton& Sender)>;

    TSmallButton();

    bool Down() const { return down_; }
    // Stores and repaints, changed or not.
    void SetDown(bool value);
    bool Hot() const { return hot_; }
    // Stores and repaints only on a change.
    void SetHot(bool value);
    // The editor that created the button.
    TCellEditor* Editor() const { return editor_; }
    void SetEditor(TCellEditor* editor) { editor_ = editor; }

    TNotifyEvent OnPress;
    // Fires only for a release that ends a press of this button (wherever the pointer is then).
    TNotifyEvent OnRelease;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The first move over the button makes it hot (the platform reports entering with it).
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    // The base paints nothing; the background is never erased.
    void Paint() override {}

protected:
    // The visual state: 3 pressed, 2 hot, 1 normal.
    int VisualState() const { return down_ ? 3 : (hot_ ? 2 : 1); }

private:
    bool down_ = false;
    bool hot_ = false;
    TCellEditor* editor_ = nullptr;
};

} // namespace tolvane
