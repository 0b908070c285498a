#include "grid/editors/popups/PopupList.h"

#include <algorithm>

#include "grid/host/Bitmap.h"
#include "grid/host/PopupWindow.h"
#include "grid/host/SystemMetrics.h"
#include "grid/shared/ColorContrast.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

namespace {

constexpr int kWheelRows = 3;

} // namespace

TPopupList::TPopupList() {
    SetClientSize(80, 50);
}

void TPopupList::SetItems(const QStringList* items) {
    items_ = items;
    Invalidate();
}

void TPopupList::SetImages(const TImageList* images) {
    images_ = images;
    Invalidate();
}

void TPopupList::SetShowImages(bool value) {
    if (value == showImages_) return;
    showImages_ = value;
    Invalidate();
}

void TPopupList::SetItemHeight(int value) {
    value = std::max(1, value);
    if (value == itemHeight_) return;
    itemHeight_ = value;
    Invalidate();
}

int TPopupList::ItemCount() const {
    return items_ ? int(items_->size()) : 0;
}

int TPopupList::MaxTopIndex() const {
    return ItemCount() - ClientHeight() / itemHeight_;
}

int TPopupList::VisibleRows() const {
    return std::max(1, ClientHeight() / itemHeight_);
}

TRect TPopupList::ItemRect(int index) const {
    const int top = (index - TopIndex()) * itemHeight_;
    return TRect{0, top, ClientWidth(), top + itemHeight_};
}

int TPopupList::TextLeft() const {
    return showImages_ && images_ ? images_->Width() + 5 : 2;
}

int TPopupList::WidestItemWidth() {
    if (!items_) return 0;
    if (measuredFont_ && *measuredFont_ == Font() && measuredItems_ == *items_) return widest_;
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    widest_ = canvas.WidestTextWidth(*items_);
    measuredItems_ = *items_;
    measuredFont_ = Font();
    return widest_;
}

void TPopupList::SetDropDownSize(int width, int dropDownCount) {
    const int rows = std::max(0, std::min(dropDownCount, ItemCount()));
    // The items are read whole: the list is at least as wide as the widest of them needs, with
    // the same room on the right as on the left, beside the scroll bar when there is one.
    int needed = TextLeft() + WidestItemWidth() + 2 + 2 * FrameWidth();
    if (ItemCount() > rows) needed += VerticalScrollBarWidth();
    SetBounds(Left(), Top(), std::max(width, needed), rows * itemHeight_ + 2 * FrameWidth());
}

void TPopupList::Popup(int x, int y) {
    // Never wider than the screen it opens on.
    const TRect area = TPopupWindow::WorkAreaAt(TPoint{x, y});
    if (!area.IsEmpty() && Width() > area.Width()) SetBounds(Left(), Top(), area.Width(), Height());
    TControlScrollBar& bar = VertScrollBar();
    bar.SetPosition(0);
    bar.SetMax(MaxTopIndex());
    bar.SetVisible(bar.Max() > 0);
    LocateCurrent();
    Invalidate();
    TPopupView::Popup(x, y);
}

void TPopupList::LocateCurrent() {
    int index = 0;
    if (selectedIndex_ >= 0 && selectedIndex_ < ItemCount())
        index = selectedIndex_;
    else if (items_)
        index = std::max<int>(0, int(items_->indexOf(Text())));
    VertScrollBar().SetPosition(index);
    hotIndex_ = index;
}

void TPopupList::Resize() {
    SetVertScrollRect(ClientRect());
    SetHorzScrollRect(ClientRect());
    TPopupView::Resize();
}

