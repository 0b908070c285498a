#pragma once
// The heavier 3-D look: button-face header cells with a dark bottom-right frame, whatever the
// header colour.

#include "grid/display/styles/StyleDisplay.h"

namespace tolvane {

class TOldStyleDisplay : public TStyleDisplay {
public:
    using TStyleDisplay::TStyleDisplay;

    THeaderFeatures HeaderFeatures() const override;
    void PaintHeaderSection(const TRect& rect) override;
    void PaintHeaderCell(TCustomColumn& column, const TRect& rect) override;
};

} // namespace tolvane
