#include "grid/display/columns/TextualColumnDisplay.h"

#include "grid/model/columns/classes/TextualColumn.h"

namespace tolvane {

TTextualColumnDisplay::TTextualColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TTextualColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TTextualColumn*>(&Column);
    TRect r;
    GetTextRect(r);
    DrawText(column ? column->TextBefore() + TextValue + column->TextAfter() : TextValue, r);
}

} // namespace tolvane
