#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TGraphicColumnDisplay : public TColumnDisplay {
public:
    explicit TGraphicColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
