#pragma once
// The base of the floating windows that drop down under popup editors: a scroll view turned
// into a top-most tool window that holds the mouse while open, reports the chosen value as text
// and closes.
//
// Life: closed -> Popup -> open, not armed -> first mouse release -> armed -> a choice, a
// release outside, Escape or ClosePopup -> closed. The release of the click that opened the
// popup only arms it. Every close goes through ClosePopup, so OnCloseUp always fires.

#include <functional>
#include <memory>

#include <QString>

#include "grid/host/PopupWindow.h"
#include "grid/scroll/ScrollView.h"

namespace tolvane {

class TPopupView;

using TPopupNotifyEvent = std::function<void(TPopupView* Sender)>;
using TPopupSelectEvent = std::function<void(TPopupView* Sender, const QString& Value)>;

// The 3-D dark shadow of the system colours (the popup's outer frame).
constexpr TColor cl3DDkShadow = clSystemColor | 21;

class TPopupView : public TScrollView {
public:
    TPopupView(); // border width 2, hidden
    ~TPopupView() override;

    bool Closed() const { return closed_; }
    bool Armed() const { return armed_; }
    // Opened from the keyboard there is no opening click whose release to wait for.
    void Arm() { armed_ = true; }

    // The opening editor's text (a list looks it up when its selection is not an item).
    const QString& Text() const { return text_; }
    void SetText(const QString& value) { text_ = value; }

    TPopupWindow& Window() { return *window_; }

    TPopupNotifyEvent OnCloseUp;
    TPopupSelectEvent OnSelect;

    // Frames the window: the 3-D dark shadow outside, white one pixel in.
    virtual void DrawBorder(TCanvas& canvas);
    // Chooses what lies under the client point and reports it with DoSelect.
    virtual void SelectAt(int x, int y) = 0;
    // Shows the popup with its top-left at the screen point, moved left to stay inside the work
    // area's right edge and never left of its left edge (never moved up), and takes the mouse.
    virtual void Popup(int x, int y);
    // Closed, the mouse released, hidden; then OnCloseUp.
    virtual void ClosePopup();

    // Sizes the window for a client area of the given size (no horizontal scroll bar).
    void SetClientSize(int width, int height);

    void NCPaint(TCanvas& canvas) override;
    void WMMouseMove(TShiftState shift, int x, int y) override;
    void WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    virtual void DoClose();
    virtual void DoSelect(const QString& value);
    // Reports the value and closes the popup unless the handler closed it already.
    void Choose(const QString& value);

private:
    void PointerEntered();
    void PointerLeft();

    bool closed_ = true;
    bool armed_ = false;
    QString text_;
    std::unique_ptr<TPopupWindow> window_;
};

} // namespace tolvane
