#include "grid/host/CustomControl.h"

#include <algorithm>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include "grid/host/AccessibleTableSource.h"
#include "grid/host/AppActivation.h"
#include "grid/host/ControlSurface.h"
#include "grid/host/ControlWidgets.h"
#include "grid/host/DeviceImage.h"
#include "grid/host/ExceptionSink.h"
#include "grid/host/FrameImage.h"
#include "grid/host/QtConvert.h"
#include "grid/host/ScopedCount.h"

namespace tolvane {

namespace {

// Holds a flag up for as long as it lives, an exception included.
class TScopedFlag {
public:
    explicit TScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~TScopedFlag() { flag_ = false; }
    TScopedFlag(const TScopedFlag&) = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

struct TCustomControl::Impl {
    QPointer<TControlWidget> widget;
    TCustomControl* parentControl = nullptr;
    TControlSurface surface;
    bool settlePosted = false;
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
    TFrameImage frame; // the band around the window as NCPaint drew it
    bool frameInvalid = true;
    bool framePainting = false;
    bool inFrameEvent = false; // the outer widget's paint event is running
    TCursor cursor = crDefault;
    TPlatformScrollBars bars;
    bool capture = false;
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
    d->surface.Canvas().Font = d->font;
    d->bars.Attach(d->widget->bars[sbHorizontal], d->widget->bars[sbVertical]);
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
    d->surface.Canvas().Flush();
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
    auto client = dynamic_cast<const TClientWidget*>(object);
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
    const bool h = d->bars.Shown(sbHorizontal), v = d->bars.Shown(sbVertical);
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
        d->surface.SetRatio(ScreenRatio());
        RecreateSurface();
        Resize();
    }
}

qreal TCustomControl::ScreenRatio() const {
    // Below 1 the surface stays at logical size: one-pixel lines must not vanish.
    return d->widget ? std::max<qreal>(1, d->widget->client->devicePixelRatioF()) : d->surface.Ratio();
}

void TCustomControl::RecreateSurface() {
    d->surface.Discard(d->color);
    Invalidate();
}

void TCustomControl::EnsureSurface() {
    d->surface.Ensure(ClientWidth(), ClientHeight());
}

void TCustomControl::SyncPixelRatio() {
    // Not while the surface is being drawn: the next paint catches up.
    if (d->painting || d->framePainting) return;
    const qreal ratio = ScreenRatio();
    if (ratio == d->surface.Ratio()) return;
    d->surface.SetRatio(ratio);
    RecreateSurface();
    RedrawFrame();
}

qreal TCustomControl::PixelRatio() const {
    return d->surface.Ratio();
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
    d->surface.Canvas().Font = f;
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
    return d->surface.Canvas();
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
    d->surface.Invalidate(ToQRect(part));
    if (d->widget && !d->inPaintEvent) d->widget->client->update(ToQRect(part));
}

void TCustomControl::ValidateRect(const TRect& r) {
    d->surface.Validate(ToQRect(r));
}

void TCustomControl::Repaint() {
    Invalidate();
    PaintNow();
}

bool TCustomControl::PaintPending() {
    if (!d->painting) SettleInvalidRegion();
    return !d->surface.Valid();
}
TRect TCustomControl::InvalidBounds() {
    if (!d->painting) SettleInvalidRegion();
    return FromQRect(d->surface.InvalidBounds());
}
void TCustomControl::SettleInvalidRegion() {}

void TCustomControl::RequestSettle() {
    if (!d->widget || d->settlePosted) return;
    d->settlePosted = true;
    // Dropped with the widget if the control goes first.
    QCoreApplication::postEvent(d->widget->client, new QEvent(TClientWidget::SettleEvent()));
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
    if (d->surface.Valid() || d->surface.Image().isNull()) return;
    const QRect box = d->surface.TakeInvalid();
    struct Guard {
        Impl* d;
        ~Guard() {
            d->surface.Canvas().ResetClip();
            d->painting = false;
        }
    } guard{d.get()};
    d->painting = true;
    d->surface.Canvas().SetClipRect(FromQRect(box));
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
        d->frame.Ensure(w, h, FrameWidth(), d->surface.Ratio(), d->color);
        const TScopedFlag framePainting(d->framePainting);
        d->frame.Paint([this](TCanvas& canvas) { NCPaint(canvas); });
    }
    if (d->widget && !d->inFrameEvent) d->widget->update();
}

TColor TCustomControl::WindowPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    if (d->client.Contains(TPoint{x, y})) return SurfacePixel(x - d->client.Left, y - d->client.Top);
    const int f = FrameWidth();
    if (x >= f && y >= f && x < Width() - f && y < Height() - f) return clNone; // scroll bars
    return d->frame.Pixel(x, y);
}

