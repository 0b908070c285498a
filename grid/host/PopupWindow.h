#pragma once
// The platform side of a popup view: a control's window that floats above every window, stays
// out of the task list, leaves the keyboard focus where it is (in the editor that opened it)
// and tells when the pointer crosses its edge, so that the view can give up the mouse capture
// over itself (its scroll bar must work) and take it again outside (a click elsewhere closes it).

#include <functional>

#include "grid/host/CustomControl.h"

namespace tolvane {

class TPopupWindow {
public:
    // Attaches to `control`, which has made itself a flyout window (MakeFlyout) and outlives
    // this object.
    explicit TPopupWindow(TCustomControl& control);
    ~TPopupWindow();
    TPopupWindow(const TPopupWindow&) = delete;
    TPopupWindow& operator=(const TPopupWindow&) = delete;

    // The work area (the screen less its task bars and docks) of the screen holding the point,
    // or of the primary screen when no screen holds it; screen coordinates.
    static TRect WorkAreaAt(TPoint screenPoint);

    // Moves the window with its size to (left, top), raises it above every other window and
    // shows it without activating it.
    void ShowTopMost(int left, int top);
    // Whether the pointer is over any part of the window (frame and scroll bars included).
    bool PointerInside() const;

    // What the window is, for checks.
    bool IsTopLevel() const;
    bool StaysOnTop() const;
    bool InTaskList() const;
    bool TakesFocus() const;

    // The pointer entering and leaving the whole window.
    std::function<void()> OnPointerEnter;
    std::function<void()> OnPointerLeave;

private:
    class Watcher;
    TCustomControl& control_;
    Watcher* watcher_ = nullptr; // owned by the control's widget
};

} // namespace tolvane
