#include "grid/model/columns/classes/IncrementColumn.h"

#include "grid/display/columns/IncrementColumnDisplay.h"

namespace tolvane {

TColumnClasses TIncrementColumn::Classes() {
    return {nullptr, &CreateColumnDisplay<TIncrementColumnDisplay>, nullptr};
}

TIncrementColumn::TIncrementColumn() : TIncrementColumn(Classes()) {}

TIncrementColumn::TIncrementColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stAlphabetic);
    SetCellKind(0);
}

} // namespace tolvane
