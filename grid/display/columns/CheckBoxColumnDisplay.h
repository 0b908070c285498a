#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TCheckBoxColumnDisplay : public TColumnDisplay {
public:
    explicit TCheckBoxColumnDisplay(TCustomColumn& column);
    void Paint() override;
    // Places the box in rect by the column's alignments, margin 2.
    virtual void DrawCheck(const TRect& rect, bool checked, bool pressed, bool hot);
};

} // namespace tolvane
