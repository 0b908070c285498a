#include "grid/host/PopupWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "grid/host/ExceptionSink.h"
#include "grid/host/QtConvert.h"

namespace tolvane {

// Watches the window's enter and leave events. Parented to the widget, so it goes with it.
class TPopupWindow::Watcher : public QObject {
public:
    Watcher(TPopupWindow* owner, QWidget* widget) : QObject(widget), owner(owner) {
        widget->installEventFilter(this);
    }
    TPopupWindow* owner;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (!owner) return false;
        GuardedCall([&] {
            if (e->type() == QEvent::Enter && owner->OnPointerEnter)
                owner->OnPointerEnter();
            else if (e->type() == QEvent::Leave && owner->OnPointerLeave)
                owner->OnPointerLeave();
        });
        return false;
    }
};

TPopupWindow::TPopupWindow(TCustomControl& control) : control_(control) {
    if (QWidget* w = control_.Widget()) {
        // A tool window is kept out of the task list; one that accepts no focus never takes the
        // keyboard away from the editor below it.
        w->setWindowFlag(Qt::Tool, true);
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        w->setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setAttribute(Qt::WA_X11DoNotAcceptFocus);
        // Unlike a flyout, a popup is clicked: the pointer must not pass through it to the
        // window below (which would end the edit that opened it). The attribute goes first: while
        // a window has it, Qt keeps the window flag.
        w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        w->setWindowFlag(Qt::WindowTransparentForInput, false);
        for (QWidget* child : w->findChildren<QWidget*>())
            child->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        watcher_ = new Watcher(this, w);
    }
}

TPopupWindow::~TPopupWindow() {
    if (control_.Widget() && watcher_) watcher_->owner = nullptr;
}

TRect TPopupWindow::WorkAreaAt(TPoint screenPoint) {
    QScreen* screen = QGuiApplication::screenAt(ToQPoint(screenPoint));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return TRect{};
    return FromQRect(screen->availableGeometry());
}

void TPopupWindow::ShowTopMost(int left, int top) {
    control_.SetBounds(left, top, control_.Width(), control_.Height());
    control_.Show();
    // The headless platforms have no stacking order.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    if (QWidget* w = control_.Widget()) w->raise();
}

bool TPopupWindow::PointerInside() const {
    return control_.Showing() && control_.BoundsRect().Contains(TCustomControl::GetCursorPos());
}

bool TPopupWindow::IsTopLevel() const {
    const QWidget* w = control_.Widget();
    return w && w->isWindow() && !w->parentWidget();
}

bool TPopupWindow::StaysOnTop() const {
    const QWidget* w = control_.Widget();
    return w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool TPopupWindow::InTaskList() const {
    const QWidget* w = control_.Widget();
    return w &&
           (w->windowType() != Qt::Tool && w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup);
}

bool TPopupWindow::TakesFocus() const {
    const QWidget* w = control_.Widget();
    return w && !w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) &&
           !w->testAttribute(Qt::WA_ShowWithoutActivating);
}

} // namespace tolvane
