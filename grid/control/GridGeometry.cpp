#include "grid/control/GridGeometry.h"

#include <algorithm>

#include "grid/model/columns/Columns.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

namespace {

// Hit-testing takes one pixel off the right and bottom of each area.
bool HitsShrunk(const TRect& r, TPoint p) {
    return TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}.Contains(p);
}

} // namespace

int TGridGeometry::ColumnsWidth() const {
    return columns_.VisibleWidth();
}

int TGridGeometry::RowHeight(int row) const {
    if (!IsValidRow(row)) return s_.RowSize;
    // A measuring handler may answer anything; sums of rows must neither overflow nor run back.
    return std::clamp(vp_.ViewportRowHeight(row), 0, MaxRowHeight);
}

int TGridGeometry::DataBottom() const {
    if (IsReport() && Has(goFooter)) return FooterTop();
    return ClientHeight();
}

int TGridGeometry::DataRight() const {
    if (!IsReport()) return ClientWidth();
    return std::min(ClientWidth(), ColumnsRight());
}

TRect TGridGeometry::HeaderRect() const {
    return {Indicator(), 0, ColumnsRight(), s_.HeaderSize};
}

TRect TGridGeometry::InputRect() const {
    return {Indicator(), InputTop(), ColumnsRight(), InputBottom()};
}

TRect TGridGeometry::FooterRect() const {
    if (!IsReport()) return {};
    return {Indicator(), FooterTop(), ColumnsRight(), ClientHeight()};
}

TRect TGridGeometry::DataRect() const {
    if (!IsReport()) return ClientRect();
    return {Indicator(), DataTop(), DataRight(), DataBottom()};
}

TRect TGridGeometry::AreaRect(TGridArea area) const {
    switch (area) {
    case gaCells:
        return DataRect();
    case gaHeader:
        return HeaderRect();
    case gaInput:
        return InputRect();
    case gaFooter:
        return FooterRect();
    case gaIndicator:
        return IndicatorRect();
    default:
        return ClientRect();
    }
}

TRect TGridGeometry::ColumnPartRect(const TCustomColumn& column, TGridArea area) const {
    const int x0 = column.Left() - HorzPosition();
    const int x1 = x0 + column.Width();
    switch (area) {
    case gaHeader:
        return {x0, 0, x1, s_.HeaderSize};
    case gaInput:
        return {x0, InputTop(), x1, InputBottom() - InputBand};
    case gaFooter:
        return {x0, FooterTop() + FooterBand, x1, ClientHeight()};
    default:
        return ColumnStripRect(column, area);
    }
}

TRect TGridGeometry::ColumnStripRect(const TCustomColumn& column, TGridArea area) const {
    TRect r = AreaRect(area);
    r.Left = column.Left() - HorzPosition();
    r.Right = r.Left + column.Width();
    return r;
}

int TGridGeometry::ColumnAt(int x, int* position) const {
    const int hpos = HorzPosition();
    for (int p = 0; p < columns_.Count(); ++p) {
        const TCustomColumn& c = columns_.ColumnByPosition(p);
        if (!c.Visible()) continue;
        const int left = c.Left() - hpos;
        if (left <= x && x <= left + c.Width()) {
            if (position) *position = p;
            return c.GetIndex();
        }
    }
    if (position) *position = -1;
    return -1;
}

int TGridGeometry::ResizeColumnAt(TPoint p) const {
    if (!Has(goHeader) || p.Y >= s_.HeaderSize) return -1;
    const int hpos = HorzPosition();
    for (int pos = 0; pos < columns_.Count(); ++pos) {
        const TCustomColumn& c = columns_.ColumnByPosition(pos);
        if (!c.Visible() || c.Options().Contains(coFixedSize)) continue;
        const int edge = c.Left() + c.Width() - hpos;
        if (edge - 2 <= p.X && p.X <= edge + 2) return c.GetIndex();
    }
    return -1;
}

TRect TGridGeometry::HeaderBandRect() const {
    return {0, 0, std::min(ColumnsRight(), ClientWidth()), DataTop()};
}

TRect TGridGeometry::DropZoneRect() const {
    return {0, 0, ColumnsRight(), 2 * s_.HeaderSize};
}

int TGridGeometry::RowTop(int row) const {
    // A paint asks for the rows shown in order, each once per column: the walk goes on from the
    // last answer instead of from the first row shown.
    SyncWalkKey();
    const TWalkKey& key = walkKey_;
    int i = key.VertPosition, top = key.DataTop;
    if (topMemoValid_ && !key.HeightsVary && topMemoRow_ <= row) {
        i = topMemoRow_;
        top = topMemo_;
    }
    const int limit = key.ClientHeight;
    // Past the client's bottom the exact top no longer matters: everything there is off screen.
    for (; i < row && top <= limit; ++i) top += RowPitch(i);
    if (!key.HeightsVary && row >= key.VertPosition) {
        topMemoRow_ = row;
        topMemo_ = top;
        topMemoValid_ = true;
    }
    return top;
}

int TGridGeometry::WalkToFirstRowBelowClient() const {
    const TWalkKey& key = walkKey_;
    int row = key.VertPosition;
    // Rows past the last have RowSize (never 0), so the walk ends within the client height.
    for (int top = key.DataTop; top < key.ClientHeight; ++row) top += RowPitch(row);
    firstRowBelow_ = row;
    rowWalkValid_ = true;
    return row;
}

TRect TGridGeometry::RowRect(int row) const {
    const int top = RowTop(row);
    return {0, top, DataRight(), top + RowPitch(row)};
}

