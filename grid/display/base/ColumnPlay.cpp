#include "grid/display/base/ColumnPlay.h"

#include "grid/display/base/ColumnDisplay.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

void TColumnPlay::Refresh() {
    TColumnDisplay* display = Column.Display();
    if (!display) return;
    BooleanValue = display->BooleanValue;
    display->Paint();
}

void TColumnPlay::Change() {
    if (OnChange) OnChange(*this);
}

} // namespace tolvane
