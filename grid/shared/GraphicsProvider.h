#pragma once
// Colour arithmetic and the small drawing routines shared by displays, editors and popups.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCanvas;

class TGraphicsProvider {
public:
    TGraphicsProvider() = delete;

    // Integer blend, see TMaskProvider::BlendColors.
    static TColor BlendColors(TColor a, TColor b, int weight);
    // Per channel round(fraction * b + (1 - fraction) * a), ties to even: 0 gives a, 1 gives b.
    static TColor MixColors(TColor a, TColor b, double fraction);

    static void ClipToRect(TCanvas& canvas, const TRect& rect);
    // Raised face: clBtnFace inside a one-pixel 3-D frame (dark: clWindowFrame at bottom/right).
    static void DrawButtonFace(TCanvas& canvas, const TRect& rect, bool dark);
    // Solid: a one-pixel clHighlight frame; otherwise the dotted inverting focus rectangle.
    static void DrawFocusFrame(TCanvas& canvas, const TRect& rect, bool solid);
    // Themed 13 x 13 or classic 11 x 11 check box placed in rect with a margin of 2.
    static void DrawCheckBox(TCanvas& canvas, bool hot, bool pressed, bool checked,
                             TVerticalAlignment vertical, TAlignment horizontal, const TRect& rect);
    // One line per row (column) from startColor towards, not reaching, endColor.
    static void FillGradientVertical(TCanvas& canvas, const TRect& rect, TColor endColor, TColor startColor);
    static void FillGradientHorizontal(TCanvas& canvas, const TRect& rect, TColor endColor,
                                       TColor startColor);
    // One vertically centred line cut with an ellipsis.
    static void DrawTextEllipsis(TCanvas& canvas, const TRect& rect, bool rightToLeft, const QString& text,
                                 TAlignment horizontal);
    static void DrawTextAligned(TCanvas& canvas, const TRect& rect, const QString& text, bool wordWrap,
                                TVerticalAlignment vertical, TAlignment horizontal);
    // One cell of the row indicator column, optionally with the current-row marker and inverted.
    static void DrawIndicatorCell(TCanvas& canvas, const TRect& rect, bool oldStyle, bool inverted,
                                  bool marker);

    // The DT_ flags the two text operations pass to TCanvas::DrawText.
    static unsigned EllipsisTextFlags(bool rightToLeft, TAlignment horizontal);
    static unsigned AlignedTextFlags(bool wordWrap, TVerticalAlignment vertical, TAlignment horizontal);
};

} // namespace tolvane
