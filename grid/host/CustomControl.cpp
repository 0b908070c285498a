#include "grid/host/CustomControl.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>

#include "grid/host/AccessibleTableSource.h"
#include "grid/host/AppActivation.h"
#include "grid/host/DeviceImage.h"
#include "grid/host/ExceptionSink.h"
#include "grid/host/KeyMap.h"
#include "grid/host/QtConvert.h"
#include "grid/host/ScopedCount.h"

namespace tolvane {

// ---------------------------------------------------------------------------------------------
// The widgets. The outer widget carries the border and the scroll bars; the client widget inside
// it shows the surface and receives input and focus.

class TClientWidget : public QWidget {
public:
    TClientWidget(TCustomControl* owner, QWidget* parent) : QWidget(parent), owner(owner) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        // Text composed by an input method comes as a commit, not as key presses.
        setAttribute(Qt::WA_InputMethodEnabled);
    }
    TCustomControl* owner;
    int eventDepth = 0; // handlers running; the control may not delete the widgets under them
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool event(QEvent* e) override;

private:
    bool Dispatch(QEvent* e);
    void TypeText(const QString& text, const QInputMethodEvent* composing = nullptr);
};

namespace {

// Counts a handler running on the client widget (eventDepth) for as long as it runs, exceptions
// included; the widget may go meanwhile.
class TEventDepth {
public:
    explicit TEventDepth(TClientWidget* client) : client_(client) {
        if (client_) ++client_->eventDepth;
    }
    ~TEventDepth() {
        if (client_) --client_->eventDepth;
    }
    TEventDepth(const TEventDepth&) = delete;
    TEventDepth& operator=(const TEventDepth&) = delete;

private:
    QPointer<TClientWidget> client_;
};

} // namespace

class TControlWidget : public QWidget {
public:
    explicit TControlWidget(TCustomControl* owner) : owner(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        client = new TClientWidget(owner, this);
        setFocusProxy(client);
        for (int i = 0; i < 2; ++i) {
            bars[i] = new QScrollBar(i == sbHorizontal ? Qt::Horizontal : Qt::Vertical, this);
            bars[i]->setFocusPolicy(Qt::NoFocus);
            bars[i]->hide();
        }
    }
    ~TControlWidget() override {
        if (owner) owner->WidgetDestroyed();
    }
    TCustomControl* owner;
    TClientWidget* client;
    QScrollBar* bars[2];

protected:
    bool event(QEvent* e) override {
        bool result = true;
        GuardedCall([&] { result = QWidget::event(e); });
        return result;
    }
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent*) override {
        if (owner) owner->Relayout();
    }
    void hideEvent(QHideEvent*) override {
        if (owner) owner->WindowHidden();
    }
};

// ---------------------------------------------------------------------------------------------

namespace {

struct BarState {
    int min = 0, max = 100, page = 0, pos = 0, track = 0;
    bool shown = false;
    bool enabled = true;    // EnableScrollBar
    bool scrollable = true; // the range needs scrolling
    bool syncing = false;   // writing the QScrollBar ourselves
};

} // namespace

struct TCustomControl::Impl {
    QPointer<TControlWidget> widget;
    TCustomControl* parentControl = nullptr;
    QImage surface; // at device resolution (ratio device pixels per logical pixel)
    bool surfaceStale = false; // the client's size or ratio changed since it was made
    bool settlePosted = false;
    TColor surfaceColor = clNone; // what a surface starts as: the colour when its size changed
    TCanvas canvas{&surface};
    qreal ratio = 1;
    QRegion invalid;
    bool painting = false;
    bool inPaintEvent = false;
    TRect bounds{0, 0, 0, 0};
    TRect client{0, 0, 0, 0}; // in widget coordinates
    TColor color = clBtnFace;
    TFont font;
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    TBorderStyle border = bsNone;
    int borderWidth = 0;
    QImage frame; // the whole window as NCPaint drew it; only the frame is shown
    TCanvas frameCanvas{&frame};
    bool frameInvalid = true;
    bool framePainting = false;
    bool inFrameEvent = false; // the outer widget's paint event is running
    TCursor cursor = crDefault;
    BarState bars[2];
    bool capture = false;
    bool clicked = false;
    bool entered = false; // focus is inside the control or its children
    bool flyout = false;
    int relayoutDepth = 0;
    int activationKey = 0;
    QMetaObject::Connection focusConnection;
    TAccessibleTableSource* accessibleTable = nullptr;
};

