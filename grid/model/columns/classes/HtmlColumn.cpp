#include "grid/model/columns/classes/HtmlColumn.h"

#include "grid/display/columns/HtmlColumnDisplay.h"

namespace tolvane {

TColumnClasses THtmlColumn::Classes() {
    return {nullptr, &CreateColumnDisplay<THtmlColumnDisplay>, nullptr};
}

THtmlColumn::THtmlColumn() : THtmlColumn(Classes()) {}

THtmlColumn::THtmlColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stAlphabetic);
    SetCellKind(7);
}

} // namespace tolvane
