#pragma once
// Drives a popup editor as a user does: the press over the editor opens the popup, which then
// holds the mouse, so the opening release and every later click go to the popup window.

#include "grid/editors/choice/PopupEditor.h"
#include "support/InputSimulator.h"

namespace tolvane::test {

class PopupEditorDriver {
public:
    explicit PopupEditorDriver(TPopupEditor& editor) : editor_(editor) {}

    void ClickEditor(int x, int y) {
        InputSimulator(editor_).MouseDown(mbLeft, x, y);
        if (!editor_.DroppedDown()) return InputSimulator(editor_).MouseUp(mbLeft, x, y);
        const TPoint p = editor_.Popup()->ScreenToClient(editor_.ClientToScreen(TPoint{x, y}));
        InputSimulator(*editor_.Popup()).MouseUp(mbLeft, p.X, p.Y);
    }
    void ClickArrow() { ClickEditor(editor_.ClientWidth() - 4, editor_.ClientHeight() / 2); }
    void ClickText() { ClickEditor(editor_.ClientWidth() / 3, editor_.ClientHeight() / 2); }
    // A click in the middle of a rectangle of the open popup's client area.
    void ClickPopup(const TRect& r) {
        InputSimulator(*editor_.Popup()).Click((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

private:
    TPopupEditor& editor_;
};

} // namespace tolvane::test