TCustomControl::TCustomControl() : d(std::make_unique<Impl>()) {
    // Before any widget of ours is asked for its accessibility interface, which Qt then keeps.
    InstallAccessibleTables();
    d->widget = new TControlWidget(this);
    d->canvas.Font = d->font;
    TControlWidget* w = d->widget;
    for (int i = 0; i < 2; ++i) {
        const auto kind = TScrollBarKind(i);
        QScrollBar* bar = w->bars[i];
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, kind, bar](int action) {
            BarState& st = d->bars[kind];
            if (st.syncing) return;
            int code = -1;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                code = SB_LINEDOWN;
                break;
            case QAbstractSlider::SliderSingleStepSub:
                code = SB_LINEUP;
                break;
            case QAbstractSlider::SliderPageStepAdd:
                code = SB_PAGEDOWN;
                break;
            case QAbstractSlider::SliderPageStepSub:
                code = SB_PAGEUP;
                break;
            case QAbstractSlider::SliderToMinimum:
                code = SB_TOP;
                break;
            case QAbstractSlider::SliderToMaximum:
                code = SB_BOTTOM;
                break;
            case QAbstractSlider::SliderMove:
                code = SB_THUMBTRACK;
                break;
            default:
                break;
            }
            if (code < 0) return;
            const int track = bar->sliderPosition();
            QPointer<TControlWidget> w = d->widget;
            {
                TEventDepth depth(w->client);
                GuardedCall([&] { SendScroll(kind, code, track); });
            }
            if (!w || !w->owner) return;
            // The bar shows what the control decided, except under a dragged thumb.
            if (!bar->isSliderDown()) {
                st.syncing = true;
                bar->setValue(st.pos);
                bar->setSliderPosition(st.pos);
                st.syncing = false;
            }
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, kind, bar] {
            QPointer<TControlWidget> w = d->widget;
            {
                TEventDepth depth(w->client);
                GuardedCall([&] { SendScroll(kind, SB_THUMBPOSITION, bar->sliderPosition()); });
                // The drag ends even when its last step failed.
                if (w && w->owner) GuardedCall([&] { SendScroll(kind, SB_ENDSCROLL, 0); });
            }
            if (w && w->owner) {
                BarState& st = d->bars[kind];
                st.syncing = true;
                bar->setValue(st.pos);
                st.syncing = false;
            }
        });
    }
    d->activationKey = AddActivationHandler([this](bool active) { ActivateApp(active); });
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        d->focusConnection =
            QObject::connect(app, &QApplication::focusChanged, [this](QWidget*, QWidget* now) {
                if (!now || !d->widget) return; // activation changes are not enter/exit
                const bool inside = now == d->widget || d->widget->isAncestorOf(now);
                if (inside == d->entered) return;
                d->entered = inside;
                GuardedCall([&] {
                    if (inside)
                        DoEnter();
                    else
                        DoExit();
                });
            });
    }
    Relayout();
}

TCustomControl::~TCustomControl() {
    RemoveActivationHandler(d->activationKey);
    QObject::disconnect(d->focusConnection);
    d->canvas.Flush();
    if (d->widget) {
        TControlWidget* w = d->widget;
        if (d->capture) w->client->releaseMouse();
        w->owner = nullptr;
        w->client->owner = nullptr;
        if (w->client->eventDepth > 0) {
            // Destroyed from one of its own event handlers: the widget goes once they return.
            w->hide();
            w->deleteLater();
        } else {
            delete w;
        }
    }
}

void TCustomControl::WidgetDestroyed() {
    d->widget.clear();
    d->capture = false;
}

