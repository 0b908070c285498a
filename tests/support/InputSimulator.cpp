#include "InputSimulator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "grid/host/KeyMap.h"

namespace tolvane::test {

namespace {

void Send(TCustomControl& control, QEvent& e) {
    if (QWidget* w = control.ClientWidget()) QCoreApplication::sendEvent(w, &e);
}

QPointF Global(TCustomControl& control, int x, int y) {
    const TPoint p = control.ClientToScreen(TPoint{x, y});
    return QPointF(p.X, p.Y);
}

QString TextOf(int vk, TShiftState shift) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return QString();
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(shift.Contains(ssShift) ? vk : vk - 'A' + 'a'));
    if (vk >= '0' && vk <= '9') return QString(QChar(vk));
    switch (vk) {
    case VK_SPACE:
        return QStringLiteral(" ");
    case VK_RETURN:
        return QStringLiteral("\r");
    case VK_ESCAPE:
        return QString(QChar(0x1B));
    case VK_BACK:
        return QString(QChar(0x08));
    case VK_TAB:
        return QStringLiteral("\t");
    default:
        return QString();
    }
}

} // namespace

void InputSimulator::ShowAndFocus(TCustomControl& control) {
    QWidget* w = control.Widget();
    if (!w) return;
    w->show();
    QApplication::setActiveWindow(w->window());
    control.SetFocus();
    QCoreApplication::processEvents();
}

void InputSimulator::MouseDown(TMouseButton button, int x, int y, TShiftState shift) {
    const Qt::MouseButton b = QtButtonFrom(button);
    held_ |= b;
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, y), Global(control_, x, y), b,
                  held_ | ButtonsFrom(shift), ModifiersFrom(shift));
    Send(control_, e);
}

void InputSimulator::MouseMove(int x, int y, TShiftState shift) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), Global(control_, x, y), Qt::NoButton,
                  held_ | ButtonsFrom(shift), ModifiersFrom(shift));
    Send(control_, e);
}

void InputSimulator::MouseUp(TMouseButton button, int x, int y, TShiftState shift) {
    const Qt::MouseButton b = QtButtonFrom(button);
    held_ &= ~b;
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(x, y), Global(control_, x, y), b,
                  held_ | ButtonsFrom(shift), ModifiersFrom(shift));
    Send(control_, e);
}

void InputSimulator::Click(int x, int y, TShiftState shift) {
    MouseDown(mbLeft, x, y, shift);
    MouseUp(mbLeft, x, y, shift);
}

void InputSimulator::DoubleClick(int x, int y, TShiftState shift) {
    Click(x, y, shift);
    held_ |= Qt::LeftButton;
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(x, y), Global(control_, x, y), Qt::LeftButton, held_,
                  ModifiersFrom(shift));
    Send(control_, e);
    MouseUp(mbLeft, x, y, shift);
}

void InputSimulator::Wheel(int delta, int x, int y, TShiftState shift) {
    QWheelEvent e(QPointF(x, y), Global(control_, x, y), QPoint(), QPoint(0, delta), held_,
                  ModifiersFrom(shift), Qt::NoScrollPhase, false);
    Send(control_, e);
}

void InputSimulator::Leave() {
    QEvent e(QEvent::Leave);
    Send(control_, e);
}

void InputSimulator::KeyDown(int vk, TShiftState shift, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, QtKeyFromVirtualKey(vk), ModifiersFrom(shift),
                text.isNull() ? TextOf(vk, shift) : text);
    Send(control_, e);
}

void InputSimulator::KeyUp(int vk, TShiftState shift) {
    QKeyEvent e(QEvent::KeyRelease, QtKeyFromVirtualKey(vk), ModifiersFrom(shift), QString());
    Send(control_, e);
}

void InputSimulator::Key(int vk, TShiftState shift, const QString& text) {
    KeyDown(vk, shift, text);
    KeyUp(vk, shift);
}

void InputSimulator::Type(const QString& text) {
    for (QChar c : text) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        Send(control_, e);
    }
}

} // namespace tolvane::test
