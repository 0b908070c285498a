#include "grid/model/columns/classes/HtmlColumn.h"


namespace tolvane {

TColumnClasses THtmlColumn::Classes() {
    return TColumnHooks::Of<THtmlColumn>();
}

THtmlColumn::THtmlColumn() : THtmlColumn(Classes()) {}

THtmlColumn::THtmlColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stAlphabetic);
    SetCellKind(ckText);
}

} // namespace tolvane