void TGridGeometry::RowsAppended(int previousCount) const {
    const int rows = RowCount();
    // A key of another count is dropped by the next query anyway.
    if (rows < previousCount || walkKey_.RowCount != previousCount) return;
    walkKey_.RowCount = rows;
    if (firstRowBelow_ > previousCount) rowWalkValid_ = false;
    if (topMemoRow_ > previousCount) topMemoValid_ = false;
    if (!visibleFull_) visibleWalkValid_ = false;
}

int TGridGeometry::VisibleRowCount() const {
    SyncWalkKey();
    if (visibleWalkValid_) return visibleCount_;
    const TWalkKey& key = walkKey_;
    const int height = key.DataBottom - key.DataTop;
    int sum = 0, count = 0;
    bool full = false;
    for (int i = key.VertPosition; i < key.RowCount; ++i) {
        sum += RowPitch(i);
        if (sum > height) {
            full = true;
            break;
        }
        ++count;
    }
    visibleCount_ = count;
    visibleFull_ = full;
    visibleWalkValid_ = true;
    return count;
}

int TGridGeometry::LastRowBottom() const {
    const int bottom = DataBottom();
    const int rows = RowCount();
    int y = DataTop();
    for (int i = VertPosition(); i < rows && y < bottom; ++i) y += RowPitch(i);
    return y;
}

int TGridGeometry::RowAt(int y) const {
    int bottom = DataTop();
    if (y < bottom) return -1;
    const int rows = RowCount();
    for (int i = VertPosition(); i < rows; ++i) {
        bottom += RowPitch(i);
        if (bottom >= y) return i;
    }
    return -1;
}

TRect TGridGeometry::CellRect(int col, int row, TGridArea area) const {
    const TCustomColumn& c = columns_[col];
    TRect r;
    if (IsReport()) {
        r.Left = c.Left() - HorzPosition();
        const bool verticalLine = Has(goGrid) && s_.GridLinesStyle != lsHorizontalOnly;
        r.Right = r.Left + c.Width() - (verticalLine ? 1 : 0);
        if (area == gaInput) {
            r.Top = InputTop();
            r.Bottom = r.Top + s_.InputSize;
        } else {
            r.Top = RowTop(row);
            r.Bottom = r.Top + RowHeight(row);
        }
    } else {
        const TSlideBounds& b = c.SlideBounds();
        r.Left = b.Left();
        r.Right = b.Right();
        r.Top = SlidePitch() * (row - VertPosition()) + b.Top();
        r.Bottom = r.Top + b.Height();
    }
    return r;
}

TCellCoord TGridGeometry::CellAt(TPoint p) const {
    if (IsReport()) return {ColumnAt(p.X), RowAt(p.Y)};
    const int pitch = SlidePitch();
    if (pitch <= 0) return {};
    const int slide = p.Y / pitch;
    const int y = p.Y - slide * pitch;
    TCellCoord cell{-1, slide + VertPosition()};
    for (int i = 0; i < columns_.Count(); ++i) {
        const TSlideBounds& b = columns_[i].SlideBounds();
        if (b.Left() <= p.X && p.X < b.Right() && b.Top() <= y && y < b.Bottom()) {
            cell.Col = i;
            break;
        }
    }
    return cell;
}

TGridArea TGridGeometry::AreaAt(TPoint p) const {
    if (!IsReport()) return gaCells;
    if (Has(goHeader) && HitsShrunk(HeaderRect(), p)) return gaHeader;
    if (Has(goInput) && HitsShrunk(InputRect(), p)) return gaInput;
    if (HitsShrunk(DataRect(), p)) return gaCells;
    if (Has(goFooter) && HitsShrunk(FooterRect(), p)) return gaFooter;
    if (Has(goIndicator) && HitsShrunk(IndicatorRect(), p)) return gaIndicator;
    return gaNone;
}

int TGridGeometry::HorzScrollRange() const {
    const int w = ColumnsWidth();
    if (ClientWidth() - Indicator() >= w) return 0;
    return w + Indicator() - ClientWidth();
}

int TGridGeometry::VertScrollRange() const {
    const int range = RowCount() - VisibleRowCount();
    return (range >= 0 && columns_.Count() > 0) ? range : 0;
}

int TGridGeometry::SlidesVertMax() const {
    const int pitch = SlidePitch();
    const int fit = pitch > 0 ? ClientHeight() / pitch : 0;
    return std::max(0, RowCount() - fit);
}

int TGridGeometry::VertScrollDelta(int previous, int current) const {
    if (previous == current) return 0;
    const int limit = ClientHeight() + 1;
    const int from = std::min(previous, current);
    const int to = std::max(previous, current);
    int sum = 0;
    if (IsReport()) {
        for (int i = from; i < to && sum < limit; ++i) sum += RowPitch(i);
    } else {
        sum = (to - from) > limit ? limit : (to - from) * SlidePitch();
    }
    sum = std::min(sum, limit);
    return current > previous ? -sum : sum;
}

TRect TGridGeometry::HorzScrollClip() const {
    if (!IsReport()) return ClientRect();
    return {DataLeft(), 0, ClientWidth(), ClientHeight()};
}

TRect TGridGeometry::VertScrollClip() const {
    if (!IsReport()) return ClientRect();
    return {0, DataTop(), DataRight(), DataBottom()};
}

int TGridGeometry::PositionToShowRow(int row) const {
    const int vpos = VertPosition();
    if (row < vpos || row >= vpos + VisibleRowCount()) return row;
    return vpos;
}

} // namespace tolvane
