#pragma once
// The drop-down list of the combo box editor: rows of the editor's strings (with optional
// images), the hot row following the pointer and the keys, the vertical position counting items.

#include <QStringList>
#include <optional>

#include "grid/editors/popups/PopupView.h"

namespace tolvane {

class TImageList;

class TPopupList : public TPopupView {
public:
    TPopupList(); // client area 80 x 50

    int HotIndex() const { return hotIndex_; }
    int PreviousHotIndex() const { return previousHotIndex_; }
    // The strings shown, owned by the editor (null: no items).
    const QStringList* Items() const { return items_; }
    void SetItems(const QStringList* items);
    const TImageList* Images() const { return images_; }
    void SetImages(const TImageList* images);
    bool ShowImages() const { return showImages_; }
    void SetShowImages(bool value);
    // The item chosen last; kept across openings. Opening shows it when it is an item, and
    // otherwise looks up the editor's text.
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value) { selectedIndex_ = value; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value); // values <= 0 count as 1
    // The first visible item: the vertical scroll position.
    int TopIndex() const { return VertScrollBar().Position(); }

    virtual int ItemCount() const;
    virtual int MaxTopIndex() const;
    virtual void DrawItem(int index, const TRect& r);

    // Sizes the list `width` wide, or wider when its widest item needs more, and tall enough for
    // `dropDownCount` rows, or for all items when there are fewer.
    void SetDropDownSize(int width, int dropDownCount);

    // Fits the list into the width of the screen's work area, starts at the top, sets the scroll
    // range, locates the current item, then opens.
    void Popup(int x, int y) override;
    // Chooses the item under the client point; a point below the last item chooses nothing.
    void SelectAt(int x, int y) override;

    void Paint() override;
    void Resize() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    // While open: Up, Down, Home, End, Page Up and Page Down move the hot row (scrolling it into
    // view), Enter chooses it, Escape closes the list. The editor passes its keys on here.
    void KeyDown(int& key, TShiftState shift) override;
    // Three items per notch.
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    int GetVertScrollDelta(int previous, int current) override;

    // Client rectangle of item `index` (it may lie outside the client area).
    TRect ItemRect(int index) const;
    // Whole rows that fit the client area (at least 1).
    int VisibleRows() const;

private:
    // Where an item's text starts in its row: after the image when images are shown.
    int TextLeft() const;
    // The text width of the widest item in the list's font.
    int WidestItemWidth();
    void LocateCurrent();
    void SetHotIndex(int index);
    void MoveHot(int index);

    int hotIndex_ = 0;
    int previousHotIndex_ = 0;
    const QStringList* items_ = nullptr;
    // The items and font WidestItemWidth last measured, and its answer: opening the list again
    // over the same strings (shared, so compared at once) measures nothing.
    QStringList measuredItems_;
    std::optional<TFont> measuredFont_;
    int widest_ = 0;
    const TImageList* images_ = nullptr;
    bool showImages_ = false;
    int selectedIndex_ = 0;
    int itemHeight_ = 16;
};

} // namespace tolvane
