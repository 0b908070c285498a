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
    const bool noDate = DateValue != DateValue; // a cell left empty
    if (noDate && !hideEmpty) return;
    if (noDate || (DateValue == 0 && hideEmpty))
        DrawText(column ? column->EmptyCaption() : QString(), r);
    else
        DrawText(DateTimeToStr(DateValue), r);
}

} // namespace tolvane
