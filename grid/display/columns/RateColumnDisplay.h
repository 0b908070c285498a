#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TRateColumnDisplay : public TColumnDisplay {
public:
    explicit TRateColumnDisplay(TCustomColumn& column);
    void Paint() override;

private:
    // A 32-bit glyph is blended over the canvas with its per-pixel alpha; any other is drawn
    // as it is, honouring its transparency.
    void DrawGlyph(int x, int y, const TBitmap& glyph);
};

} // namespace tolvane
