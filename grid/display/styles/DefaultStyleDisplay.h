#pragma once
// The default look: classic 3-D header cells, or the platform's visual style when Themed.

#include "grid/display/styles/StyleDisplay.h"

namespace tolvane {

class TDefaultStyleDisplay : public TStyleDisplay {
public:
    using TStyleDisplay::TStyleDisplay;

    THeaderFeatures HeaderFeatures() const override;
    void PaintHeaderSection(const TRect& rect) override;
    void PaintHeaderCell(TCustomColumn& column, const TRect& rect) override;
    void PaintHeaderTail(const TRect& rect) override;

    virtual void PaintClassicHeaderBackground(TCustomColumn& column, const TRect& rect);
    virtual void PaintThemedHeaderBackground(TCustomColumn& column, const TRect& rect);
};

} // namespace tolvane
