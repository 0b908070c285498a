#pragma once
// Per-pixel colour blending used when pictures are composited with their alpha.

#include "grid/base/Types.h"

namespace tolvane {

class TMaskProvider {
public:
    TMaskProvider() = delete;

    // Per channel (weight * a + (255 - weight) * b) div 256, system colours resolved first.
    // A weight outside 0..255 is a programming error: EGridError "Assertion failure (SharedCommon)".
    static TColor BlendColors(TColor a, TColor b, int weight);
};

} // namespace tolvane
