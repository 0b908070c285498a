#pragma once
// The platform's single-line edit field, hosted in a control's client area.
//
// The field is a real Qt line edit, so input methods, the clipboard, undo and selection behave as
// users expect. Its owner sees it only through this class: text and selection, a formatting
// rectangle (the field's place plus inner margins), colours and font, and hooks through which
// the owner filters keys, replaces pasting and follows the mouse and the focus.
//
// Key handling follows the classic order: OnKeyDown sees the virtual key first (clearing it to 0
// keeps the field from acting on it), then OnKeyPress sees each character (clearing it drops the
// character). Enter and Escape never reach the field. Key events never travel on to the parent.

#include <functional>
#include <memory>

#include <QChar>
#include <QString>

#include "grid/base/Font.h"
#include "grid/base/Types.h"
#include "grid/host/Screen.h"

namespace tolvane {

class TCustomControl;

class TEditField {
public:
    // The field lives in the owner's client area, takes the owner's focus (the owner's window
    // hands the focus on to it) and goes with this object.
    explicit TEditField(TCustomControl& owner);
    ~TEditField();
    TEditField(const TEditField&) = delete;
    TEditField& operator=(const TEditField&) = delete;

    QString Text() const;
    // Raises OnChange when the text differs.
    void SetText(const QString& text);
    int SelStart() const;
    int SelLength() const;
    QString SelText() const;
    void SetSelection(int start, int length);
    void SelectAll();
    // Puts the caret at `position` with no selection.
    void SetCaret(int position);
    // A text wider than the field is scrolled to its start: the caret goes to the start, keeping
    // a selection of the whole text. A text that fits is left as it is.
    void ShowStartWhenCut();
    int CaretPosition() const;
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    // Inserts text at the caret as typing would (replacing the selection); undoable.
    void Insert(const QString& text);
    bool CanUndo() const;
    void Undo();

    // The field's rectangle in the owner's client coordinates, and the text's rectangle inside it
    // (also in client coordinates; clipped to the field).
    void SetLayout(const TRect& field, const TRect& text);
    TRect FieldRect() const;
    void SetAlignment(TAlignment value);
    void SetColors(TColor background, TColor text);
    void SetFont(const TFont& font);
    void SetCursor(TCursor cursor);
    void SetVisible(bool value);
    bool HasFocus() const;

    // OnKeyDown(key, shift): the virtual key; set key to 0 to keep the field from acting on it.
    std::function<void(int& key, TShiftState shift)> OnKeyDown;
    // OnKeyPress(character): set it to 0 to drop the character.
    std::function<void(QChar& key)> OnKeyPress;
    std::function<void(int& key, TShiftState shift)> OnKeyUp;
    // The text changed, by the user or by SetText.
    std::function<void()> OnChange;
    // When assigned, replaces every paste (keys, context menu, middle button).
    std::function<void()> OnPaste;
    // After the field's own handling; coordinates in the owner's client area.
    std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseDown;
    std::function<void(TShiftState, int x, int y)> OnMouseMove;
    std::function<void(TMouseButton, TShiftState, int x, int y)> OnMouseUp;
    // Answers whether the wheel was used; an unused wheel is dropped.
    std::function<bool(TShiftState, int wheelDelta, TPoint mousePos)> OnMouseWheel;
    std::function<void()> OnFocusIn;
    std::function<void()> OnFocusOut;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

private:
    class TLineEdit;
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tolvane
