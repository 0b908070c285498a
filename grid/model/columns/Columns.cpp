#include "grid/model/columns/Columns.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "grid/model/cells/Cells.h"
#include "grid/model/columns/ColumnsOwner.h"
#include "grid/base/Errors.h"

namespace tolvane {

TColumns::TColumns(TColumnsOwner* grid) : grid_(grid) {}

TColumns::~TColumns() {
    // The grid is going away too: no notifications while the columns are freed.
    OnColumnChanged = nullptr;
    OnColumnsNotify = nullptr;
    OnColumnsChanged = nullptr;
    order_.clear();
    items_.clear();
}

TCustomColumn& TColumns::Add(std::unique_ptr<TCustomColumn> column) {
    if (!column) throw EGridError(std::string("Cannot add a missing column"));
    // Refused before anything changes: a column the cell store cannot hold would have no cells.
    if (Count() >= TCells::MaxColumns)
        throw EGridError("The grid holds at most " + std::to_string(TCells::MaxColumns) + " columns");
    TCustomColumn& added = *column;
    added.collection_ = this;
    items_.push_back(std::move(column));
    auto place = std::find_if(order_.begin(), order_.end(),
                              [&](const TCustomColumn* c) { return c->Position() > added.Position(); });
    order_.insert(place, &added);
    // A column created apart from its grid has not seen the grid's font yet.
    added.UpdateParentFont();
    Layout(false);
    AutoSize(nullptr, false);
    Notify(cnAdded);
    return added;
}

void TColumns::Clear() {
    std::vector<std::unique_ptr<TCustomColumn>> doomed;
    doomed.swap(items_);
    order_.clear();
    doomed.clear();
    Notify(cnCleared);
}

void TColumns::Move(int from, int to) {
    CheckListIndex(from, Count(), "Column position");
    CheckListIndex(to, Count(), "Column position");
    if (from == to) return;
    TCustomColumn* moved = order_[from];
    order_.erase(order_.begin() + from);
    order_.insert(order_.begin() + to, moved);
    Layout(true);
    ColumnChanged(*order_[to], ccPosition);
}

TCustomColumn& TColumns::operator[](int index) const {
    CheckListIndex(index, Count(), "Column");
    return *items_[index];
}

TCustomColumn& TColumns::ColumnByPosition(int position) const {
    CheckListIndex(position, Count(), "Column position");
    return *order_[position];
}

int TColumns::DisplayIndexOf(const TCustomColumn& column) const {
    auto it = std::find(order_.begin(), order_.end(), &column);
    return it == order_.end() ? -1 : int(it - order_.begin());
}

int TColumns::IndexOf(const TCustomColumn& column) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &column) return int(i);
    return -1;
}

int TColumns::VisibleCount() const {
    return int(
        std::count_if(order_.begin(), order_.end(), [](const TCustomColumn* c) { return c->Visible(); }));
}

int TColumns::VisibleWidth() const {
    int width = 0;
    for (const TCustomColumn* c : order_)
        if (c->Visible()) width += c->Width();
    return width;
}

bool TColumns::IsReading() const {
    return grid_ && grid_->IsReadingLayout();
}

void TColumns::Layout(bool renumber) {
    int x = grid_ ? grid_->ColumnsDataLeft() : 0;
    int visibleIndex = 0;
    for (std::size_t p = 0; p < order_.size(); ++p) {
        TCustomColumn* c = order_[p];
        if (c->Visible()) {
            c->left_ = x;
            c->visibleIndex_ = visibleIndex++;
            x += c->Width();
        } else {
            c->visibleIndex_ = -1;
        }
        if (renumber) c->position_ = int(p);
    }
}

void TColumns::AutoSize(TCustomColumn* column, bool fromColumn) {
    // Without a grid there is no width to share.
    if (!grid_ || IsReading()) return;
    // Offsets are measured from where the layout starts.
    const int indicator = grid_->ColumnsDataLeft();
    const int available = grid_->ColumnsAvailableWidth();

    int start = 0;
    int offset = 0;
    if (column) {
        // The column's real display place: a column never renumbered still has Position -1.
        const int place = DisplayIndexOf(*column);
        if (place < 0) return;
        if (fromColumn) {
            start = place;
            offset = column->Left() - indicator;
        } else {
            start = place + 1;
            offset = (column->Visible() ? column->Left() + column->Width() : column->Left()) - indicator;
        }
    }

    int fixedWidth = 0;
    int autoWidth = 0;
    for (std::size_t p = start; p < order_.size(); ++p) {
        const TCustomColumn* c = order_[p];
        if (!c->Visible()) continue;
        if (c->Options().Contains(coAutoSize))
            autoWidth += c->Width();
        else
            fixedWidth += c->Width();
    }
    if (autoWidth == 0) return;

    const double freeWidth = available - offset - fixedWidth;
    // Copy the range first: each width change lays the columns out again.
    std::vector<TCustomColumn*> range(order_.begin() + start, order_.end());
    for (TCustomColumn* c : range) {
        if (!c->Visible() || !c->Options().Contains(coAutoSize)) continue;
        // nearbyint rounds halves to even in the default rounding mode.
        c->StoreWidth(int(std::nearbyint(double(c->Width()) / autoWidth * freeWidth)));
    }
}

int TColumns::ColumnCellKind(int index) const {
    return (*this)[index].CellKind();
}

TColor TColumns::ColumnColor(int index) const {
    return (*this)[index].Color();
}

QString TColumns::ColumnDefaultValue(int index) const {
    return (*this)[index].DefaultValue();
}

void TColumns::ColumnChanged(TCustomColumn& column, TColumnChangeKind kind) {
    if (OnColumnChanged && IndexOf(column) >= 0) OnColumnChanged(column, kind);
}

void TColumns::Notify(TColumnsNotification kind) {
    if (OnColumnsNotify) OnColumnsNotify(kind, -1, -1);
    if (OnColumnsChanged) OnColumnsChanged(kind);
}

} // namespace tolvane
