#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TIncrementColumnDisplay : public TColumnDisplay {
public:
    explicit TIncrementColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
