#pragma once
// A text editor with a button at its right edge and, behind the button, a popup view. The derived
// editor chooses both classes; the popup hands its choice to AcceptPopupValue.

#include <memory>

#include "grid/editors/base/SmallButton.h"
#include "grid/editors/popups/PopupView.h"
#include "grid/editors/text/TextualEditor.h"

namespace tolvane {

using TEditorButtonPtr = std::unique_ptr<TSmallButton>;
using TPopupViewPtr = std::unique_ptr<TPopupView>;
// Class hooks: factories for the button and the popup (nullptr: no popup).
using TEditorButtonClass = TEditorButtonPtr (*)();
using TPopupViewClass = TPopupViewPtr (*)();

template <class B>
TEditorButtonPtr CreateEditorButton() {
    return std::make_unique<B>();
}
template <class P>
TPopupViewPtr CreatePopupView() {
    return std::make_unique<P>();
}

// A base constructor cannot reach the derived class's hooks, so each editor hands its classes to
// the constructor; GetButtonClass and GetPopupClass answer them afterwards.
struct TButtonEditorClasses {
    TEditorButtonClass Button = nullptr;
    TPopupViewClass Popup = nullptr;
};

class TCustomButtonCellEditor : public TTextualEditor {
public:
    // An execute button and no popup: the popup view base chooses nothing by itself.
    TCustomButtonCellEditor();
    ~TCustomButtonCellEditor() override;

    TSmallButton& Button() { return *button_; }
    const TSmallButton& Button() const { return *button_; }
    // The popup, hidden until dropped down; null when the editor has none.
    TPopupView* Popup() const { return popup_.get(); }
    bool DroppedDown() const { return popup_ && !popup_->Closed(); }

    TNotifyEvent OnButtonClick;

    TEditorButtonClass GetButtonClass() const { return classes_.Button; }
    TPopupViewClass GetPopupClass() const { return classes_.Popup; }
    // Fills the popup before it opens.
    virtual void PreparePopup() {}
    // The popup's choice: the popup closes, the text becomes the value, the button comes up.
    virtual void AcceptPopupValue(const QString& value);

    void AfterShow() override;
    void GetTextRect(TRect& rect) override;
    void Resize() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    explicit TCustomButtonCellEditor(const TButtonEditorClasses& classes);
    // The button's release (wherever the pointer is then) and press.
    virtual void ButtonClick();
    virtual void ButtonDown() {}
    int FieldRight() const override;
    void CreateWindow() override;
    void PlaceButton();

private:
    TButtonEditorClasses classes_;
    TEditorButtonPtr button_;
    TPopupViewPtr popup_;
};

} // namespace tolvane