QWidget* TCustomControl::Widget() const {
    return d->widget.data();
}
void TCustomControl::SetAccessibleTable(TAccessibleTableSource* source) {
    d->accessibleTable = source;
}
TAccessibleTableSource* TCustomControl::AccessibleTable() const {
    return d->accessibleTable;
}
TCustomControl* TCustomControl::FromClientWidget(const QObject* object) {
    auto client = dynamic_cast<const ::tolvane::TClientWidget*>(object);
    return client ? client->owner : nullptr;
}

QWidget* TCustomControl::ClientWidget() const {
    return d->widget ? d->widget->client : nullptr;
}
bool TCustomControl::HandleAllocated() const {
    return !d->widget.isNull();
}

void TCustomControl::SetParentWidget(QWidget* parent) {
    d->parentControl = nullptr;
    if (!d->widget) return;
    const Qt::WindowFlags flags = d->widget->windowFlags();
    d->widget->setParent(parent, d->flyout ? flags : Qt::WindowFlags());
    d->widget->setGeometry(ToQRect(d->bounds));
    if (d->visible && parent && !d->flyout) d->widget->show();
}

void TCustomControl::SetParentControl(TCustomControl* parent) {
    SetParentWidget(parent ? parent->ClientWidget() : nullptr);
    d->parentControl = parent;
}

TCustomControl* TCustomControl::ParentControl() const {
    return d->parentControl;
}

// ---------------------------------------------------------------------------------------------
// Geometry

void TCustomControl::SetBounds(int left, int top, int width, int height) {
    d->bounds = TRect{left, top, left + std::max(0, width), top + std::max(0, height)};
    if (d->widget) d->widget->setGeometry(ToQRect(d->bounds));
    Relayout();
}

int TCustomControl::Left() const {
    return d->bounds.Left;
}
int TCustomControl::Top() const {
    return d->bounds.Top;
}
int TCustomControl::Width() const {
    return d->bounds.Width();
}
int TCustomControl::Height() const {
    return d->bounds.Height();
}
TRect TCustomControl::BoundsRect() const {
    return d->bounds;
}
int TCustomControl::ClientWidth() const {
    return d->client.Width();
}
int TCustomControl::ClientHeight() const {
    return d->client.Height();
}
TRect TCustomControl::ClientRect() const {
    return TRect{0, 0, ClientWidth(), ClientHeight()};
}

TPoint TCustomControl::ClientToScreen(TPoint p) const {
    if (!d->widget) return p;
    return FromQPoint(d->widget->client->mapToGlobal(ToQPoint(p)));
}

TPoint TCustomControl::ScreenToClient(TPoint p) const {
    if (!d->widget) return p;
    return FromQPoint(d->widget->client->mapFromGlobal(ToQPoint(p)));
}

TPoint TCustomControl::GetCursorPos() {
    return TPoint{TScreen::CursorX(), TScreen::CursorY()};
}

void TCustomControl::Relayout() {
    if (d->relayoutDepth > 4) return; // a Resize handler changing scroll bars forever
    const TScopedCount depth(d->relayoutDepth); // counted back down when a Resize handler throws
    if (d->widget) {
        const QSize size = d->widget->size();
        d->bounds = TRect{d->widget->x(), d->widget->y(), d->widget->x() + size.width(),
                          d->widget->y() + size.height()};
    }
    const int b = FrameWidth();
    d->frameInvalid = true;
    int extent = 16;
    if (d->widget) extent = d->widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, d->widget);
    const bool h = d->bars[sbHorizontal].shown, v = d->bars[sbVertical].shown;
    const int cw = std::max(0, Width() - 2 * b - (v ? extent : 0));
    const int ch = std::max(0, Height() - 2 * b - (h ? extent : 0));
    const TRect client{b, b, b + cw, b + ch};
    if (d->widget) {
        d->widget->client->setGeometry(ToQRect(client));
        d->widget->bars[sbVertical]->setGeometry(b + cw, b, extent, ch);
        d->widget->bars[sbVertical]->setVisible(v);
        d->widget->bars[sbHorizontal]->setGeometry(b, b + ch, cw, extent);
        d->widget->bars[sbHorizontal]->setVisible(h);
        d->widget->update();
    }
    const bool resized = client.Width() != d->client.Width() || client.Height() != d->client.Height();
    d->client = client;
    if (resized) {
        d->ratio = ScreenRatio();
        RecreateSurface();
        Resize();
    }
}

