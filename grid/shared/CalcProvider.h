#pragma once
// Geometry and arithmetic shared by the displays, editors and the grid's painter.

#include "grid/base/Types.h"

namespace tolvane {

class TCalcProvider {
public:
    TCalcProvider() = delete;

    // value / maximum * 100; a maximum of 0 answers 0 so that an empty range shows an empty bar.
    static double CalcPercent(double maximum, double value);
    // Touching edges count as intersecting.
    static bool RectsIntersect(const TRect& a, const TRect& b);
    // Top-left corner of a width x height box placed in bounds; centring ignores the margin.
    static TPoint AlignBox(int width, int height, TVerticalAlignment vertical, TAlignment horizontal,
                           const TRect& bounds, int margin);
    static TRect AdjustRect(const TRect& rect, int left, int top, int right, int bottom);
};

} // namespace tolvane
