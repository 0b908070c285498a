#include "grid/host/ControlWidgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "grid/host/CustomControl.h"
#include "grid/host/ExceptionSink.h"
#include "grid/host/KeyMap.h"
#include "grid/host/QtConvert.h"

namespace tolvane {

namespace {

bool KnownButton(Qt::MouseButton b) {
    return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

QPoint PosOf(const QMouseEvent* e) {
    return e->position().toPoint();
}

// The classic request for a bar action; -1 for actions that request nothing.
int ScrollCodeOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return -1;
    }
}

} // namespace

TEventDepth::TEventDepth(TClientWidget* client) : client_(client) {
    if (client_) ++client_->eventDepth;
}

TEventDepth::~TEventDepth() {
    if (client_) --client_->eventDepth;
}

// ---- the window -----------------------------------------------------------------------------

TControlWidget::TControlWidget(TCustomControl* owner) : owner(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    client = new TClientWidget(owner, this);
    setFocusProxy(client);
    for (int i = 0; i < 2; ++i) {
        const auto kind = TScrollBarKind(i);
        QScrollBar* bar = new QScrollBar(kind == sbHorizontal ? Qt::Horizontal : Qt::Vertical, this);
        bars[i] = bar;
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, kind, bar](int action) {
            if (!this->owner || this->owner->ScrollBars().Syncing(kind)) return;
            const int code = ScrollCodeOf(action);
            if (code < 0) return;
            if (!Scroll(kind, code, bar->sliderPosition())) return;
            // The bar shows what the control decided, except under a dragged thumb.
            if (!bar->isSliderDown()) this->owner->ScrollBars().Resync(kind, true);
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, kind, bar] {
            if (!this->owner) return;
            // The drag ends even when its last step failed.
            if (Scroll(kind, SB_THUMBPOSITION, bar->sliderPosition()) && Scroll(kind, SB_ENDSCROLL, 0))
                this->owner->ScrollBars().Resync(kind, false);
        });
    }
}

TControlWidget::~TControlWidget() {
    if (owner) owner->WidgetDestroyed();
}

bool TControlWidget::Scroll(int kind, int code, int pos) {
    QPointer<TControlWidget> alive = this;
    {
        TEventDepth depth(client);
        GuardedCall([&] { owner->SendScroll(TScrollBarKind(kind), code, pos); });
    }
    return alive && owner;
}

bool TControlWidget::event(QEvent* e) {
    bool result = true;
    GuardedCall([&] { result = QWidget::event(e); });
    return result;
}

void TControlWidget::resizeEvent(QResizeEvent*) {
    if (owner) owner->Relayout();
}

void TControlWidget::hideEvent(QHideEvent*) {
    if (owner) owner->WindowHidden();
}

void TControlWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (owner) owner->PaintWindow(p);
    if (bars[0]->isVisible() && bars[1]->isVisible())
        p.fillRect(QRect(bars[1]->x(), bars[0]->y(), bars[1]->width(), bars[0]->height()),
                   ToQColor(clBtnFace));
}

// ---- the client area ------------------------------------------------------------------------

TClientWidget::TClientWidget(TCustomControl* owner, QWidget* parent) : QWidget(parent), owner(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Text composed by an input method comes as a commit, not as key presses.
    setAttribute(Qt::WA_InputMethodEnabled);
}

QEvent::Type TClientWidget::SettleEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void TClientWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!owner) {
        p.fillRect(e->rect(), palette().window());
        return;
    }
    owner->PaintClient(p, e->rect());
}

void TClientWidget::mousePressEvent(QMouseEvent* e) {
    if (!owner || !KnownButton(e->button())) return;
    const QPoint pos = PosOf(e);
    if (e->button() == Qt::LeftButton) clicked_ = true;
    owner->WMMouseDown(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), pos.x(), pos.y());
}

void TClientWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!owner || !KnownButton(e->button())) return;
    const QPoint pos = PosOf(e);
    clicked_ = false;
    owner->DblClick();
    if (!owner) return;
    owner->WMMouseDown(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()) + ssDouble,
                       pos.x(), pos.y());
}

void TClientWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!owner) return;
    const QPoint pos = PosOf(e);
    owner->WMMouseMove(ShiftStateFrom(e->modifiers(), e->buttons()), pos.x(), pos.y());
}

void TClientWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (!owner || !KnownButton(e->button())) return;
    const QPoint pos = PosOf(e);
    if (e->button() == Qt::LeftButton && clicked_) {
        clicked_ = false;
        if (rect().contains(pos)) owner->Click();
        if (!owner) return;
    }
    owner->WMMouseUp(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), pos.x(), pos.y());
}

void TClientWidget::wheelEvent(QWheelEvent* e) {
    if (!owner) return;
    const int delta = e->angleDelta().y();
    const QPoint global = e->globalPosition().toPoint();
    if (delta != 0 &&
        owner->DoMouseWheel(ShiftStateFrom(e->modifiers(), e->buttons()), delta, FromQPoint(global)))
        e->accept();
    else
        e->ignore();
}

void TClientWidget::keyPressEvent(QKeyEvent* e) {
    if (!owner) return;
    int key = VirtualKeyFromQt(e->key());
    const TShiftState shift = ShiftStateFrom(e->modifiers(), Qt::NoButton);
    if (key != 0) owner->KeyDown(key, shift);
    // As on the classic platform the character message follows the key-down message even when
    // the key was cleared there.
    TypeText(e->text());
    e->accept();
}

void TClientWidget::TypeText(const QString& text, const QInputMethodEvent* composing) {
    // One character message per UTF-16 unit, each to the window that has the focus by then, as
    // on the classic platform: once a character has opened an editor, the rest of the text (the
    // second half of a surrogate pair, the rest of a composed text) goes into that editor whole,
    // with what the input method is still composing.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!owner) return;
        QChar c = text[i];
        owner->KeyPress(c);
        QWidget* focus = window()->focusWidget();
        if (!focus || focus == this || !isAncestorOf(focus)) continue;
        const QString rest = text.mid(i + 1);
        const bool preedit = composing && !composing->preeditString().isEmpty();
        if (rest.isEmpty() && !preedit) return;
        QInputMethodEvent forward(preedit ? composing->preeditString() : QString(),
                                  preedit ? composing->attributes() : QList<QInputMethodEvent::Attribute>());
        forward.setCommitString(rest);
        QCoreApplication::sendEvent(focus, &forward);
        return;
    }
}

void TClientWidget::inputMethodEvent(QInputMethodEvent* e) {
    // A commit types its text, which may open an editor; from then on the editor has the focus
    // and shows what is being composed. Composing with no editor open shows nothing yet.
    e->accept();
    if (owner) TypeText(e->commitString(), e);
}

QVariant TClientWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImHints:
        return int(Qt::ImhNone);
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
        return QString();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return 0;
    case Qt::ImCursorRectangle:
        if (owner) {
            QRect place;
            GuardedCall([&] { place = ToQRect(owner->TextInputRect()); });
            return place;
        }
        return QWidget::inputMethodQuery(query);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void TClientWidget::keyReleaseEvent(QKeyEvent* e) {
    // A held key repeats its press only, as on the classic platform: a release that belongs to an
    // auto-repeat would end a press that is still going on (a check box would toggle each time).
    if (!owner || e->isAutoRepeat()) return;
    int key = VirtualKeyFromQt(e->key());
    if (key != 0) owner->KeyUp(key, ShiftStateFrom(e->modifiers(), Qt::NoButton));
}

void TClientWidget::focusInEvent(QFocusEvent*) {
    if (owner) owner->WMSetFocus();
}

void TClientWidget::focusOutEvent(QFocusEvent*) {
    if (owner) owner->WMKillFocus();
}

void TClientWidget::leaveEvent(QEvent*) {
    if (owner) owner->MouseLeave();
}

bool TClientWidget::event(QEvent* e) {
    TEventDepth depth(this);
    bool result = true;
    GuardedCall([&] { result = Dispatch(e); });
    return result;
}

bool TClientWidget::Dispatch(QEvent* e) {
    if (e->type() == SettleEvent()) {
        if (owner) owner->SettlePosted();
        return true;
    }
    if ((e->type() == QEvent::ApplicationPaletteChange || e->type() == QEvent::PaletteChange) && owner)
        owner->SysColorChange();
    if (e->type() == QEvent::KeyPress && owner) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && owner->WantTabs()) {
            keyPressEvent(k);
            return true;
        }
    }
    const bool handled = QWidget::event(e);
    // A key or a click may have moved where text goes: the input method asks again.
    const bool moving = e->type() == QEvent::KeyPress || e->type() == QEvent::MouseButtonRelease;
    if (moving && hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    return handled;
}

} // namespace tolvane
