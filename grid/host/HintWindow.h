#pragma once
// A hint window: a small top-level window showing a text at a screen position.

#include <QString>

#include "grid/host/FlyoutWindow.h"

namespace tolvane {

class THintWindow : public TFlyoutControl {
public:
    THintWindow(); // colour: the info background; font colour: the info text

    // The rectangle (at 0, 0) the window needs for `text` when lines wrap at `maxWidth` pixels.
    TRect CalcHintRect(int maxWidth, const QString& text);
    // Shows `text` in `screenRect` (screen coordinates).
    void ActivateHint(const TRect& screenRect, const QString& text);
    // Hides the window (the classic release of its handle).
    void ReleaseHandle();
    bool Active() const; // shown (not yet released)
    const QString& Caption() const;

    void Paint() override;

private:
    QString text_;
};

} // namespace tolvane
