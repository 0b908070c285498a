#include "grid/editors/text/SpinEditor.h"

#include "grid/base/Conversions.h"
#include "grid/editors/base/SpinButtons.h"
#include "grid/host/SystemMetrics.h"

namespace tolvane {

TSpinEditor::TSpinEditor() : buttons_(std::make_unique<TSpinButtons>()) {
    buttons_->SetEditor(this);
    buttons_->SetParentControl(this);
    buttons_->OnSpin = [this](TSpinButtons&, int part) { Step(part); };
    SetPrecision(0);
    TSpinEditor::CreateWindow();
}

TSpinEditor::~TSpinEditor() {
    buttons_->OnSpin = nullptr;
    buttons_.reset();
}

void TSpinEditor::Step(int part) {
    const double value = SafeValue();
    if (part == 1) {
        if (Max() > 0 && value + increment_ > Max()) return;
        SetValue(value + increment_);
    } else if (part == 2) {
        if (value - increment_ >= Min()) SetValue(value - increment_);
    }
}

double TSpinEditor::AsFloat() const {
    return Value();
}

int TSpinEditor::AsInteger() const {
    return RoundToInt(Value());
}

void TSpinEditor::SetAsFloat(double value) {
    SetValue(value);
}

void TSpinEditor::SetAsInteger(int value) {
    SetValue(value);
}

void TSpinEditor::AfterShow() {
    TNumericEditor::AfterShow();
    buttons_->Invalidate();
}

void TSpinEditor::KeyDown(int& key, TShiftState shift) {
    TNumericEditor::KeyDown(key, shift);
    if (IgnoreArrows()) return;
    // Every key-down steps once and re-arms the delay, auto-repeated ones included.
    if (key == VK_UP)
        buttons_->SetPressedPart(1);
    else if (key == VK_DOWN)
        buttons_->SetPressedPart(2);
}

void TSpinEditor::KeyUp(int& key, TShiftState shift) {
    TNumericEditor::KeyUp(key, shift);
    if (!IgnoreArrows() && buttons_->PressedPart() != 0) buttons_->SetPressedPart(0);
}

bool TSpinEditor::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    if (wheelDelta == 0) return true;
    buttons_->SetPressedPart(wheelDelta < 0 ? 2 : 1);
    buttons_->SetPressedPart(0);
    return true;
}

void TSpinEditor::MouseEnter() {
    TNumericEditor::MouseEnter();
    buttons_->SetHotPart(3);
}

void TSpinEditor::MouseLeave() {
    TNumericEditor::MouseLeave();
    buttons_->SetHotPart(0);
}

int TSpinEditor::FieldRight() const {
    return buttons_ ? buttons_->Left() : ClientWidth();
}

void TSpinEditor::GetTextRect(TRect& rect) {
    TNumericEditor::GetTextRect(rect);
    rect.Right = ClientWidth() - (buttons_ ? buttons_->Width() : 0);
}

void TSpinEditor::PlaceButtons() {
    if (!buttons_) return;
    const int width = VerticalScrollBarWidth();
    const bool single = BorderStyle() == bsSingle;
    buttons_->SetBounds(ClientWidth() - width, single ? 1 : 0, width,
                        single ? ClientHeight() - 1 : ClientHeight() + 1);
    buttons_->Invalidate();
    ApplyTextRect();
}

void TSpinEditor::Resize() {
    TNumericEditor::Resize();
    PlaceButtons();
}

void TSpinEditor::BorderStyleChanged() {
    TNumericEditor::BorderStyleChanged();
    PlaceButtons();
}

void TSpinEditor::CreateWindow() {
    TNumericEditor::CreateWindow();
    PlaceButtons();
}

} // namespace tolvane
