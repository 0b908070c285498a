#include "grid/model/columns/classes/CheckBoxColumn.h"

#include "grid/display/columns/CheckBoxColumnDisplay.h"
#include "grid/display/columns/CheckBoxColumnPlay.h"

namespace tolvane {

TColumnClasses TCheckBoxColumn::Classes() {
    return {nullptr, &CreateColumnDisplay<TCheckBoxColumnDisplay>, &CreateColumnPlay<TCheckBoxColumnPlay>};
}

TCheckBoxColumn::TCheckBoxColumn() : TCheckBoxColumn(Classes()) {}

TCheckBoxColumn::TCheckBoxColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    SetSortType(stBoolean);
    SetCellKind(3);
}

} // namespace tolvane
