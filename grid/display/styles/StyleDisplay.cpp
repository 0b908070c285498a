#include "grid/display/styles/StyleDisplay.h"

#include "grid/host/Canvas.h"
#include "grid/host/CustomControl.h"
#include "grid/model/columns/CustomColumn.h"
#include "grid/shared/DrawProvider.h"
#include "grid/base/Errors.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

namespace {

bool ShowsGlyph(TDisplayMode mode) {
    return mode == dmImageOnly || mode == dmTextAndImage;
}
bool ShowsText(TDisplayMode mode) {
    return mode == dmTextAndImage || mode == dmTextOnly;
}

// Draws a part's glyph vertically centred at x and answers the x after it; the glyph's
// transparency is switched on for good the first time it is drawn.
int DrawPartGlyph(TCanvas& canvas, TColumnPart& part, int x, const TRect& rect) {
    TBitmap& glyph = part.Glyph();
    if (!glyph.Transparent()) glyph.SetTransparent(true);
    const int h = rect.Bottom - rect.Top;
    TDrawProvider::DrawGraphic(canvas, x, glyph, rect.Top + h / 2 - glyph.Height() / 2);
    return x + glyph.Width() + 2;
}

} // namespace

TStyleDisplay::TStyleDisplay(TCustomControl* owner) : Owner(owner) {}

void TStyleDisplay::CopyFrom(const TStyleDisplay&) {}

TCanvas& TStyleDisplay::Cv() const {
    if (!Canvas) throw EGridError(std::string("Style display has no canvas"));
    return *Canvas;
}

TColor TStyleDisplay::OwnerColor() const {
    return Owner ? Owner->Color() : clBtnFace;
}

void TStyleDisplay::FillOwnerColor(const TRect& rect) {
    TCanvas& c = Cv();
    c.Brush.Color = OwnerColor();
    c.Brush.Style = bsSolid;
    c.FillRect(rect);
}

void TStyleDisplay::Line(int x1, int y1, int x2, int y2) {
    TCanvas& c = Cv();
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

int TStyleDisplay::HeaderIndent(const TCustomColumn& column) const {
    if (!ShowPressed || !ShowSortArrow) return 0;
    return Themed && column.Header().DisplayMode() == dmTextOnly ? 11 : 2;
}

THeaderFeatures TStyleDisplay::HeaderFeatures() const {
    return {};
}

void TStyleDisplay::PaintSortArrow(int x, int y, bool ascending) {
    TCanvas& c = Cv();
    c.Pen.Mode = pmCopy;
    if (Themed) {
        c.Pen.Color = clGrayText;
        c.Brush.Color = clGrayText;
        c.Brush.Style = bsSolid;
        if (ascending)
            c.Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}});
        else
            c.Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}});
        return;
    }
    if (ascending) {
        c.Pen.Color = clBtnShadow;
        c.Polyline({{x + 7, y + 6},
                    {x, y + 6},
                    {x, y + 5},
                    {x + 1, y + 5},
                    {x + 1, y + 3},
                    {x + 2, y + 3},
                    {x + 2, y + 1},
                    {x + 3, y + 1},
                    {x + 3, y - 1}});
        c.Pen.Color = clBtnHighlight;
        c.Polyline({{x + 7, y + 5},
                    {x + 6, y + 5},
                    {x + 6, y + 3},
                    {x + 5, y + 3},
                    {x + 5, y + 1},
                    {x + 4, y + 1},
                    {x + 4, y - 1}});
    } else {
        c.Pen.Color = clBtnShadow;
        c.Polyline({{x + 7, y},
                    {x, y},
                    {x, y + 1},
                    {x + 1, y + 1},
                    {x + 1, y + 3},
                    {x + 2, y + 3},
                    {x + 2, y + 5},
                    {x + 3, y + 5},
                    {x + 3, y + 7}});
        c.Pen.Color = clBtnHighlight;
        c.Polyline({{x + 7, y + 1},
                    {x + 6, y + 1},
                    {x + 6, y + 3},
                    {x + 5, y + 3},
                    {x + 5, y + 5},
                    {x + 4, y + 5},
                    {x + 4, y + 7}});
    }
}

