#include "grid/display/columns/IncrementColumnDisplay.h"

#include "grid/base/Conversions.h"

namespace tolvane {

TIncrementColumnDisplay::TIncrementColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TIncrementColumnDisplay::Paint() {
    TRect r;
    GetTextRect(r);
    DrawText(IntToStr(IntegerValue), r);
}

} // namespace tolvane
