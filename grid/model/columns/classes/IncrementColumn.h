#pragma once
// A column of row numbers.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TIncrementColumn : public TCustomColumn {
public:
    TIncrementColumn();
    static TColumnClasses Classes();

protected:
    explicit TIncrementColumn(const TColumnClasses& classes);
};

} // namespace tolvane
