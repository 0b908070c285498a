#pragma once
// A column of check boxes over truth-value cells; space and clicks toggle them.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TCheckBoxColumn : public TCustomColumn {
public:
    TCheckBoxColumn();
    static TColumnClasses Classes();

protected:
    explicit TCheckBoxColumn(const TColumnClasses& classes);
};

} // namespace tolvane