void TStyleDisplay::PaintHeaderContent(TCustomColumn& column, const TRect& rect) {
    TCanvas& c = Cv();
    TColumnHeader& header = column.Header();
    const TDisplayMode mode = header.DisplayMode();
    const int h = rect.Bottom - rect.Top;
    const int arrowY = rect.Top + h / 2 - 4 + (Themed ? 1 : 0);
    int x = rect.Left + HeaderIndent(column) + 1;

    if (ShowsGlyph(mode) && !header.Glyph().Empty()) x = DrawPartGlyph(c, header, x, rect);
    if (ShowsText(mode))
        TGraphicsProvider::DrawTextEllipsis(c, TRect{x, rect.Top, rect.Right, rect.Bottom}, RightToLeft,
                                            header.Caption(), taLeftJustify);

    if (ShowSortArrow && column.Sorted()) {
        // Placed by the content's width, not by where the indent put it.
        const int glyphWidth = header.Glyph().Empty() ? 0 : header.Glyph().Width();
        int arrowX = rect.Left + 2;
        switch (mode) {
        case dmImageOnly:
            arrowX += glyphWidth + 19;
            break;
        case dmTextOnly:
            arrowX += c.TextWidth(header.Caption()) + 19;
            break;
        case dmTextAndImage:
            arrowX += glyphWidth + c.TextWidth(header.Caption()) + 21;
            break;
        }
        if (arrowX + 8 < rect.Right) PaintSortArrow(arrowX, arrowY, column.SortKind() == skAscending);
    }

    if (ShowPressed && column.IsPressedHeader() && HeaderFeatures().Contains(hfInvertPressed)) {
        const TRect r = column.IsOnlyVisible() ? TRect{rect.Left - 1, rect.Top - 1, rect.Right, rect.Bottom}
                                               : TRect{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
        c.CopyMode = cmDstInvert;
        c.CopyRect(r, c, r);
        c.CopyMode = cmSrcCopy;
    }
}

void TStyleDisplay::PaintHeaderSection(const TRect& rect) {
    FillOwnerColor(rect);
}

void TStyleDisplay::PaintGridLines(const TRect& rect, TColor color) {
    TCanvas& c = Cv();
    c.Pen.Color = color;
    c.Pen.Mode = pmCopy;
    Line(rect.Left, rect.Bottom - 1, rect.Right - 1, rect.Bottom - 1);
    Line(rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom + 1);
}

void TStyleDisplay::PaintFooterCell(TCustomColumn& column, const TRect& rect, bool gridLines) {
    TCanvas& c = Cv();
    TColumnFooter& footer = column.Footer();
    c.Font = column.Font();
    c.Brush.Color = footer.Color();
    c.Brush.Style = bsSolid;
    if (gridLines) {
        c.FillRect(TRect{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1});
        PaintGridLines(rect, clBtnFace);
    } else {
        c.FillRect(rect);
    }
    int x = rect.Left + 2;
    if (ShowsGlyph(footer.DisplayMode()) && !footer.Glyph().Empty()) x = DrawPartGlyph(c, footer, x, rect);
    if (ShowsText(footer.DisplayMode()))
        TGraphicsProvider::DrawTextEllipsis(c, TRect{x, rect.Top, rect.Right, rect.Bottom}, RightToLeft,
                                            footer.Caption(), taLeftJustify);
}

void TStyleDisplay::PaintHeaderCell(TCustomColumn& column, const TRect& rect) {
    PaintHeaderContent(column, rect);
}

void TStyleDisplay::PaintInputCell(TCustomColumn& column, const TRect& rect, bool gridFocused,
                                   bool inputFocused, bool gridLines) {
    TCanvas& c = Cv();
    c.Font = column.Font();
    c.Font.Style = {};
    const bool editing = column.InputEditing();
    if (!inputFocused || editing || column.IsCurrentColumn()) {
        // The editor's own cell, and the current column's, keep the column look.
        c.Font.Color = clGrayText;
        c.Brush.Color = column.Color();
    } else {
        c.Font.Color = clHighlightText;
        c.Brush.Color = gridFocused ? clHighlight : clBtnFace;
    }
    c.Brush.Style = bsSolid;

    const int d = gridLines && inputFocused ? -1 : 0;
    const TRect area{rect.Left, rect.Top, rect.Right + d, rect.Bottom + d};
    if (editing)
        c.FrameRect(area);
    else
        c.FillRect(area);
    if (gridLines && inputFocused) PaintGridLines(rect, clHighlight);

    const TRect textRect{rect.Left + 2, rect.Top, rect.Right - 1, rect.Bottom - 1};
    if (!column.InputText().isEmpty())
        TGraphicsProvider::DrawTextEllipsis(c, textRect, RightToLeft, column.InputText(), column.Alignment());
    else
        TGraphicsProvider::DrawTextEllipsis(c, textRect, RightToLeft, column.InputCaption(), taCenter);
}

void TStyleDisplay::PaintHeaderTail(const TRect& rect) {
    FillOwnerColor(rect);
}

} // namespace tolvane