qreal TCustomControl::ScreenRatio() const {
    // Below 1 the surface stays at logical size: one-pixel lines must not vanish.
    return d->widget ? std::max<qreal>(1, d->widget->client->devicePixelRatioF()) : d->ratio;
}

void TCustomControl::RecreateSurface() {
    // Made when next drawn on or read: a grid filled row by row shows and hides its scroll bar,
    // and a layout settles through several sizes, without a paint in between.
    d->canvas.Flush();
    d->surfaceStale = true;
    d->surfaceColor = d->color;
    d->invalid = QRegion();
    Invalidate();
}

void TCustomControl::EnsureSurface() {
    if (!d->surfaceStale) return;
    d->surfaceStale = false;
    d->surface = CreateDeviceImage(ClientWidth(), ClientHeight(), d->ratio);
    if (!d->surface.isNull()) d->surface.fill(ToQColor(d->surfaceColor));
    d->canvas.Retarget(&d->surface);
}

void TCustomControl::SyncPixelRatio() {
    // Not while the surface is being drawn: the next paint catches up.
    if (d->painting || d->framePainting) return;
    const qreal ratio = ScreenRatio();
    if (ratio == d->ratio) return;
    d->ratio = ratio;
    RecreateSurface();
    RedrawFrame();
}

qreal TCustomControl::PixelRatio() const {
    return d->ratio;
}

// ---------------------------------------------------------------------------------------------
// Appearance

TColor TCustomControl::Color() const {
    return d->color;
}
void TCustomControl::SetColor(TColor c) {
    if (c == d->color) return;
    d->color = c;
    Invalidate();
}

const TFont& TCustomControl::Font() const {
    return d->font;
}
void TCustomControl::SetFont(const TFont& f) {
    d->font = f;
    d->canvas.Font = f;
    FontChanged();
    Invalidate();
}

bool TCustomControl::Visible() const {
    return d->visible;
}
void TCustomControl::SetVisible(bool v) {
    d->visible = v;
    if (!d->widget) return;
    // A control without a parent widget is only shown on request when it is a window of its own
    // (a flyout); otherwise showing is its container's business.
    if (!v)
        d->widget->hide();
    else if (d->flyout)
        d->widget->show();
    else if (d->widget->parentWidget())
        d->widget->show();
}
bool TCustomControl::Showing() const {
    return d->widget && d->widget->isVisible();
}

bool TCustomControl::Enabled() const {
    return d->enabled;
}
void TCustomControl::SetEnabled(bool e) {
    d->enabled = e;
    if (d->widget) d->widget->setEnabled(e);
    Invalidate();
}

bool TCustomControl::TabStop() const {
    return d->tabStop;
}
void TCustomControl::SetTabStop(bool t) {
    d->tabStop = t;
    if (d->widget && !d->flyout) d->widget->client->setFocusPolicy(t ? Qt::TabFocus : Qt::NoFocus);
}

TBorderStyle TCustomControl::BorderStyle() const {
    return d->border;
}
void TCustomControl::SetBorderStyle(TBorderStyle b) {
    if (b == d->border) return;
    d->border = b;
    BorderStyleChanged();
    Relayout();
}

int TCustomControl::BorderWidth() const {
    return d->borderWidth;
}
void TCustomControl::SetBorderWidth(int width) {
    width = std::max(0, width);
    if (width == d->borderWidth) return;
    d->borderWidth = width;
    Relayout();
}

int TCustomControl::FrameWidth() const {
    return (d->border == bsSingle ? 1 : 0) + d->borderWidth;
}

TCursor TCustomControl::Cursor() const {
    return d->cursor;
}
void TCustomControl::SetCursor(TCursor c) {
    d->cursor = c;
    if (!d->widget) return;
    if (c == crDefault)
        d->widget->client->unsetCursor();
    else
        d->widget->client->setCursor(TScreen::CursorOf(c));
}

