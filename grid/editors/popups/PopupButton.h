#pragma once
// The small push button of the popups ("Today" and "None" in the calendar): a windowless
// control drawn on its parent's canvas, which passes it the mouse presses and releases that
// land on it.

#include <functional>

#include <QString>

#include "grid/host/Bitmap.h"
#include "grid/host/CustomControl.h"

namespace tolvane {

class TPopupButton;

// Release event: the button, the button released and the point in the button's coordinates.
using TPopupButtonMouseEvent =
    std::function<void(TPopupButton* Sender, TMouseButton, TShiftState, int X, int Y)>;

// Distinct from the editors' button base, TSmallButton.
class TPopupButton {
public:
    explicit TPopupButton(TCustomControl& parent);
    TPopupButton(const TPopupButton&) = delete;
    TPopupButton& operator=(const TPopupButton&) = delete;

    TCustomControl& Parent() const { return parent_; }
    // Bounds in the parent's client coordinates.
    void SetBounds(int left, int top, int width, int height);
    const TRect& BoundsRect() const { return bounds_; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Hot() const { return hot_; }
    void SetHot(bool value);
    // Drawn centred above the caption's middle; empty by default.
    TBitmap& Glyph() { return glyph_; }
    // 0: push-button look, 1: toolbar look.
    int Style() const { return style_; }
    void SetStyle(int value);

    TPopupButtonMouseEvent OnMouseUp;

    // The parent's area under the button is repainted.
    void Invalidate();
    // Draws the button at its bounds on the parent's canvas.
    void Paint(TCanvas& canvas);
    // Mouse input in the button's coordinates. The release fires OnMouseUp, then lifts the face.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

private:
    TCustomControl& parent_;
    TRect bounds_;
    bool visible_ = true;
    QString caption_;
    bool down_ = false;
    bool hot_ = false;
    TBitmap glyph_;
    int style_ = 0;
};

} // namespace tolvane
