#pragma once
// Legibility of colours: the contrast of two colours as accessibility guidelines measure it, and
// accent fills that keep their look where text on them stays readable and give way towards the
// background where it would not (a pale accent under a dark palette's light text).

#include "grid/base/Types.h"

namespace tolvane {

class TColorContrast {
public:
    TColorContrast() = delete;

    // The text contrast most guidelines ask for.
    static constexpr double Readable = 4.5;

    // The relative luminance of a colour (0 black .. 1 white); system colours are resolved.
    static double Luminance(TColor c);
    // (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
    static double Ratio(TColor a, TColor b);
    // `accent` when `text` on it reaches `ratio`; otherwise `accent` mixed just as far as needed
    // towards `background`, or, when the text does not read on that either, away from the text
    // (towards black or white).
    static TColor LegibleFill(TColor accent, TColor background, TColor text, double ratio = Readable);
    // `line` when it stands out from `background` by `ratio`, else `fallback`.
    static TColor Visible(TColor line, TColor background, TColor fallback, double ratio = 3.0);
};

} // namespace tolvane
