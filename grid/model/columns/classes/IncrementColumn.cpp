#include "grid/model/columns/classes/IncrementColumn.h"


namespace tolvane {

TColumnClasses TIncrementColumn::Classes() {
    return TColumnHooks::Of<TIncrementColumn>();
}

TIncrementColumn::TIncrementColumn() : TIncrementColumn(Classes()) {}

TIncrementColumn::TIncrementColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stAlphabetic);
    SetCellKind(ckRowNumber);
}

} // namespace tolvane
