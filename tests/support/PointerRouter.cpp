#include "PointerRouter.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace tolvane::test {

QWidget* PointerRouter::WidgetAt(QPoint global) {
    QWidget* top = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !w->geometry().contains(global)) continue;
        if (w->windowFlags().testFlag(Qt::WindowTransparentForInput)) continue;
        const bool onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (!top || (onTop && !top->windowFlags().testFlag(Qt::WindowStaysOnTopHint))) top = w;
    }
    if (!top) return nullptr;
    QWidget* child = top->childAt(top->mapFromGlobal(global));
    return child ? child : top;
}

void PointerRouter::Settle() {
    for (int i = 0; i < 8; ++i) {
        QWidget* now = WidgetAt(pos_);
        if (now == target_) return;
        if (target_) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(target_, &leave);
        }
        target_ = now;
        if (target_) {
            QEnterEvent enter(target_->mapFromGlobal(pos_), target_->window()->mapFromGlobal(pos_), pos_);
            QCoreApplication::sendEvent(target_, &enter);
        }
    }
}

void PointerRouter::Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
    Settle();
    if (!target_) return;
    QMouseEvent e(type, target_->mapFromGlobal(pos_), pos_, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target_, &e);
    Settle();
}

void PointerRouter::MoveTo(QPoint global) {
    pos_ = global;
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
}

void PointerRouter::Click() {
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

} // namespace tolvane::test