// ---------------------------------------------------------------------------------------------
// Painting

TCanvas& TCustomControl::Canvas() {
    EnsureSurface();
    // Drawing outside Paint goes straight to the surface; the screen follows on the next update.
    if (!d->painting) ScheduleScreenUpdate();
    return d->canvas;
}

void TCustomControl::ScheduleScreenUpdate() {
    if (d->widget && !d->inPaintEvent) d->widget->client->update();
}

void TCustomControl::Invalidate() {
    InvalidateRect(ClientRect());
}

void TCustomControl::InvalidateRect(const TRect& r) {
    const TRect part = r.Intersect(ClientRect());
    if (part.IsEmpty()) return;
    d->invalid += ToQRect(part);
    if (d->widget && !d->inPaintEvent) d->widget->client->update(ToQRect(part));
}

void TCustomControl::ValidateRect(const TRect& r) {
    d->invalid -= ToQRect(r);
}

void TCustomControl::Repaint() {
    Invalidate();
    PaintNow();
}

bool TCustomControl::PaintPending() {
    if (!d->painting) SettleInvalidRegion();
    return !d->invalid.isEmpty();
}
TRect TCustomControl::InvalidBounds() {
    if (!d->painting) SettleInvalidRegion();
    return FromQRect(d->invalid.boundingRect());
}
void TCustomControl::SettleInvalidRegion() {}

namespace {
const QEvent::Type SettleEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
} // namespace

void TCustomControl::RequestSettle() {
    if (!d->widget || d->settlePosted) return;
    d->settlePosted = true;
    // Dropped with the widget if the control goes first.
    QCoreApplication::postEvent(d->widget->client, new QEvent(SettleEvent));
}
bool TCustomControl::Painting() const {
    return d->painting;
}

void TCustomControl::PaintNow() {
    SyncPixelRatio(); // the window may have moved to a screen of another density
    // Inside the client's paint event the outer widget paints the frame itself.
    if (d->frameInvalid && !d->inPaintEvent && !d->painting) PaintFrame();
    if (d->painting) return;
    SettleInvalidRegion();
    EnsureSurface();
    if (d->invalid.isEmpty() || d->surface.isNull()) return;
    const QRect box = d->invalid.boundingRect();
    d->invalid = QRegion();
    struct Guard {
        Impl* d;
        ~Guard() {
            d->canvas.ResetClip();
            d->painting = false;
        }
    } guard{d.get()};
    d->painting = true;
    d->canvas.SetClipRect(FromQRect(box));
    Paint();
    if (d->widget && !d->inPaintEvent) d->widget->client->update(box);
}

void TCustomControl::RedrawFrame() {
    d->frameInvalid = true;
    if (d->widget && !d->inFrameEvent) d->widget->update();
}

bool TCustomControl::FramePaintPending() const {
    return d->frameInvalid && FrameWidth() > 0;
}

void TCustomControl::PaintFrame() {
    if (d->framePainting) return;
    // A hook that changes the layout (a new border width) invalidates the frame again: one more
    // pass paints the final one.
    for (int pass = 0; pass < 2 && d->frameInvalid; ++pass) {
        d->frameInvalid = false;
        const int w = Width(), h = Height();
        if (FrameWidth() <= 0 || w <= 0 || h <= 0) return;
        if (LogicalSize(d->frame) != QSize(w, h) || d->frame.devicePixelRatio() != d->ratio) {
            d->frameCanvas.Flush();
            d->frame = CreateDeviceImage(w, h, d->ratio);
            d->frame.fill(ToQColor(d->color));
            d->frameCanvas.Retarget(&d->frame);
        }
        struct Guard {
            Impl* d;
            ~Guard() {
                d->frameCanvas.ResetClip();
                d->frameCanvas.Flush();
                d->framePainting = false;
            }
        } guard{d.get()};
        d->framePainting = true;
        d->frameCanvas.ResetClip();
        NCPaint(d->frameCanvas);
    }
    if (d->widget && !d->inFrameEvent) d->widget->update();
}

