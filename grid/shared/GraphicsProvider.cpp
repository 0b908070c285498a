#include "grid/shared/GraphicsProvider.h"

#include <cmath>

#include "grid/host/Canvas.h"
#include "grid/host/SystemColors.h"
#include "grid/shared/CalcProvider.h"
#include "grid/shared/MaskProvider.h"
#include "grid/shared/ThemesSupport.h"
#include "grid/shared/WideText.h"

namespace tolvane {

namespace {
unsigned HorizontalFlag(TAlignment horizontal) {
    switch (horizontal) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

int MixChannel(int a, int b, double fraction) {
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return int(std::nearbyint(fraction * b + (1 - fraction) * a));
}

void HorizontalLine(TCanvas& canvas, int y, int left, int right) {
    canvas.MoveTo(left, y);
    canvas.LineTo(right, y);
}
} // namespace

TColor TGraphicsProvider::BlendColors(TColor a, TColor b, int weight) {
    return TMaskProvider::BlendColors(a, b, weight);
}

TColor TGraphicsProvider::MixColors(TColor a, TColor b, double fraction) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    return RGB(std::uint8_t(MixChannel(GetRValue(ca), GetRValue(cb), fraction)),
               std::uint8_t(MixChannel(GetGValue(ca), GetGValue(cb), fraction)),
               std::uint8_t(MixChannel(GetBValue(ca), GetBValue(cb), fraction)));
}

void TGraphicsProvider::ClipToRect(TCanvas& canvas, const TRect& rect) {
    canvas.SetClipRect(rect);
}

void TGraphicsProvider::DrawButtonFace(TCanvas& canvas, const TRect& rect, bool dark) {
    canvas.Brush.Color = clBtnFace;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(rect.Inflate(-1, -1));
    // The classic 3-D frame: the bottom/right polyline runs last and so owns both far corners.
    const int l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
    canvas.Pen.Color = clBtnHighlight;
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen.Color = dark ? clWindowFrame : clBtnShadow;
    canvas.Polyline({{r, t}, {r, b}, {l - 1, b}});
}

void TGraphicsProvider::DrawFocusFrame(TCanvas& canvas, const TRect& rect, bool solid) {
    if (solid) {
        canvas.Brush.Color = clHighlight;
        canvas.Brush.Style = bsSolid;
        canvas.FrameRect(rect);
        return;
    }
    const TColor background = canvas.Brush.Color;
    const TColor text = canvas.Font.Color;
    canvas.Brush.Color = clBlack;
    canvas.Font.Color = clWhite;
    canvas.DrawFocusRect(rect);
    canvas.Brush.Color = background;
    canvas.Font.Color = text;
}

void TGraphicsProvider::DrawCheckBox(TCanvas& canvas, bool hot, bool pressed, bool checked,
                                     TVerticalAlignment vertical, TAlignment horizontal, const TRect& rect) {
    if (ThemesAvailable()) {
        const int size = 13;
        const TPoint p = TCalcProvider::AlignBox(size, size, vertical, horizontal, rect, 2);
        int state;
        if (hot)
            state = checked ? (pressed ? 7 : 6) : (pressed ? 3 : 2);
        else
            state = checked ? 5 : 1;
        DrawThemeElement(canvas, TRect{p.X, p.Y, p.X + size, p.Y + size}, state, 3, "Button");
        return;
    }
    const int size = 11;
    const TPoint p = TCalcProvider::AlignBox(size, size, vertical, horizontal, rect, 2);
    canvas.Brush.Color = pressed ? clBtnFace : clWindow;
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Color = clBtnShadow;
    canvas.Pen.Mode = pmCopy;
    canvas.Rectangle(TRect{p.X, p.Y, p.X + size, p.Y + size});
    if (!checked) return;
    canvas.Pen.Color = clWindowText;
    for (int i = 0; i < 3; ++i)
        canvas.Polyline({{p.X + 2, p.Y + 4 + i}, {p.X + 4, p.Y + 6 + i}, {p.X + 9, p.Y + 1 + i}});
}

void TGraphicsProvider::FillGradientVertical(TCanvas& canvas, const TRect& rect, TColor endColor,
                                             TColor startColor) {
    const int n = rect.Height();
    for (int i = 0; i < n; ++i) {
        canvas.Pen.Color = MixColors(startColor, endColor, double(i) / n);
        HorizontalLine(canvas, rect.Top + i, rect.Left, rect.Right);
    }
}

void TGraphicsProvider::FillGradientHorizontal(TCanvas& canvas, const TRect& rect, TColor endColor,
                                               TColor startColor) {
    const int n = rect.Width();
    for (int i = 0; i < n; ++i) {
        canvas.Pen.Color = MixColors(startColor, endColor, double(i) / n);
        canvas.MoveTo(rect.Left + i, rect.Top);
        canvas.LineTo(rect.Left + i, rect.Bottom);
    }
}

unsigned TGraphicsProvider::EllipsisTextFlags(bool rightToLeft, TAlignment horizontal) {
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXTERNALLEADING | DT_END_ELLIPSIS;
    flags |= HorizontalFlag(horizontal);
    if (rightToLeft) flags |= DT_RTLREADING;
    return flags;
}

unsigned TGraphicsProvider::AlignedTextFlags(bool wordWrap, TVerticalAlignment vertical,
                                             TAlignment horizontal) {
    unsigned flags = DT_NOPREFIX | HorizontalFlag(horizontal);
    if (vertical == vaMiddle) flags |= DT_VCENTER;
    if (vertical == vaBottom) flags |= DT_BOTTOM;
    flags |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    return flags;
}

void TGraphicsProvider::DrawTextEllipsis(TCanvas& canvas, const TRect& rect, bool rightToLeft,
                                         const QString& text, TAlignment horizontal) {
    TRect r = rect;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(PlatformText(text), r, EllipsisTextFlags(rightToLeft, horizontal));
    canvas.Brush.Style = bsSolid;
}

void TGraphicsProvider::DrawTextAligned(TCanvas& canvas, const TRect& rect, const QString& text,
                                        bool wordWrap, TVerticalAlignment vertical, TAlignment horizontal) {
    TRect r = rect;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(PlatformText(text), r, AlignedTextFlags(wordWrap, vertical, horizontal));
    canvas.Brush.Style = bsSolid;
}

void TGraphicsProvider::DrawIndicatorCell(TCanvas& canvas, const TRect& rect, bool oldStyle, bool inverted,
                                          bool marker) {
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    canvas.Pen.Mode = pmCopy;
    if (oldStyle) {
        DrawButtonFace(canvas, rect, true);
    } else {
        canvas.Brush.Color = clBtnFace;
        canvas.Brush.Style = bsSolid;
        canvas.FillRect(TRect{l + 1, t + 1, r - 1, b});
        canvas.Pen.Color = clBtnHighlight;
        canvas.SetPixel(l + 1, t, clBtnFace);
        canvas.SetPixel(r - 2, t, clBtnFace);
        canvas.MoveTo(l, t);
        canvas.LineTo(l, b + 1);
        HorizontalLine(canvas, t, l + 2, r - 2);
        canvas.Pen.Color = clBtnShadow;
        canvas.SetPixel(l + 1, b - 1, clBtnFace);
        canvas.SetPixel(r - 2, b - 1, clBtnFace);
        canvas.MoveTo(r - 1, t);
        canvas.LineTo(r - 1, b);
        HorizontalLine(canvas, b - 1, l + 2, r - 2);
    }
    if (marker) {
        const TPoint p = TCalcProvider::AlignBox(6, 11, vaMiddle, taCenter, rect, 0);
        canvas.Pen.Color = clWindowText;
        canvas.Brush.Color = clWindowText;
        canvas.Brush.Style = bsSolid;
        canvas.Polygon({{p.X, p.Y}, {p.X + 5, p.Y + 5}, {p.X, p.Y + 10}});
    }
    if (inverted) {
        canvas.CopyMode = cmDstInvert;
        canvas.CopyRect(rect, canvas, rect);
        canvas.CopyMode = cmSrcCopy;
    }
}

} // namespace tolvane
