#pragma once
// A hint window: a small top-level window showing a text at a screen position. It is feedback
// only: the window manager leaves it alone, it never takes the focus, and the pointer goes
// through it to what lies below.

#include <QString>

#include "grid/host/FlyoutControl.h"

namespace tolvane {

class THintWindow : public TFlyoutControl {
public:
    THintWindow(); // colour: the info background; font colour: the info text

    // The rectangle (at 0, 0) the window needs for `text` when lines wrap at `maxWidth` pixels.
    TRect CalcHintRect(int maxWidth, const QString& text);
    // Shows `text` in `screenRect` (screen coordinates); showing the same again changes nothing.
    void ActivateHint(const TRect& screenRect, const QString& text);
    // Hides the window (the classic release of its handle).
    void ReleaseHandle();
    bool Active() const; // shown (not yet released)
    const QString& Caption() const;

    // Where a hint wanted at `wanted` goes: pushed into `workArea`, and when it would then cover
    // `pointer`, moved below `band` (the screen rows it explains), or above it when the area has
    // no room below. All in screen coordinates.
    static TRect ClearOfPointer(const TRect& wanted, TPoint pointer, const TRect& band, const TRect& workArea);
    // The available area of the screen showing `point` (the primary screen's when none does).
    static TRect WorkAreaAt(TPoint point);

    void Paint() override;

private:
    QString text_;
};

} // namespace tolvane