TColor TCustomControl::WindowPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    if (d->client.Contains(TPoint{x, y})) return SurfacePixel(x - d->client.Left, y - d->client.Top);
    const int f = FrameWidth();
    if (x >= f && y >= f && x < Width() - f && y < Height() - f) return clNone; // scroll bars
    d->frameCanvas.Flush();
    return LogicalPixel(d->frame, x, y);
}

const QImage& TCustomControl::Surface() {
    EnsureSurface();
    d->canvas.Flush();
    return d->surface;
}

TColor TCustomControl::SurfacePixel(int x, int y) {
    return LogicalPixel(Surface(), x, y);
}

TColor TCustomControl::SurfaceDevicePixel(int x, int y) {
    return DevicePixel(Surface(), x, y);
}

void TCustomControl::ScrollWindowEx(int dx, int dy, const TRect& clipRect) {
    const TRect clip = clipRect.Intersect(ClientRect());
    if (clip.IsEmpty() || (dx == 0 && dy == 0)) return;
    if (!WholeRatio(d->ratio)) {
        // Logical pixels do not sit on whole device pixels: moving them would smear shared
        // device pixels, so the clip is drawn afresh.
        InvalidateRect(clip);
        return;
    }
    EnsureSurface();
    d->canvas.Flush();
    const TRect dest = clip.Offset(dx, dy).Intersect(clip); // pixels that receive moved content
    if (!dest.IsEmpty()) {
        const int k = int(d->ratio); // device pixels per logical pixel
        const int width = dest.Width() * k * 4, ddx = dx * k, ddy = dy * k;
        const auto copyRow = [&](int y) {
            const uchar* from = d->surface.constScanLine(y - ddy) + (dest.Left * k - ddx) * 4;
            uchar* to = d->surface.scanLine(y) + dest.Left * k * 4;
            std::memmove(to, from, std::size_t(width));
        };
        if (dy > 0)
            for (int y = dest.Bottom * k - 1; y >= dest.Top * k; --y) copyRow(y);
        else
            for (int y = dest.Top * k; y < dest.Bottom * k; ++y) copyRow(y);
    }
    // Pending invalid parts inside the clip travel with the pixels; the uncovered strip is new.
    const QRegion clipRegion(ToQRect(clip));
    const QRegion inside = d->invalid.intersected(clipRegion);
    d->invalid -= clipRegion;
    d->invalid += inside.translated(dx, dy).intersected(clipRegion);
    d->invalid += clipRegion.subtracted(QRegion(ToQRect(dest)));
    if (d->widget && !d->inPaintEvent) d->widget->client->update(ToQRect(clip));
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

namespace {

void WriteBar(QScrollBar* bar, BarState& st) {
    st.syncing = true;
    const int top = std::max(st.min, st.max - std::max(st.page - 1, 0));
    bar->setRange(st.min, top);
    bar->setPageStep(std::max(st.page, 1));
    bar->setSingleStep(1);
    bar->setValue(st.pos);
    bar->setEnabled(st.enabled && st.scrollable);
    st.syncing = false;
}

} // namespace

void TCustomControl::SetScrollInfo(TScrollBarKind kind, int min, int max, int page, int pos,
                                   bool disableNoScroll) {
    BarState& st = d->bars[kind];
    st.min = min;
    st.max = std::max(min, max);
    st.page = std::clamp(page, 0, st.max - st.min + 1);
    const int top = std::max(st.min, st.max - std::max(st.page - 1, 0));
    st.pos = std::clamp(pos, st.min, top);
    st.scrollable = top > st.min;
    st.track = st.pos;
    const bool wasShown = st.shown;
    if (st.scrollable)
        st.shown = true;
    else if (!disableNoScroll)
        st.shown = false;
    if (d->widget) WriteBar(d->widget->bars[kind], st);
    if (st.shown != wasShown) Relayout();
}

int TCustomControl::GetScrollPos(TScrollBarKind kind) const {
    return d->bars[kind].pos;
}

int TCustomControl::GetScrollTrackPos(TScrollBarKind kind) const {
    return d->bars[kind].track;
}

void TCustomControl::ShowScrollBar(TScrollBarKind kind, bool show) {
    if (d->bars[kind].shown == show) return;
    d->bars[kind].shown = show;
    Relayout();
}

void TCustomControl::EnableScrollBar(TScrollBarKind kind, bool enable) {
    BarState& st = d->bars[kind];
    st.enabled = enable;
    if (d->widget) d->widget->bars[kind]->setEnabled(st.enabled && st.scrollable);
}

bool TCustomControl::ScrollBarVisible(TScrollBarKind kind) const {
    return d->bars[kind].shown;
}
bool TCustomControl::ScrollBarEnabled(TScrollBarKind kind) const {
    return d->bars[kind].enabled && d->bars[kind].scrollable;
}

void TCustomControl::SendScroll(TScrollBarKind kind, int code, int pos) {
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) d->bars[kind].track = pos;
    if (kind == sbHorizontal)
        WMHScroll(code, pos);
    else
        WMVScroll(code, pos);
}

