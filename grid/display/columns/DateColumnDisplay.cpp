#include "grid/display/columns/DateColumnDisplay.h"

#include "grid/model/columns/classes/DateColumn.h"
#include "grid/base/Conversions.h"

namespace tolvane {

TDateColumnDisplay::TDateColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TDateColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TDateColumn*>(&Column);
    const bool hideEmpty = column && column->HideWhenEmpty();
    TRect r;
    GetTextRect(r);
    if (DateValue != 0 || !hideEmpty)
        DrawText(DateTimeToStr(DateValue), r);
    else
        DrawText(column->EmptyCaption(), r);
}

} // namespace tolvane
