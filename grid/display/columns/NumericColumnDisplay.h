#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TNumericColumnDisplay : public TColumnDisplay {
public:
    explicit TNumericColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
