#pragma once
// A custom-painted control: the stand-in for a classic window with a canvas.
//
// The control keeps a surface image of its client pixels. Invalidated parts are repainted by the
// Paint hook (the canvas clipped to them); Qt's paint event only copies the surface to the screen.
// Drawing on Canvas() outside Paint (rubber-band lines, focus rectangles) changes the surface
// directly and reaches the screen with the next screen update.
//
// Platform scroll bars are real QScrollBar children placed beside the client area; their actions
// arrive as WMHScroll/WMVScroll(code, pos) with the SB_ codes.
//
// The frame round the client area and the scroll bars is the window's non-client part: the
// static edge of bsSingle plus BorderWidth pixels. The NCPaint hook draws it in the window's
// coordinates; only the frame's pixels are kept and reach the screen (it runs once for each
// strip of the band, its canvas clipped to the strip).
//
// Ownership: TCustomControl owns its widget. Widget() is for putting the control into a layout
// or a parent widget; Qt may then own the widget too:
//  - destroying the control deletes the widget (it leaves its layout);
//  - if Qt deletes the widget first (its parent went away), the control lives on without a
//    window: HandleAllocated() answers false and window operations do nothing, while the surface
//    and the Paint hook keep working.
// Never delete Widget() yourself while the control is alive, except through its parent.

#include <functional>
#include <memory>

#include <QChar>
#include <QString>

#include "grid/host/Canvas.h"
#include "grid/host/PlatformScrollBars.h"
#include "grid/host/Screen.h"
#include "grid/base/Font.h"
#include "grid/base/Types.h"

class QImage;
class QObject;
class QPainter;
class QRect;
class QWidget;

namespace tolvane {

// Scroll requests (the classic SB_ codes).
enum : int {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// The classic wheel step: one notch.
constexpr int WHEEL_DELTA = 120;

enum TBorderStyle { bsNone, bsSingle };

class TControlWidget;
class TClientWidget;
class TAccessibleTableSource;

class TCustomControl {
public:
    TCustomControl();
    virtual ~TCustomControl();
    TCustomControl(const TCustomControl&) = delete;
    TCustomControl& operator=(const TCustomControl&) = delete;

    // The widget standing for the window (null once Qt has deleted it; see ownership above).
    QWidget* Widget() const;
    bool HandleAllocated() const;
    // The widget holding the client area: child controls (in-place editors) live in it and are
    // positioned in client coordinates.
    QWidget* ClientWidget() const;
    // Makes `parent` the widget's parent (null: no parent).
    void SetParentWidget(QWidget* parent);
    // Puts this control into the client area of `parent` (null: no parent).
    void SetParentControl(TCustomControl* parent);
    TCustomControl* ParentControl() const;

    // --- Geometry -------------------------------------------------------------------------
    // Bounds in the parent's coordinates (screen coordinates for top-level windows).
    void SetBounds(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    TRect BoundsRect() const;
    int ClientWidth() const; // the client area: inside the border and beside visible scroll bars
    int ClientHeight() const;
    TRect ClientRect() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    static TPoint GetCursorPos(); // screen coordinates

    // --- Appearance -----------------------------------------------------------------------
    TColor Color() const; // default clBtnFace
    void SetColor(TColor c);
    const TFont& Font() const;
    void SetFont(const TFont& f); // also becomes the canvas font; calls FontChanged
    bool Visible() const;         // the Visible property (default true)
    void SetVisible(bool v);
    bool Showing() const; // actually on screen
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool e);
    bool TabStop() const;
    void SetTabStop(bool t);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle b); // bsSingle: a one-pixel static edge
    // Pixels between the edge and the client area on every side (default 0).
    int BorderWidth() const;
    void SetBorderWidth(int width); // negative values count as 0
    // Edge plus BorderWidth: the client area's inset from the window's outer rectangle.
    int FrameWidth() const;
    TCursor Cursor() const;
    void SetCursor(TCursor c);

    // --- Painting -------------------------------------------------------------------------
    TCanvas& Canvas(); // draws on the surface
    void Invalidate(); // the whole client area
    void InvalidateRect(const TRect& r);
    void ValidateRect(const TRect& r);
    void Repaint(); // invalidate all and paint now
    void Update() { PaintNow(); }
    // Runs the pending NCPaint and Paint at once (if anything is invalid) and updates the screen.
    void PaintNow();
    bool PaintPending();
    TRect InvalidBounds(); // bounding box of the invalid region (empty when none)
    bool Painting() const;       // inside the Paint hook
    // The surface; pixels as 0xAARRGGBB. Platform layer and tests. On a high-density screen it
    // holds PixelRatio() device pixels per logical pixel (QImage::devicePixelRatio).
    const QImage& Surface();
    TColor SurfacePixel(int x, int y);       // logical coordinates; clNone outside
    TColor SurfaceDevicePixel(int x, int y); // device coordinates; clNone outside
    // Device pixels per logical pixel of the screen the control is on (1 on ordinary screens),
    // as of the last paint; all geometry stays in logical pixels.
    qreal PixelRatio() const;

    // The frame is repainted by NCPaint on the next screen update or PaintNow (the classic
    // RedrawWindow with RDW_FRAME). Layout changes ask for this themselves.
    void RedrawFrame();
    bool FramePaintPending() const;
    // A pixel of the whole window, in window coordinates: the frame as NCPaint drew it, the
    // surface inside the client area; clNone over the scroll bars and outside.
    TColor WindowPixel(int x, int y);

    // Moves the pixels inside `clip` by (dx, dy) and invalidates the strip left uncovered; the
    // pending invalid area inside `clip` moves with the pixels. At a fractional pixel ratio the
    // whole clip is invalidated instead.
    void ScrollWindowEx(int dx, int dy, const TRect& clip);

