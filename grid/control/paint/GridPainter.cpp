#include "grid/control/paint/GridPainter.h"

#include <algorithm>

#include "grid/control/CustomGridViewControl.h"
#include "grid/host/Canvas.h"
#include "grid/display/base/ColumnDisplay.h"
#include "grid/display/styles/StyleDisplay.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

TCanvas& TGridPainter::Cv() const {
    return grid_.Canvas();
}

const TGridGeometry& TGridPainter::Geo() const {
    return grid_.Geometry();
}

TRect TGridPainter::Box() const {
    return painting_ ? paintBox_ : grid_.Geometry().ClientRect();
}

void TGridPainter::ClipTo(const TRect& r) {
    // An empty intersection must clip everything away, not lift the clip.
    TRect clip = r.Intersect(Box());
    if (clip.IsEmpty()) clip = TRect{-1, -1, -1, -1};
    Cv().SetClipRect(clip);
}

void TGridPainter::ClipToPaintBox() {
    ClipTo(Box());
}

void TGridPainter::ClipToCell(const TRect& cell) {
    const int g = Geo().GridLine();
    ClipTo({cell.Left, cell.Top, cell.Right + g, std::min(cell.Bottom + g, Geo().DataBottom())});
}

bool TGridPainter::RowBandVisible(int top, int bottom) const {
    const TRect box = Box();
    return bottom > box.Top && top < box.Bottom;
}

TColor TGridPainter::SortedShade(TColor background) const {
    return TGraphicsProvider::BlendColors(clBlack, background, 10);
}

// ---------------------------------------------------------------------------------------------

void TGridPainter::Paint() {
    if (grid_.ColumnDragging().Resizing()) return;
    paintBox_ = Cv().GetClipBox();
    painting_ = true;
    const TGridGeometry& geo = Geo();
    grid_.SetScrollClipRects(geo.HorzScrollClip(), geo.VertScrollClip());
    if (geo.IsReport()) {
        grid_.PaintFixedParts();
        grid_.PaintRows();
        if (geo.ColumnsRight() < geo.ClientWidth()) PaintRightOfColumns();
        if (grid_.GetRowCount() == 0) PaintCaption();
        ClipToPaintBox();
        grid_.UpdateHorzScrollBar();
    } else {
        grid_.PaintSlides(geo.ClientRect());
        ClipToPaintBox();
        // Slides never scroll sideways: a bar left from the report layout goes now.
        grid_.UpdateHorzScrollBar();
    }
    painting_ = false;
    if (grid_.OnPostDraw) grid_.OnPostDraw(&grid_);
}

void TGridPainter::PaintRightOfColumns() {
    const TGridGeometry& geo = Geo();
    TCanvas& cv = Cv();
    const int left = geo.DataRight();
    const int cw = geo.ClientWidth(), ch = geo.ClientHeight();
    ClipToPaintBox();
    cv.Brush.Style = bsSolid;
    cv.Brush.Color = grid_.Color();
    if (grid_.Themed() && grid_.HeaderStyle() == hsAuto) {
        const int top = geo.InputTop();
        if (grid_.Has(goHeader)) {
            TStyleDisplay& display = grid_.StyleDisplay();
            display.Canvas = &cv;
            display.Themed = true;
            display.PaintHeaderTail({left, 0, cw, geo.Settings().HeaderSize});
            cv.Brush.Style = bsSolid;
            cv.Brush.Color = grid_.Color();
        }
        cv.FillRect({left, top, cw, ch});
    } else {
        cv.FillRect({left, 0, cw, ch});
    }
}

