#include "grid/model/columns/classes/CheckBoxColumn.h"


namespace tolvane {

TColumnClasses TCheckBoxColumn::Classes() {
    return TColumnHooks::Of<TCheckBoxColumn>();
}

TCheckBoxColumn::TCheckBoxColumn() : TCheckBoxColumn(Classes()) {}

TCheckBoxColumn::TCheckBoxColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stBoolean);
    SetCellKind(ckBoolean);
}

} // namespace tolvane
