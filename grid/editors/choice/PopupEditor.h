#pragma once
// A button editor whose button is a drop-down arrow that opens the popup under the editor.
// dsDropDown: the text is typed, only the arrow opens the popup. dsDropDownList: the text is
// read-only and drawn as a face, and a click anywhere over the editor opens the popup.
//
// While the popup is open it sees the editor's keys first (it never takes the focus): a list
// moves its hot row and chooses on Enter, and Escape closes the popup without ending the edit.
// F4 and Alt+Down open the popup, or close it when it is open; Alt+Up closes it.

#include "grid/editors/choice/CustomButtonCellEditor.h"

namespace tolvane {

enum TDropDownStyle { dsDropDown, dsDropDownList };

// F4 (without Alt or Ctrl) and Alt+Down, the keys that drop a popup down; with `orClose` also
// Alt+Up.
bool IsDropDownKey(int key, TShiftState shift, bool orClose = false);

class TPopupEditor : public TCustomButtonCellEditor {
public:
    // A drop-down button and no popup.
    TPopupEditor();

    TDropDownStyle Style() const { return style_; }
    virtual void SetStyle(TDropDownStyle value);
    bool HideFocus() const { return hideFocus_; }
    void SetHideFocus(bool value);
    // Raised when the popup reports a choice, before the text changes.
    TNotifyEvent OnPopupClose;

    // Opens the popup just under the editor, as wide as the editor, with the editor's font and text.
    void DropDown();
    // Opens it from the keyboard: the arrow shows pressed and the popup takes the next click.
    void DropDownFromKeyboard();

    bool UsesWindowPainting() const override { return style_ == dsDropDown; }
    // The drop-down-list face.
    void PaintEditor() override;
    void GetTextRect(TRect& rect) override;
    void SelectAll() override;
    void AcceptPopupValue(const QString& value) override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    // Hiding the editor closes its popup.
    void WindowHidden() override;

protected:
    explicit TPopupEditor(TPopupViewClass popupClass);
    void ButtonDown() override;
    virtual void DoPopupClose();

private:
    TDropDownStyle style_ = dsDropDown;
    bool hideFocus_ = false;
};

} // namespace tolvane