void TGridPainter::PaintCaption() {
    if (grid_.Caption().isEmpty()) return;
    const TGridGeometry& geo = Geo();
    TCanvas& cv = Cv();
    ClipToPaintBox();
    cv.Font = grid_.Font();
    const int top = geo.DataTop() + 4;
    TRect r{0, top, geo.ClientWidth(), top + cv.TextHeight(grid_.Caption())};
    const TBrushStyle brush = cv.Brush.Style;
    cv.Brush.Style = bsClear;
    cv.DrawText(grid_.Caption(), r, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    cv.Brush.Style = brush;
}

// ---------------------------------------------------------------------------------------------

void TGridPainter::PaintFixedParts() {
    const TGridGeometry& geo = Geo();
    TCanvas& cv = Cv();
    TStyleDisplay& display = grid_.StyleDisplay();
    display.Canvas = &cv;
    display.Themed = grid_.Themed();
    ClipToPaintBox();

    const bool header = grid_.Has(goHeader), input = grid_.Has(goInput), footer = grid_.Has(goFooter);
    const bool gridLines = grid_.Has(goGrid);
    const bool focused = grid_.GridFocused();
    const int cw = geo.ClientWidth();
    const TColumns& columns = grid_.Columns();
    int x = geo.DataLeft() - geo.HorzPosition();
    for (int p = 0; p < columns.Count() && x < cw; ++p) {
        TCustomColumn& column = columns.ColumnByPosition(p);
        if (!column.Visible()) continue;
        const int right = x + column.Width();
        x = right;
        if (right < 0) continue;
        if (header) {
            cv.Font = grid_.Font();
            display.PaintHeaderCell(column, geo.ColumnPartRect(column, gaHeader));
        }
        if (input) {
            cv.Font = grid_.Font();
            display.PaintInputCell(column, geo.ColumnPartRect(column, gaInput), focused, grid_.InputFocused(),
                                   gridLines);
        }
        if (footer) {
            cv.Font = grid_.Font();
            display.PaintFooterCell(column, geo.ColumnPartRect(column, gaFooter), gridLines);
        }
    }

    const bool oldStyle = grid_.HeaderStyle() == hsOldStyle;
    if (input) {
        const int bottom = geo.InputBottom();
        TGraphicsProvider::DrawButtonFace(
            cv, {0, bottom - TGridGeometry::InputBand, geo.InputRect().Right, bottom}, oldStyle);
    }
    if (footer) {
        const int top = geo.FooterTop();
        TGraphicsProvider::DrawButtonFace(
            cv, {0, top, geo.FooterRect().Right, top + TGridGeometry::FooterBand}, oldStyle);
    }
    if (grid_.Has(goIndicator)) {
        const int w = TGridGeometry::IndicatorWidth;
        if (input) {
            cv.Brush.Style = bsSolid;
            cv.Brush.Color = grid_.Color();
            cv.FillRect({0, geo.InputTop(), w, geo.InputBottom() - TGridGeometry::InputBand});
        }
        if (footer) display.PaintHeaderSection({0, geo.FooterTop(), w, geo.ClientHeight()});
        if (header) display.PaintHeaderSection({0, 0, w, geo.Settings().HeaderSize});
    }
}

// ---------------------------------------------------------------------------------------------

void TGridPainter::PaintRows() {
    const TGridGeometry& geo = Geo();
    TCanvas& cv = Cv();
    TRect data = geo.DataRect();
    const bool indicator = grid_.Has(goIndicator);
    if (indicator) data.Left = 0;
    ClipTo(data);

    const int rows = grid_.GetRowCount();
    const int bottom = geo.DataBottom();
    const int cw = geo.ClientWidth();
    const int hpos = geo.HorzPosition();
    const bool hidePartial = grid_.HidePartialRows();
    const bool oldStyle = grid_.HeaderStyle() == hsOldStyle;
    const TColumns& columns = grid_.Columns();

    int y = geo.DataTop();
    for (int r = geo.VertPosition(); y < bottom; ++r) {
        const int pitch = geo.RowPitch(r);
        if (RowBandVisible(y, y + pitch)) {
            const bool empty = r >= rows || (hidePartial && y + pitch > bottom);
            for (int p = 0; p < columns.Count(); ++p) {
                TCustomColumn& column = columns.ColumnByPosition(p);
                if (!column.Visible()) continue;
                const int left = column.Left() - hpos;
                if (left > cw || left + column.Width() < 0) continue;
                ClipTo(data);
                if (empty)
                    DrawEmptyCell(column.GetIndex(), r);
                else
                    grid_.DrawCell(column.GetIndex(), r);
            }
            if (indicator) {
                ClipTo(data);
                const bool live = rows >= 1 && !grid_.InputFocused();
                const bool marker = live && r == grid_.Row();
                const bool inverted = live && r < rows && (r == grid_.Row() || grid_.IsRowSelected(r));
                TGraphicsProvider::DrawIndicatorCell(cv, {0, y, TGridGeometry::IndicatorWidth, y + pitch},
                                                     oldStyle, inverted, marker);
            }
        }
        y += pitch;
    }
    if (grid_.Has(goSelectFullRow)) {
        ClipTo(data);
        DrawFocusRect();
    }
    ClipToPaintBox();
}

void TGridPainter::DrawCellGridLines(const TCustomColumn& column, int row, const TRect& cell, TColor color) {
    TCanvas& cv = Cv();
    const int rows = grid_.GetRowCount();
    const bool framed = grid_.GridLinesStyle() == lsFramed;
    cv.Pen.Mode = pmCopy;
    cv.Pen.Color = (framed && row == rows - 1) ? clBlack : color;
    cv.MoveTo(cell.Left, cell.Bottom);
    cv.LineTo(cell.Right + 1, cell.Bottom);
    if (grid_.GridLinesStyle() == lsHorizontalOnly) return;
    const int visible = grid_.Columns().VisibleCount();
    const bool lastColumn = visible >= 2 && column.VisibleIndex() == visible - 1;
    cv.Pen.Color = (framed && lastColumn && row < rows) ? clBlack : color;
    cv.MoveTo(cell.Right, cell.Top);
    cv.LineTo(cell.Right, cell.Bottom);
}

void TGridPainter::DrawCell(int col, int row) {
    TCanvas& cv = Cv();
    const TGridGeometry& geo = Geo();
    TCustomColumn& column = grid_.Columns()[col];
    TCellState state;
    TColor gridColor = grid_.GridLinesColor();
    bool defaultDrawing = true;
    const TRect rect = grid_.GetCellRect(col, row, gaCells);
    const int g = geo.GridLine();
    if (!TRect{rect.Left, rect.Top, rect.Right + g, rect.Bottom + g}.Intersects(cv.GetClipBox())) return;

    cv.Font = column.Font();
    TColor background = grid_.GetCellBackground(col, row);
    TColumnDisplay* display = column.Display();
    const bool highlighted = grid_.IsCellHighlighted(col, row);
    if (highlighted) {
        state.Include(csSelected);
        if (display) display->Selected = true;
        if (grid_.Has(aoBoldTextSelection)) state.Include(csBold);
    } else if (display) {
        display->Selected = false;
    }
    if (grid_.GridFocused() && !grid_.Has(aoHideFocus)) state.Include(csFocused);

    if (grid_.OnCellColoring) grid_.OnCellColoring(&grid_, col, row, background, gridColor, state);
    if (grid_.Has(aoIndicateSortedColumn) && column.Sorted() && !state.Contains(csSelected))
        background = SortedShade(background);

    ClipToCell(rect);
    if (grid_.Has(goGrid) && geo.IsReport()) DrawCellGridLines(column, row, rect, gridColor);
    if (grid_.OnDrawCellBackground) grid_.OnDrawCellBackground(&grid_, col, row, rect, state, defaultDrawing);

    if (display) {
        display->Canvas = &cv;
        display->RightToLeft = grid_.GridRightToLeft();
        display->CellRect = rect;
        display->HighlightedTextColor = grid_.HighlightedTextColor();
        if (defaultDrawing) {
            cv.Brush.Style = bsSolid;
            display->FillBackground(background, !grid_.IsEditCell(col, row));
        }
        display->IsCurrent = grid_.IsCurrentCell(col, row);
    } else if (defaultDrawing) {
        cv.Brush.Style = bsSolid;
        cv.Brush.Color = background;
        cv.FillRect(rect);
    }

    const TDrawingOptions drawing = column.DrawingOptions();
    if ((drawing == doNormal || drawing == doCustom) && grid_.PrepareCellCanvas(col, row, state) && display)
        display->Paint();
    if (drawing != doNormal && grid_.OnCustomDrawCell) grid_.OnCustomDrawCell(&grid_, col, row, rect, state);
    if (!grid_.Has(goSelectFullRow) && grid_.IsCurrentCell(col, row)) DrawFocusRect();
    ClipToPaintBox();
}

void TGridPainter::DrawEmptyCell(int col, int row) {
    TCanvas& cv = Cv();
    const TGridGeometry& geo = Geo();
    TCustomColumn& column = grid_.Columns()[col];
    const TRect rect = grid_.GetCellRect(col, row, gaCells);
    TColor background = grid_.Color();
    if (grid_.Has(aoIndicateSortedColumn) && column.Sorted()) background = SortedShade(background);
    TColor gridColor = grid_.GridLinesColor();
    if (grid_.OnCellColoring) grid_.OnCellColoring(&grid_, col, row, background, gridColor, TCellState{});
    ClipToCell(rect);
    if (grid_.Has(goGrid) && geo.IsReport()) DrawCellGridLines(column, row, rect, gridColor);
    cv.Brush.Style = bsSolid;
    cv.Brush.Color = background;
    cv.FillRect(rect);
    ClipToPaintBox();
}

void TGridPainter::DrawFocusRect() {
    const TGridGeometry& geo = Geo();
    const int col = grid_.Col(), row = grid_.Row();
    const int rows = grid_.GetRowCount();
    if (col < 0 || row < 0 || col >= grid_.Columns().Count() || row >= rows || row < geo.VertPosition())
        return;
    if (grid_.InputFocused() || rows < 1 || !grid_.GridFocused()) return;
    TRect r;
    if (!grid_.Has(goSelectFullRow)) {
        r = grid_.GetCellRect(col, row, gaCells);
    } else {
        const int top = geo.RowTop(row);
        const int left = geo.DataLeft();
        r = {left, top, left + geo.ColumnsWidth() - geo.HorzPosition() - geo.GridLine(),
             top + geo.RowHeight(row)};
    }
    r = r.Intersect(geo.DataRect());
    if (r.IsEmpty() || grid_.Has(aoHideFocus)) return;
    TGraphicsProvider::DrawFocusFrame(Cv(), r, grid_.Has(aoAlphaBlendedSelection));
}

// ---------------------------------------------------------------------------------------------

void TGridPainter::PaintSlides(const TRect& rect) {
    const TGridGeometry& geo = Geo();
    TCanvas& cv = Cv();
    const int rows = grid_.GetRowCount();
    const int g = geo.GridLine();
    const int slideSize = geo.Settings().SlideSize;
    const int cw = geo.ClientWidth();
    const TColumns& columns = grid_.Columns();
    int y = rect.Top;
    for (int r = geo.VertPosition(); r < rows; ++r) {
        const TRect slide{0, y, cw, y + slideSize};
        if (RowBandVisible(y, y + slideSize + g)) {
            ClipTo({slide.Left, slide.Top, slide.Right, slide.Bottom + g});
            cv.Font.Color = grid_.Font().Color;
            cv.Brush.Style = bsSolid;
            cv.Brush.Color = grid_.Color();
            cv.FillRect(slide);
            for (int c = 0; c < columns.Count(); ++c)
                if (columns[c].Visible()) grid_.DrawCell(c, r);
            if (r == grid_.Row()) {
                ClipTo({slide.Left, slide.Top, slide.Right, slide.Bottom + g});
                cv.Brush.Style = bsSolid;
                cv.Brush.Color = clHighlight;
                cv.FrameRect(slide.Inflate(-1, -1));
                cv.FrameRect(slide.Inflate(-2, -2));
            }
        }
        y += g + slideSize;
        if (y > rect.Bottom) break;
        if (g) {
            ClipTo({slide.Left, slide.Top, slide.Right, slide.Bottom + g});
            cv.Pen.Mode = pmCopy;
            cv.Pen.Color = clBtnFace;
            cv.MoveTo(0, y - 1);
            cv.LineTo(cw, y - 1);
        }
    }
    ClipToPaintBox();
    if (y < rect.Bottom) {
        cv.Brush.Style = bsSolid;
        cv.Brush.Color = grid_.Color();
        cv.FillRect({rect.Left, y, rect.Right, rect.Bottom});
    }
}

} // namespace tolvane