// ---------------------------------------------------------------------------------------------
// Focus and mouse

bool TCustomControl::Focused() const {
    return d->widget && d->widget->client->hasFocus();
}

void TCustomControl::SetFocus() {
    if (d->widget && !d->flyout) d->widget->client->setFocus(Qt::OtherFocusReason);
}

bool TCustomControl::CanFocus() const {
    return d->widget && !d->flyout && d->visible && d->enabled;
}

bool TCustomControl::MouseCapture() const {
    return d->capture;
}

void TCustomControl::SetMouseCapture(bool on) {
    if (on == d->capture) return;
    d->capture = on;
    if (!d->widget) return;
    if (on && d->widget->isVisible())
        d->widget->client->grabMouse();
    else if (!on)
        d->widget->client->releaseMouse();
}

// ---------------------------------------------------------------------------------------------
// Default hooks

void TCustomControl::Paint() {
    d->canvas.Brush.Color = d->color;
    d->canvas.Brush.Style = bsSolid;
    d->canvas.FillRect(ClientRect());
}

void TCustomControl::NCPaint(TCanvas& canvas) {
    const int w = Width(), h = Height();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = d->color;
    canvas.FillRect(TRect{0, 0, w, h});
    if (d->border != bsSingle) return;
    // A one-pixel sunken edge.
    canvas.Brush.Color = clBtnShadow;
    canvas.FillRect(TRect{0, 0, w, 1});
    canvas.FillRect(TRect{0, 0, 1, h});
    canvas.Brush.Color = clBtnHighlight;
    canvas.FillRect(TRect{0, h - 1, w, h});
    canvas.FillRect(TRect{w - 1, 0, w, h});
}

void TCustomControl::BorderStyleChanged() {}

void TCustomControl::WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    MouseDown(button, shift, x, y);
}
void TCustomControl::WMMouseMove(TShiftState shift, int x, int y) {
    MouseMove(shift, x, y);
}
void TCustomControl::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    MouseUp(button, shift, x, y);
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
}
void TCustomControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(shift, x, y);
}
void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
}
void TCustomControl::Click() {
    if (OnClick) OnClick();
}
void TCustomControl::DblClick() {
    if (OnDblClick) OnDblClick();
}

bool TCustomControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(shift, wheelDelta, mousePos, handled);
    if (!handled) {
        if (wheelDelta < 0)
            handled = DoMouseWheelDown(shift, mousePos);
        else if (wheelDelta > 0)
            handled = DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}
bool TCustomControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(shift, mousePos, handled);
    return handled;
}
bool TCustomControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(shift, mousePos, handled);
    return handled;
}

