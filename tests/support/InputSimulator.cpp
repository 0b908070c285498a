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

void SendTo(QWidget* target, QEvent& e) {
    if (target) QCoreApplication::sendEvent(target, &e);
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

QWidget* InputSimulator::MouseTarget(int x, int y, QPointF& local) {
    QWidget* client = control_.ClientWidget();
    local = QPointF(x, y);
    if (!client) return nullptr;
    QWidget* target = grabbed_ ? grabbed_ : client->childAt(x, y);
    if (!target || !client->isAncestorOf(target)) target = client;
    local = QPointF(target->mapFrom(client, QPoint(x, y)));
    return target;
}

QWidget* InputSimulator::KeyTarget() const {
    QWidget* client = control_.ClientWidget();
    if (!client) return nullptr;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == client || client->isAncestorOf(focus))) return focus;
    QWidget* target = client;
    while (target->focusProxy()) target = target->focusProxy();
    return target;
}

void InputSimulator::MouseDown(TMouseButton button, int x, int y, TShiftState shift) {
    const Qt::MouseButton b = QtButtonFrom(button);
    QPointF local;
    QWidget* target = MouseTarget(x, y, local);
    held_ |= b;
    grabbed_ = target;
    QMouseEvent e(QEvent::MouseButtonPress, local, Global(control_, x, y), b, held_ | ButtonsFrom(shift),
                  ModifiersFrom(shift));
    SendTo(target, e);
}

void InputSimulator::MouseMove(int x, int y, TShiftState shift) {
    QPointF local;
    QWidget* target = MouseTarget(x, y, local);
    QMouseEvent e(QEvent::MouseMove, local, Global(control_, x, y), Qt::NoButton, held_ | ButtonsFrom(shift),
                  ModifiersFrom(shift));
    SendTo(target, e);
}

void InputSimulator::MouseUp(TMouseButton button, int x, int y, TShiftState shift) {
    const Qt::MouseButton b = QtButtonFrom(button);
    QPointF local;
    QWidget* target = MouseTarget(x, y, local);
    held_ &= ~b;
    if (!held_) grabbed_ = nullptr;
    QMouseEvent e(QEvent::MouseButtonRelease, local, Global(control_, x, y), b, held_ | ButtonsFrom(shift),
                  ModifiersFrom(shift));
    SendTo(target, e);
}

void InputSimulator::Click(int x, int y, TShiftState shift) {
    MouseDown(mbLeft, x, y, shift);
    MouseUp(mbLeft, x, y, shift);
}

void InputSimulator::DoubleClick(int x, int y, TShiftState shift) {
    Click(x, y, shift);
    QPointF local;
    QWidget* target = MouseTarget(x, y, local);
    held_ |= Qt::LeftButton;
    grabbed_ = target;
    QMouseEvent e(QEvent::MouseButtonDblClick, local, Global(control_, x, y), Qt::LeftButton, held_,
                  ModifiersFrom(shift));
    SendTo(target, e);
    MouseUp(mbLeft, x, y, shift);
}

void InputSimulator::Wheel(int delta, int x, int y, TShiftState shift) {
    QPointF local;
    QWidget* target = MouseTarget(x, y, local);
    QWheelEvent e(local, Global(control_, x, y), QPoint(), QPoint(0, delta), held_, ModifiersFrom(shift),
                  Qt::NoScrollPhase, false);
    SendTo(target, e);
}

void InputSimulator::Leave() {
    QEvent e(QEvent::Leave);
    Send(control_, e);
}

void InputSimulator::KeyDown(int vk, TShiftState shift, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, QtKeyFromVirtualKey(vk), ModifiersFrom(shift),
                text.isNull() ? TextOf(vk, shift) : text);
    SendTo(KeyTarget(), e);
}

void InputSimulator::KeyUp(int vk, TShiftState shift) {
    QKeyEvent e(QEvent::KeyRelease, QtKeyFromVirtualKey(vk), ModifiersFrom(shift), QString());
    SendTo(KeyTarget(), e);
}

void InputSimulator::Key(int vk, TShiftState shift, const QString& text) {
    KeyDown(vk, shift, text);
    KeyUp(vk, shift);
}

void InputSimulator::Type(const QString& text) {
    for (QChar c : text) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        SendTo(KeyTarget(), e);
    }
}

} // namespace tolvane::test
