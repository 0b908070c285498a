#include "grid/display/styles/FlatStyleDisplay.h"

#include "grid/host/Canvas.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

void TFlatStyleDisplay::PaintFlatEdges(const TRect& rect) {
    TCanvas& c = Cv();
    c.Pen.Color = clGrayText;
    c.Pen.Mode = pmCopy;
    c.MoveTo(rect.Right - 1, rect.Top);
    c.LineTo(rect.Right - 1, rect.Bottom - 1);
    c.LineTo(rect.Left - 1, rect.Bottom - 1);
}

void TFlatStyleDisplay::PaintHeaderSection(const TRect& rect) {
    TCanvas& c = Cv();
    c.Brush.Color = clBtnFace;
    c.Brush.Style = bsSolid;
    c.FillRect(rect);
    PaintFlatEdges(rect);
}

void TFlatStyleDisplay::PaintHeaderCell(TCustomColumn& column, const TRect& rect) {
    PaintFlatHeaderBackground(column, rect);
    PaintHeaderContent(column, rect);
}

void TFlatStyleDisplay::PaintFlatHeaderBackground(TCustomColumn& column, const TRect& rect) {
    TCanvas& c = Cv();
    c.Brush.Color = column.Header().Color();
    c.Brush.Style = bsSolid;
    c.FillRect(rect);
    PaintFlatEdges(rect);
}

} // namespace tolvane