void TCustomControl::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(key, shift);
}
void TCustomControl::KeyPress(QChar& key) {
    if (OnKeyPress) OnKeyPress(key);
}
void TCustomControl::KeyUp(int& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(key, shift);
}
void TCustomControl::DoEnter() {
    if (OnEnter) OnEnter();
}
void TCustomControl::DoExit() {
    if (OnExit) OnExit();
}
void TCustomControl::WMSetFocus() {}
void TCustomControl::WMKillFocus() {}
void TCustomControl::Resize() {
    if (OnResize) OnResize();
}
void TCustomControl::MouseLeave() {}
void TCustomControl::SysColorChange() {
    Invalidate();
    RedrawFrame();
}
void TCustomControl::ActivateApp(bool) {}
void TCustomControl::FontChanged() {}
void TCustomControl::WindowHidden() {}
void TCustomControl::WMHScroll(int, int) {}
void TCustomControl::WMVScroll(int, int) {}
bool TCustomControl::WantTabs() const {
    return false;
}
TRect TCustomControl::TextInputRect() {
    return ClientRect();
}

void TCustomControl::MakeFlyout() {
    d->flyout = true;
    if (!d->widget) return;
    // Flyouts are feedback only: the pointer goes through them to whatever lies below, so that
    // one opening under the pointer does not take it from the control that showed it.
    d->widget->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    d->widget->setAttribute(Qt::WA_ShowWithoutActivating);
    d->widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    d->widget->client->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (QScrollBar* bar : d->widget->bars) bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    d->widget->setFocusPolicy(Qt::NoFocus);
    d->widget->client->setFocusPolicy(Qt::NoFocus);
    d->widget->hide();
}

bool TCustomControl::IsFlyout() const {
    return d->flyout;
}

// ---------------------------------------------------------------------------------------------
// Widget event handlers

namespace {

bool KnownButton(Qt::MouseButton b) {
    return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

QPoint PosOf(const QMouseEvent* e) {
    return e->position().toPoint();
}

} // namespace

void TControlWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (owner) {
        auto& d = *owner->d;
        owner->SyncPixelRatio();
        if (d.frameInvalid) {
            d.inFrameEvent = true;
            try {
                owner->PaintFrame();
            } catch (...) {
                d.inFrameEvent = false;
                throw;
            }
            d.inFrameEvent = false;
        }
        const int f = owner->FrameWidth();
        if (f > 0 && LogicalSize(d.frame) == size()) {
            p.save();
            p.setClipRegion(QRegion(rect()).subtracted(QRegion(rect().adjusted(f, f, -f, -f))));
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, d.frame);
            p.restore();
        }
    }
    if (bars[0]->isVisible() && bars[1]->isVisible())
        p.fillRect(QRect(bars[1]->x(), bars[0]->y(), bars[1]->width(), bars[0]->height()),
                   ToQColor(clBtnFace));
}

void TClientWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!owner) {
        p.fillRect(e->rect(), palette().window());
        return;
    }
    auto& d = *owner->d;
    // Rectangles worked out only now ask for their own screen update where this paint does not
    // reach.
    if (!d.painting) owner->SettleInvalidRegion();
    d.inPaintEvent = true;
    try {
        owner->PaintNow();
    } catch (...) {
        d.inPaintEvent = false;
        throw;
    }
    d.inPaintEvent = false;
    d.canvas.Flush();
    if (!d.surface.isNull()) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        if (d.surface.devicePixelRatio() == 1.0) {
            p.drawImage(e->rect().topLeft(), d.surface, e->rect());
        } else {
            // Device pixels go to the screen one to one; the clip keeps it to the exposed part.
            p.setClipRect(e->rect());
            p.drawImage(QPoint(0, 0), d.surface);
        }
    }
}

void TClientWidget::mousePressEvent(QMouseEvent* e) {
    if (!owner || !KnownButton(e->button())) return;
    const QPoint pos = PosOf(e);
    if (e->button() == Qt::LeftButton) owner->d->clicked = true;
    owner->WMMouseDown(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), pos.x(), pos.y());
}

void TClientWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!owner || !KnownButton(e->button())) return;
    const QPoint pos = PosOf(e);
    owner->d->clicked = false;
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
    if (e->button() == Qt::LeftButton && owner->d->clicked) {
        owner->d->clicked = false;
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
    if (e->type() == SettleEvent) {
        if (owner) {
            owner->d->settlePosted = false;
            owner->SettleInvalidRegion();
        }
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
