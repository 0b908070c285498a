#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TProgressColumnDisplay : public TColumnDisplay {
public:
    explicit TProgressColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
