#include "grid/display/columns/CheckBoxColumnDisplay.h"

#include "grid/model/columns/CustomColumn.h"
#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

TCheckBoxColumnDisplay::TCheckBoxColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TCheckBoxColumnDisplay::Paint() {
    DrawCheck(CellRect, BooleanValue, false, false);
}

void TCheckBoxColumnDisplay::DrawCheck(const TRect& rect, bool checked, bool pressed, bool hot) {
    if (!Canvas) return;
    TGraphicsProvider::DrawCheckBox(*Canvas, hot, pressed, checked, Column.VerticalAlignment(),
                                    Column.Alignment(), rect);
}

} // namespace tolvane
