#pragma once
// The combo box editor: drops down a list of its items (with images when it has an image list).
// ItemIndex names the item shown; Up and Down (unless IgnoreArrows) and the wheel step it.

#include <QStringList>

#include "grid/editors/choice/PopupEditor.h"

namespace tolvane {

class TImageList;
class TPopupList;

class TComboBoxEditor : public TPopupEditor {
public:
    TComboBoxEditor();
    ~TComboBoxEditor() override;

    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    const QStringList& Items() const { return items_; }
    // Copies the lines.
    void SetItems(const QStringList& value) { items_ = value; }
    int ItemIndex() const { return itemIndex_; }
    // Stores the index; an index inside the items also sets the text to that item. Steps may
    // run past either end: the text then stays until the index is back among the items.
    void SetItemIndex(int value);
    // Not owned.
    const TImageList* Images() const { return images_; }
    void SetImages(const TImageList* value) { images_ = value; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }

    TPopupList& List() const;

    // Drop-down list: shows the item at ItemIndex again.
    void SetStyle(TDropDownStyle value) override;
    // The value handed in brings ItemIndex along: the item it names, or -1 when it is none of
    // the items. The list's SelectedIndex is its own and stays.
    void SetAsString(const QString& value) override;
    void PreparePopup() override;
    // The event first, then image ItemIndex centred in the box.
    void DrawPreview(const TRect& rect) override;

    void KeyDown(int& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

protected:
    // ItemIndex takes the list's choice (the text follows in AcceptPopupValue).
    void DoPopupClose() override;

private:
    int dropDownCount_ = 8;
    QStringList items_;
    int itemIndex_ = -1;
    const TImageList* images_ = nullptr;
    int itemHeight_ = 16;
};

} // namespace tolvane
