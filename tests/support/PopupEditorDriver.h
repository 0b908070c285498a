#pragma once
// Driving a popup editor as a user does: the press over the editor opens the popup, which then
// holds the mouse, so the opening release and every later click go to the popup window.

#include "grid/editors/choice/PopupEditor.h"
#include "support/InputSimulator.h"

namespace tolvane::test {

class PopupEditorDriver {
public:
    explicit PopupEditorDriver(TPopupEditor& editor) : editor_(editor) {}

    // The editor shown in a window of its own, focused.
    void Show(int width = 120, int height = 20) {
        editor_.SetBounds(10, 10, width, height);
        InputSimulator::ShowAndFocus(editor_);
    }
    // Presses the editor at the client point; the release goes where the mouse is held: to
    // the popup when the press opened it, else to the editor.
    void ClickEditor(int x, int y) {
        InputSimulator(editor_).MouseDown(mbLeft, x, y);
        if (editor_.DroppedDown()) {
            const TPoint p = PopupPoint(TPoint{x, y});
            InputSimulator(*editor_.Popup()).MouseUp(mbLeft, p.X, p.Y);
        } else {
            InputSimulator(editor_).MouseUp(mbLeft, x, y);
        }
    }
    void ClickArrow() { ClickEditor(editor_.ClientWidth() - 4, editor_.ClientHeight() / 2); }
    void ClickText() { ClickEditor(editor_.ClientWidth() / 3, editor_.ClientHeight() / 2); }
    // A click in the open popup, in its client coordinates.
    void ClickPopup(int x, int y) { InputSimulator(*editor_.Popup()).Click(x, y); }
    InputSimulator Keys() { return InputSimulator(editor_); }

private:
    TPoint PopupPoint(TPoint editorPoint) const {
        return editor_.Popup()->ScreenToClient(editor_.ClientToScreen(editorPoint));
    }
    TPopupEditor& editor_;
};

} // namespace tolvane::test
