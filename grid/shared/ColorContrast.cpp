#include "grid/shared/ColorContrast.h"

#include <algorithm>
#include <cmath>

#include "grid/host/SystemColors.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

namespace {
double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double TColorContrast::Luminance(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return 0.2126 * Linear(GetRValue(rgb)) + 0.7152 * Linear(GetGValue(rgb)) + 0.0722 * Linear(GetBValue(rgb));
}

double TColorContrast::Ratio(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor TColorContrast::LegibleFill(TColor accent, TColor background, TColor text, double ratio) {
    const TColor from = ColorToRGB(accent);
    if (Ratio(from, text) >= ratio) return from;
    // Towards the background while the text reads on that; else away from the text, towards
    // black under light text and white under dark.
    TColor to = ColorToRGB(background);
    if (Ratio(to, text) < ratio) to = Luminance(text) > 0.18 ? clBlack : clWhite;
    constexpr int steps = 32;
    for (int k = 1; k <= steps; ++k) {
        const TColor mixed = TGraphicsProvider::MixColors(from, to, double(k) / steps);
        if (Ratio(mixed, text) >= ratio) return mixed;
    }
    return to;
}

TColor TColorContrast::Visible(TColor line, TColor background, TColor fallback, double ratio) {
    return Ratio(line, background) >= ratio ? line : fallback;
}

} // namespace tolvane
