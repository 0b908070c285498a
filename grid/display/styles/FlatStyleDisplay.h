#pragma once
// The flat look: plain header cells with a grey line at their right and bottom edges; no hot
// tracking and no inverted pressed header.

#include "grid/display/styles/StyleDisplay.h"

namespace tolvane {

class TFlatStyleDisplay : public TStyleDisplay {
public:
    using TStyleDisplay::TStyleDisplay;

    void PaintHeaderSection(const TRect& rect) override;
    void PaintHeaderCell(TCustomColumn& column, const TRect& rect) override;

    virtual void PaintFlatHeaderBackground(TCustomColumn& column, const TRect& rect);

private:
    void PaintFlatEdges(const TRect& rect);
};

} // namespace tolvane
