#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TDateColumnDisplay : public TColumnDisplay {
public:
    explicit TDateColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
