#include "grid/display/styles/DefaultStyleDisplay.h"

#include "grid/host/Canvas.h"
#include "grid/model/columns/CustomColumn.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

namespace {
const QString headerClass = QStringLiteral("header");
constexpr int hpItem = 1;
constexpr int hpItemLeft = 2;
constexpr int hsNormal = 1;
constexpr int hsHot = 2;
constexpr int hsPressed = 3;

// Visible places answered by TCustomColumn::GetVisiblePlace.
constexpr int vpOnly = 0;
constexpr int vpFirst = 1;
constexpr int vpLast = 3;
} // namespace

THeaderFeatures TDefaultStyleDisplay::HeaderFeatures() const {
    return Themed ? THeaderFeatures{hfHotTrack} : THeaderFeatures{hfInvertPressed};
}

void TDefaultStyleDisplay::PaintHeaderSection(const TRect& rect) {
    if (Themed)
        DrawThemeElement(Cv(), rect, hsNormal, hpItem, headerClass);
    else
        TGraphicsProvider::DrawButtonFace(Cv(), rect, false);
}

void TDefaultStyleDisplay::PaintHeaderCell(TCustomColumn& column, const TRect& rect) {
    if (Themed)
        PaintThemedHeaderBackground(column, rect);
    else
        PaintClassicHeaderBackground(column, rect);
    PaintHeaderContent(column, rect);
}

void TDefaultStyleDisplay::PaintHeaderTail(const TRect& rect) {
    if (Themed)
        DrawThemeElement(Cv(), rect, hsNormal, hpItemLeft, headerClass);
    else
        TStyleDisplay::PaintHeaderTail(rect);
}

void TDefaultStyleDisplay::PaintClassicHeaderBackground(TCustomColumn& column, const TRect& rect) {
    TCanvas& c = Cv();
    const TColor color = column.Header().Color();
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    c.Brush.Color = color;
    c.Brush.Style = bsSolid;
    c.FillRect(TRect{l + 1, t + 1, r - 1, b - 1});
    c.Pen.Mode = pmCopy;

    const int place = column.GetVisiblePlace();
    if (place == vpOnly) {
        c.Pen.Color = clBtnHighlight;
        c.Polyline({{l, b - 1}, {l, t}, {r - 1, t}});
        c.Pen.Color = clBtnShadow;
        c.Polyline({{r - 1, t}, {r - 1, b - 1}, {l - 1, b - 1}});
        return;
    }
    // Inner edges stop short of the corners, leaving a one-pixel gap between neighbours.
    c.Pen.Color = clBtnHighlight;
    Line(l, t, r, t);
    if (place == vpFirst) {
        Line(l, t + 1, l, b - 1);
    } else {
        Line(l, t + 2, l, b - 2);
        c.SetPixel(l, t + 1, color);
        c.SetPixel(l, b - 2, color);
    }
    c.Pen.Color = clBtnShadow;
    Line(l, b - 1, r, b - 1);
    if (place == vpLast) {
        Line(r - 1, t, r - 1, b - 1);
    } else {
        Line(r - 1, t + 2, r - 1, b - 2);
        c.SetPixel(r - 1, t + 1, color);
        c.SetPixel(r - 1, b - 2, color);
    }
}

void TDefaultStyleDisplay::PaintThemedHeaderBackground(TCustomColumn& column, const TRect& rect) {
    int state = hsNormal;
    if (ShowPressed && column.IsPressedHeader())
        state = hsPressed;
    else if (column.IsHotHeader())
        state = hsHot;
    DrawThemeElement(Cv(), rect, state, hpItem, headerClass);
}

} // namespace tolvane
