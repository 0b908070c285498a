#pragma once

#include "grid/display/base/ColumnDisplay.h"
#include "grid/display/markup/MarkupLayoutCache.h"

namespace tolvane {

// Cell text in the markup of TMarkupPainter, drawn from 2 pixels right of and 1 below the cell's
// top-left corner. In a cell drawn highlighted (the current cell of a focused grid) every colour
// the markup names is the highlighted text colour. The layouts of the texts painted lately are
// kept for the next paint.
class THtmlColumnDisplay : public TColumnDisplay {
public:
    explicit THtmlColumnDisplay(TCustomColumn& column);
    void Paint() override;

private:
    TMarkupLayoutCache layouts_;
};

} // namespace tolvane
