#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class THtmlColumnDisplay : public TColumnDisplay {
public:
    explicit THtmlColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
