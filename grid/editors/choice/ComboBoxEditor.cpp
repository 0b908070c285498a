#include "grid/editors/choice/ComboBoxEditor.h"

#include "grid/editors/popups/PopupList.h"
#include "grid/host/Bitmap.h"

namespace tolvane {

TComboBoxEditor::TComboBoxEditor() : TPopupEditor(&CreatePopupView<TPopupList>) {}

TComboBoxEditor::~TComboBoxEditor() {
    // The list holds the items by reference.
    List().SetItems(nullptr);
    items_.clear();
}

TPopupList& TComboBoxEditor::List() const {
    return static_cast<TPopupList&>(*Popup());
}

void TComboBoxEditor::SetItemIndex(int value) {
    itemIndex_ = value;
    if (!items_.isEmpty() && value >= 0 && value < items_.size()) SetText(items_[value]);
}

void TComboBoxEditor::SetStyle(TDropDownStyle value) {
    TPopupEditor::SetStyle(value);
    if (value == dsDropDownList) SetItemIndex(itemIndex_);
}

void TComboBoxEditor::SetAsString(const QString& value) {
    TPopupEditor::SetAsString(value);
    // The list keeps its own selection: it opens at the item chosen there last (item 0 at first).
    itemIndex_ = int(items_.indexOf(value));
}

void TComboBoxEditor::PreparePopup() {
    TPopupEditor::PreparePopup();
    TPopupList& list = List();
    list.SetItems(&items_);
    list.SetImages(images_);
    list.SetItemHeight(itemHeight_);
    list.SetShowImages(images_ != nullptr);
    list.SetDropDownSize(Width(), dropDownCount_);
}

void TComboBoxEditor::DoPopupClose() {
    itemIndex_ = List().SelectedIndex();
    TPopupEditor::DoPopupClose();
}

void TComboBoxEditor::DrawPreview(const TRect& rect) {
    TPopupEditor::DrawPreview(rect);
    if (!images_ || itemIndex_ < 0 || itemIndex_ >= images_->Count()) return;
    const int left = rect.Left + rect.Width() / 2 - images_->Width() / 2;
    int top = 0;
    switch (VerticalAlignment()) {
    case vaTop:
        top = 0;
        break;
    case vaMiddle:
        top = ClientHeight() / 2 - images_->Height() / 2;
        break;
    case vaBottom:
        top = ClientHeight() - images_->Height();
        break;
    }
    images_->Draw(Canvas(), left, top, itemIndex_);
}

void TComboBoxEditor::KeyDown(int& key, TShiftState shift) {
    const bool open = DroppedDown();
    TPopupEditor::KeyDown(key, shift);
    // The open list has had its keys.
    if (open || IgnoreArrows()) return;
    if (key == VK_UP)
        SetItemIndex(itemIndex_ - 1);
    else if (key == VK_DOWN)
        SetItemIndex(itemIndex_ + 1);
}

bool TComboBoxEditor::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    if (wheelDelta < 0)
        SetItemIndex(itemIndex_ + 1);
    else if (wheelDelta > 0 && itemIndex_ > 0)
        SetItemIndex(itemIndex_ - 1);
    return true;
}

} // namespace tolvane