void TPopupList::Paint() {
    SetVertScrollRect(ClientRect());
    SetHorzScrollRect(ClientRect());
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    canvas.Brush.Style = bsSolid;
    const int width = ClientWidth(), height = ClientHeight();
    // Only the rows inside the clip box are drawn: the pixels of a scroll are kept.
    const TRect clip = canvas.GetClipBox();
    const int count = ItemCount();
    int y = 0;
    for (int i = TopIndex(); i < count && y < height; ++i, y += itemHeight_) {
        const TRect row{0, y, width, y + itemHeight_};
        if (row.Bottom <= clip.Top || row.Top >= clip.Bottom) continue;
        const bool hot = i == hotIndex_;
        canvas.Brush.Color =
            hot ? TColorContrast::LegibleFill(clHighlight, clWindow, clHighlightText) : clWindow;
        canvas.Font.Color = hot ? clHighlightText : clWindowText;
        canvas.FillRect(row);
        DrawItem(i, row);
    }
    if (y < height) {
        canvas.Brush.Color = clWindow;
        canvas.FillRect(TRect{0, y, width, height});
    }
}

void TPopupList::DrawItem(int index, const TRect& r) {
    TCanvas& canvas = Canvas();
    const int textLeft = r.Left + TextLeft();
    if (showImages_ && images_) {
        const int top = r.Top + itemHeight_ / 2 - images_->Height() / 2;
        if (index < images_->Count()) images_->Draw(canvas, r.Left + 2, top, index);
    }
    TGraphicsProvider::DrawTextEllipsis(canvas, TRect{textLeft, r.Top, r.Right, r.Bottom}, false,
                                        (*items_)[index], taLeftJustify);
}

void TPopupList::SetHotIndex(int index) {
    previousHotIndex_ = hotIndex_;
    hotIndex_ = index;
    if (hotIndex_ == previousHotIndex_) return;
    InvalidateRect(ItemRect(previousHotIndex_));
    InvalidateRect(ItemRect(hotIndex_));
}

void TPopupList::MouseMove(TShiftState shift, int x, int y) {
    TPopupView::MouseMove(shift, x, y);
    if (!ClientRect().Contains(TPoint{x, y})) return;
    const int index = y / itemHeight_ + TopIndex();
    // Below the last item the hot row stays where it is.
    if (index < ItemCount()) SetHotIndex(index);
}

void TPopupList::SelectAt(int, int y) {
    if (y < 0) return;
    const int index = y / itemHeight_ + TopIndex();
    if (index >= ItemCount()) return;
    selectedIndex_ = index;
    Choose((*items_)[index]);
}

void TPopupList::MoveHot(int index) {
    const int count = ItemCount();
    if (count == 0) return;
    index = std::clamp(index, 0, count - 1);
    const int rows = VisibleRows();
    if (index < TopIndex())
        VertScrollBar().SetPosition(index);
    else if (index >= TopIndex() + rows)
        VertScrollBar().SetPosition(index - rows + 1);
    SetHotIndex(index);
}

void TPopupList::KeyDown(int& key, TShiftState shift) {
    TPopupView::KeyDown(key, shift);
    if (Closed()) return;
    const int rows = VisibleRows();
    switch (key) {
    case VK_UP:
        MoveHot(hotIndex_ - 1);
        break;
    case VK_DOWN:
        MoveHot(hotIndex_ + 1);
        break;
    case VK_PRIOR:
        MoveHot(hotIndex_ - rows);
        break;
    case VK_NEXT:
        MoveHot(hotIndex_ + rows);
        break;
    case VK_HOME:
        MoveHot(0);
        break;
    case VK_END:
        MoveHot(ItemCount() - 1);
        break;
    case VK_RETURN:
        if (hotIndex_ >= 0 && hotIndex_ < ItemCount()) {
            selectedIndex_ = hotIndex_;
            key = 0;
            Choose((*items_)[selectedIndex_]);
        }
        return;
    case VK_ESCAPE:
        key = 0;
        ClosePopup();
        return;
    default:
        return;
    }
    key = 0;
}

bool TPopupList::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TPopupView::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    int notches = wheelDelta / WHEEL_DELTA;
    if (notches == 0) notches = wheelDelta > 0 ? 1 : -1;
    VertScrollBar().SetPosition(TopIndex() - notches * kWheelRows);
    return true;
}

int TPopupList::GetVertScrollDelta(int previous, int current) {
    return (previous - current) * itemHeight_;
}

} // namespace tolvane
