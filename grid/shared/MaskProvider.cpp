#include "grid/shared/MaskProvider.h"

#include <cstdint>

#include "grid/host/SystemColors.h"
#include "grid/base/Errors.h"

namespace tolvane {

TColor TMaskProvider::BlendColors(TColor a, TColor b, int weight) {
    // The weight is an unsigned quantity: a negative one is as wrong as one of 256.
    if (weight < 0 || weight >= 256) throw EGridError(std::string("Assertion failure (SharedCommon)"));
    const std::uint32_t ca = ColorToRGB(a);
    const std::uint32_t cb = ColorToRGB(b);
    const std::uint32_t w = std::uint32_t(weight);
    const std::uint32_t v = 255 - w;
    // Red and blue share one lane, green has the other; w + v = 255 keeps both inside 32 bits.
    const std::uint32_t redBlue = (w * (ca & 0xFF00FFu) + v * (cb & 0xFF00FFu)) & 0xFF00FF00u;
    const std::uint32_t green = (w * (ca & 0xFF00u) + v * (cb & 0xFF00u)) & 0xFF0000u;
    return (redBlue | green) >> 8;
}

} // namespace tolvane
