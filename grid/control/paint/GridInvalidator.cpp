#include "grid/control/paint/GridInvalidator.h"

#include <algorithm>

#include "grid/control/CustomGridViewControl.h"

namespace tolvane {

TGridInvalidator::TGridInvalidator(TCustomGridViewControl& grid) : grid_(grid), geo_(grid.Geometry()) {}

void TGridInvalidator::Invalidate(const TRect& r) {
    if (!r.IsEmpty()) grid_.InvalidateRect(r);
}

void TGridInvalidator::All() {
    grid_.Invalidate();
}

void TGridInvalidator::Cell(int col, int row) {
    // Writing the cells of a long list touches mostly rows far below the client: those need no
    // rectangle at all, and finding theirs would walk every row shown. Asked first, so that
    // such a write reads nothing else.
    if (Geo().IsReport() && row >= Geo().FirstRowBelowClient()) return;
    if (col < 0 || col >= grid_.Columns().Count()) return;
    const int g = Geo().GridLine();
    TRect r = grid_.GetCellRect(col, row, gaCells);
    r.Right += g;
    r.Bottom += g;
    Invalidate(r);
}

void TGridInvalidator::CellWritten(int col, int row) {
    if (written_) {
        writtenColFrom_ = std::min(writtenColFrom_, col);
        writtenColTo_ = std::max(writtenColTo_, col);
        writtenRowFrom_ = std::min(writtenRowFrom_, row);
        writtenRowTo_ = std::max(writtenRowTo_, row);
        return;
    }
    written_ = true;
    writtenColFrom_ = writtenColTo_ = col;
    writtenRowFrom_ = writtenRowTo_ = row;
    grid_.RequestSettle();
}

void TGridInvalidator::SettleWrittenCells() {
    if (!written_) return;
    written_ = false;
    if (writtenColFrom_ == writtenColTo_ && writtenRowFrom_ == writtenRowTo_) {
        Cell(writtenColFrom_, writtenRowFrom_);
        return;
    }
    if (!Geo().IsReport()) {
        Area(gaCells); // a few slides show at a time
        return;
    }
    const int cols = grid_.Columns().Count();
    const int colFrom = std::max(writtenColFrom_, 0), colTo = std::min(writtenColTo_, cols - 1);
    const int rowFrom = std::max(writtenRowFrom_, Geo().VertPosition());
    const int rowTo = std::min({writtenRowTo_, Geo().FirstRowBelowClient() - 1, Geo().RowCount() - 1});
    for (int row = rowFrom; row <= rowTo; ++row)
        for (int col = colFrom; col <= colTo; ++col) Cell(col, row);
}

void TGridInvalidator::ColumnPart(int columnIndex, TGridArea area) {
    if (columnIndex < 0 || columnIndex >= grid_.Columns().Count()) return;
    Invalidate(Geo().ColumnStripRect(grid_.Columns()[columnIndex], area));
}

void TGridInvalidator::Area(TGridArea area) {
    switch (area) {
    case gaFooter:
        if (!grid_.Has(goFooter)) return;
        break;
    case gaHeader:
        if (!grid_.Has(goHeader)) return;
        break;
    case gaIndicator:
        if (!grid_.Has(goIndicator)) return;
        break;
    case gaInput:
        if (!grid_.Has(goInput)) return;
        break;
    default:
        break;
    }
    Invalidate(Geo().AreaRect(area));
}

void TGridInvalidator::Row(int row, bool borderOnly) {
    const int rows = grid_.GetRowCount();
    if (rows == 0 || row < 0 || row >= rows) return;
    const TRect r = Geo().RowRect(row);
    Invalidate(r);
    if (borderOnly) grid_.ValidateRect(r.Inflate(-1, -1));
}

void TGridInvalidator::IndicatorCell(int row) {
    TRect r = Geo().RowRect(row);
    r.Right = TGridGeometry::IndicatorWidth;
    Invalidate(r);
}

void TGridInvalidator::Rows(int from, int to) {
    if (to < from) std::swap(from, to);
    const TGridGeometry& geo = Geo();
    const int top = geo.RowTop(from);
    const int bottom = std::min(geo.RowTop(to) + geo.RowPitch(to), geo.DataBottom());
    Invalidate({0, top, geo.DataRight(), bottom});
}

void TGridInvalidator::CurrentRow() {
    const int row = grid_.Row();
    if (row < grid_.VertPosition() || (Geo().IsReport() && row >= Geo().FirstRowBelowClient())) return;
    if (!Geo().IsReport()) {
        Area(gaCells);
        return;
    }
    Invalidate(Geo().RowRect(row)); // from x 0: the indicator cell too
}

void TGridInvalidator::FocusFrame() {
    if (grid_.Columns().Count() == 0 || grid_.GetRowCount() == 0) return;
    if (!grid_.Has(goSelectFullRow))
        Cell(grid_.Col(), grid_.Row());
    else if (Geo().IsReport())
        Row(grid_.Row());
}

void TGridInvalidator::Caption() {
    if (grid_.Caption().isEmpty() || !Geo().IsReport()) return;
    Invalidate({0, Geo().DataTop(), grid_.ClientWidth(), Geo().DataBottom()});
}

void TGridInvalidator::FromColumn(int columnIndex) {
    if (columnIndex < 0 || columnIndex >= grid_.Columns().Count()) return;
    const int left = grid_.Columns()[columnIndex].Left() - grid_.HorzPosition();
    Invalidate({left, 0, grid_.ClientWidth(), grid_.ClientHeight()});
}

void TGridInvalidator::Selection() {
    if (grid_.InputFocused()) Area(gaInput);
    const int rows = grid_.GetRowCount();
    if (grid_.Columns().Count() == 0 || rows == 0) return;
    if (!grid_.Has(goSelectFullRow)) {
        Cell(grid_.Col(), grid_.Row());
        return;
    }
    // Only the rows on screen: the selection elsewhere needs no repaint.
    const TGridGeometry& geo = Geo();
    int y = geo.DataTop();
    for (int r = grid_.VertPosition(); r < rows && y < geo.DataBottom(); ++r) {
        if (grid_.IsRowSelected(r)) Row(r);
        y += geo.RowPitch(r);
    }
}

} // namespace tolvane
