#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TTextualColumnDisplay : public TColumnDisplay {
public:
    explicit TTextualColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
