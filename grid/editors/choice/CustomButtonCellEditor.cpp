#include "grid/editors/choice/CustomButtonCellEditor.h"

#include "grid/editors/base/ExecuteButton.h"

namespace tolvane {

TCustomButtonCellEditor::TCustomButtonCellEditor()
    : TCustomButtonCellEditor(TButtonEditorClasses{&CreateEditorButton<TExecuteButton>, nullptr}) {}

TCustomButtonCellEditor::TCustomButtonCellEditor(const TButtonEditorClasses& classes) : classes_(classes) {
    button_ = classes_.Button ? classes_.Button() : CreateEditorButton<TExecuteButton>();
    button_->SetEditor(this);
    button_->Hide();
    button_->SetParentControl(this);
    button_->OnPress = [this](TSmallButton&) { ButtonDown(); };
    button_->OnRelease = [this](TSmallButton&) { ButtonClick(); };
    if (classes_.Popup) {
        popup_ = classes_.Popup();
        popup_->OnCloseUp = [this](TPopupView*) { button_->SetDown(false); };
        popup_->OnSelect = [this](TPopupView*, const QString& value) { AcceptPopupValue(value); };
    }
    TCustomButtonCellEditor::CreateWindow();
}

TCustomButtonCellEditor::~TCustomButtonCellEditor() {
    OnButtonClick = nullptr;
    if (popup_) {
        popup_->OnCloseUp = nullptr;
        popup_->OnSelect = nullptr;
    }
    popup_.reset();
    button_->OnPress = nullptr;
    button_->OnRelease = nullptr;
    button_.reset();
}

void TCustomButtonCellEditor::ButtonClick() {
    if (OnButtonClick) OnButtonClick(*this);
}

void TCustomButtonCellEditor::AcceptPopupValue(const QString& value) {
    if (DroppedDown()) popup_->ClosePopup();
    SetText(value);
    button_->SetHot(false);
    button_->SetDown(false);
}

void TCustomButtonCellEditor::AfterShow() {
    TTextualEditor::AfterShow();
    button_->Invalidate();
}

void TCustomButtonCellEditor::GetTextRect(TRect& rect) {
    TTextualEditor::GetTextRect(rect);
    if (button_) rect.Right -= button_->Width();
}

int TCustomButtonCellEditor::FieldRight() const {
    return button_ ? ClientWidth() - button_->Width() : ClientWidth();
}

void TCustomButtonCellEditor::PlaceButton() {
    if (!button_) return;
    const int width = button_->Width();
    button_->SetBounds(ClientWidth() - width, 0, width, ClientHeight());
    button_->Show();
    button_->Invalidate();
}

void TCustomButtonCellEditor::Resize() {
    TTextualEditor::Resize();
    Invalidate();
    PlaceButton();
}

void TCustomButtonCellEditor::CreateWindow() {
    TTextualEditor::CreateWindow();
    PlaceButton();
}

void TCustomButtonCellEditor::MouseEnter() {
    TTextualEditor::MouseEnter();
    button_->SetHot(true);
}

void TCustomButtonCellEditor::MouseLeave() {
    TTextualEditor::MouseLeave();
    button_->SetHot(false);
}

} // namespace tolvane