    // --- Platform scroll bars -------------------------------------------------------------
    // Range min..max, page size and position, as on the classic platform: the position is
    // limited to min..max - max(page - 1, 0). A range that needs scrolling shows the bar. One
    // that does not hides it, or with disableNoScroll leaves it as it is, disabled.
    void SetScrollInfo(TScrollBarKind kind, int min, int max, int page, int pos, bool disableNoScroll = true);
    int GetScrollPos(TScrollBarKind kind) const;
    // The thumb's position while it is dragged (the last one after release; the position when
    // the thumb was not dragged since the last SetScrollInfo).
    int GetScrollTrackPos(TScrollBarKind kind) const;
    void ShowScrollBar(TScrollBarKind kind, bool show);
    void EnableScrollBar(TScrollBarKind kind, bool enable); // both arrows
    bool ScrollBarVisible(TScrollBarKind kind) const;
    bool ScrollBarEnabled(TScrollBarKind kind) const;
    // Sends a scroll request as the platform bar would; for SB_THUMBTRACK and SB_THUMBPOSITION
    // `pos` becomes the track position.
    void SendScroll(TScrollBarKind kind, int code, int pos = 0);

    // --- Accessibility ----------------------------------------------------------------------
    // A control that shows a table tells assistive technology about it through `source` (not
    // owned; null: a plain control).
    void SetAccessibleTable(TAccessibleTableSource* source);
    TAccessibleTableSource* AccessibleTable() const;
    // The control whose client widget `object` is; null for any other object.
    static TCustomControl* FromClientWidget(const QObject* object);

    // --- Focus and mouse ------------------------------------------------------------------
    bool Focused() const;
    void SetFocus();
    bool CanFocus() const;
    bool MouseCapture() const;
    void SetMouseCapture(bool on);

    // --- Events (raised by the default hook implementations) ------------------------------
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(TShiftState, int, int)> OnMouseMove;
    std::function<void(int& key, TShiftState)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;
    std::function<void(int& key, TShiftState)> OnKeyUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    std::function<void()> OnResize;
    std::function<void(TShiftState, int wheelDelta, TPoint mousePos, bool& handled)> OnMouseWheel;
    std::function<void(TShiftState, TPoint mousePos, bool& handled)> OnMouseWheelDown;
    std::function<void(TShiftState, TPoint mousePos, bool& handled)> OnMouseWheelUp;

    // --- Hooks ----------------------------------------------------------------------------
    // Public so that the widget, tests and input helpers reach them; derived controls override.
    virtual void Paint();
    // Draws the frame in the window's coordinates (0, 0, Width, Height), once for each strip of
    // the band, `canvas` clipped to it; what is drawn inside the frame never shows. Runs only while the window has a frame. By default: the frame in
    // Color, with the static edge for bsSingle.
    virtual void NCPaint(TCanvas& canvas);
    // The border style changed (the classic platform recreates the window then); before the
    // new layout is made.
    virtual void BorderStyleChanged();
    // Mouse messages as they arrive; by default they call MouseDown, MouseMove and MouseUp.
    // Overriding these runs code after (or before) all of a derived control's mouse handling.
    virtual void WMMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void WMMouseMove(TShiftState shift, int x, int y);
    virtual void WMMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    // mousePos in screen coordinates; answers whether the wheel was handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, TShiftState shift);
    // Focus entering the control (or one of its child controls) from outside, and leaving it.
    // Moving between the control and its children, or the application losing activation,
    // calls neither.
    virtual void DoEnter();
    virtual void DoExit();
    // The control's own window gaining and losing the keyboard focus (any reason).
    virtual void WMSetFocus();
    virtual void WMKillFocus();
    virtual void Resize();
    virtual void MouseLeave();
    // The application's palette changed: the system colours follow it and the whole window
    // repaints.
    virtual void SysColorChange();
    virtual void ActivateApp(bool active);
    virtual void FontChanged();
    // The window stopped showing: hidden itself, or its window closed or minimised.
    virtual void WindowHidden();
    virtual void WMHScroll(int code, int pos);
    virtual void WMVScroll(int code, int pos);
    // Whether Tab and Shift+Tab come to KeyDown instead of moving the focus (default false).
    virtual bool WantTabs() const;
    // Where text typed now would go, in client coordinates: an input method shows what is being
    // composed and its candidates by it. By default the client area.
    virtual TRect TextInputRect();

protected:
    // Adds to the invalid region what the control has put off working out (rectangles of changes
    // that may lie off screen); runs before the region is painted or reported.
    virtual void SettleInvalidRegion();
    // Asks for SettleInvalidRegion once the events queued so far are handled, so that the screen
    // updates the rectangles it adds and no more. A paint or a question about what is invalid
    // settles before that on its own.
    void RequestSettle();
    // Turns the window into a top-level popup that never takes the focus nor the mouse (flyouts,
    // hints): input passes through it to what lies below.
    void MakeFlyout();
    bool IsFlyout() const;

private:
    // The widgets translate Qt's events into the hooks and call these.
    friend class TControlWidget;
    friend class TClientWidget;
    struct Impl;
    std::unique_ptr<Impl> d;
    void Relayout();
    // The window's paint event: the frame; the client's: the surface's exposed part.
    void PaintWindow(QPainter& p);
    void PaintClient(QPainter& p, const QRect& exposed);
    // The settle event asked for by RequestSettle arrived.
    void SettlePosted();
    TPlatformScrollBars& ScrollBars();
    qreal ScreenRatio() const;
    void RecreateSurface();
    void EnsureSurface();
    void SyncPixelRatio();
    void PaintFrame();
    void ScheduleScreenUpdate();
    void WidgetDestroyed();
};

} // namespace tolvane
