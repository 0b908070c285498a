#pragma once
// The window system's part of pointer input, for headless tests. The pointer has a screen
// position; input at it goes to the topmost shown window there that takes input (a window flagged
// transparent for input lets it through, as the desktop's input shapes do), and inside that window
// to the deepest child that takes mouse events. When that target changes the old one gets a
// leave and the new one an enter event, also when a window opens or closes under a resting
// pointer, as on a real desktop. Windows that stay on top count as above the others.

#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace tolvane::test {

class PointerRouter {
public:
    // Moves the pointer (screen coordinates) and sends the move to the target there.
    void MoveTo(QPoint global);
    // A left click at the pointer.
    void Click();
    // The widget that input at the pointer goes to now (null: none of the application's).
    QWidget* Target() const { return target_; }

    static QWidget* WidgetAt(QPoint global);

private:
    // Follows windows opened or closed under the pointer: leave and enter until the target holds.
    void Settle();
    void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons);

    QPoint pos_;
    QPointer<QWidget> target_;
};

} // namespace tolvane::test
