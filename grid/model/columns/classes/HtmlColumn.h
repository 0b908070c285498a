#pragma once
// A column of markup text.

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class THtmlColumn : public TCustomColumn {
public:
    THtmlColumn();
    static TColumnClasses Classes();

protected:
    explicit THtmlColumn(const TColumnClasses& classes);
};

} // namespace tolvane
