#pragma once
// Synthetic input for control tests: Qt mouse, wheel and key events sent straight to a control's
// client widget, so that they arrive at the control's hooks exactly as real input would.
// Coordinates are client coordinates. Needs no event loop and no window on screen.
//
// As on screen, mouse events go to the child window under the pointer (an in-place editor over
// a cell), and stay with the window pressed until the release; key events go to the window
// inside the control that has the focus (or to the one the control hands its focus to).

#include <QPointF>
#include <QString>

class QWidget;

#include "grid/host/CustomControl.h"

namespace tolvane::test {

class InputSimulator {
public:
    explicit InputSimulator(TCustomControl& control) : control_(control) {}

    // Shows the control in a window of its own, makes that window active and gives the control
    // the focus (offscreen platforms included).
    static void ShowAndFocus(TCustomControl& control);

    void MouseDown(TMouseButton button, int x, int y, TShiftState shift = {});
    void MouseMove(int x, int y, TShiftState shift = {}); // buttons held down are added
    void MouseUp(TMouseButton button, int x, int y, TShiftState shift = {});
    void Click(int x, int y, TShiftState shift = {}); // left press and release
    // A full double click: press, release, double-click press, release.
    void DoubleClick(int x, int y, TShiftState shift = {});
    void Wheel(int delta, int x, int y, TShiftState shift = {}); // delta: 120 per notch, < 0 down
    void Leave();

    // A key press with its character text (derived from the key for letters, digits, space,
    // Enter, Escape, Backspace and Tab when `text` is not given), then the release.
    void Key(int vk, TShiftState shift = {}, const QString& text = QString());
    void KeyDown(int vk, TShiftState shift = {}, const QString& text = QString());
    void KeyUp(int vk, TShiftState shift = {});
    // Types characters as key presses without virtual-key codes.
    void Type(const QString& text);

private:
    // The widget under a client point (a child window, or the client area), and the point in
    // its own coordinates.
    QWidget* MouseTarget(int x, int y, QPointF& local);
    QWidget* KeyTarget() const;

    TCustomControl& control_;
    Qt::MouseButtons held_;
    QWidget* grabbed_ = nullptr; // the window pressed while buttons are held
};

} // namespace tolvane::test