void TCustomControl::PaintWindow(QPainter& p) {
    SyncPixelRatio();
    if (d->frameInvalid) {
        const TScopedFlag inFrameEvent(d->inFrameEvent);
        PaintFrame();
    }
    const int f = FrameWidth();
    const QRect window = d->widget ? d->widget->rect() : QRect(0, 0, Width(), Height());
    if (f > 0 && d->frame.WindowSize() == window.size() && d->frame.Band() == f) d->frame.DrawOn(p);
}

void TCustomControl::PaintClient(QPainter& p, const QRect& exposed) {
    // Rectangles worked out only now ask for their own screen update where this paint does not
    // reach.
    if (!d->painting) SettleInvalidRegion();
    {
        const TScopedFlag inPaintEvent(d->inPaintEvent);
        PaintNow();
    }
    d->surface.Canvas().Flush();
    const QImage& surface = d->surface.Image();
    if (surface.isNull()) return;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (surface.devicePixelRatio() == 1.0) {
        p.drawImage(exposed.topLeft(), surface, exposed);
    } else {
        // Device pixels go to the screen one to one; the clip keeps it to the exposed part.
        p.setClipRect(exposed);
        p.drawImage(QPoint(0, 0), surface);
    }
}

void TCustomControl::SettlePosted() {
    d->settlePosted = false;
    SettleInvalidRegion();
}

const QImage& TCustomControl::Surface() {
    EnsureSurface();
    d->surface.Canvas().Flush();
    return d->surface.Image();
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
    // Logical pixels that do not sit on whole device pixels cannot move without smearing shared
    // device pixels: the clip is drawn afresh then.
    if (!d->surface.Scroll(dx, dy, clip, ClientWidth(), ClientHeight())) {
        InvalidateRect(clip);
        return;
    }
    if (d->widget && !d->inPaintEvent) d->widget->client->update(ToQRect(clip));
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

void TCustomControl::SetScrollInfo(TScrollBarKind kind, int min, int max, int page, int pos,
                                   bool disableNoScroll) {
    if (d->bars.SetInfo(kind, min, max, page, pos, disableNoScroll)) Relayout();
}

int TCustomControl::GetScrollPos(TScrollBarKind kind) const {
    return d->bars.Pos(kind);
}

int TCustomControl::GetScrollTrackPos(TScrollBarKind kind) const {
    return d->bars.Track(kind);
}

void TCustomControl::ShowScrollBar(TScrollBarKind kind, bool show) {
    if (d->bars.Show(kind, show)) Relayout();
}

void TCustomControl::EnableScrollBar(TScrollBarKind kind, bool enable) {
    d->bars.Enable(kind, enable);
}

bool TCustomControl::ScrollBarVisible(TScrollBarKind kind) const {
    return d->bars.Shown(kind);
}
bool TCustomControl::ScrollBarEnabled(TScrollBarKind kind) const {
    return d->bars.Enabled(kind);
}

void TCustomControl::SendScroll(TScrollBarKind kind, int code, int pos) {
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) d->bars.SetTrack(kind, pos);
    if (kind == sbHorizontal)
        WMHScroll(code, pos);
    else
        WMVScroll(code, pos);
}

TPlatformScrollBars& TCustomControl::ScrollBars() {
    return d->bars;
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
    TCanvas& canvas = d->surface.Canvas();
    canvas.Brush.Color = d->color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
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

} // namespace tolvane
