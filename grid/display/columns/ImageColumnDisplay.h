#pragma once

#include "grid/display/base/ColumnDisplay.h"

namespace tolvane {

class TImageColumnDisplay : public TColumnDisplay {
public:
    explicit TImageColumnDisplay(TCustomColumn& column);
    void Paint() override;
};

} // namespace tolvane
