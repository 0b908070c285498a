#include "grid/display/columns/TextualColumnDisplay.h"

#include "grid/host/Canvas.h"
#include "grid/model/columns/classes/TextualColumn.h"

namespace tolvane {

TTextualColumnDisplay::TTextualColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TTextualColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TTextualColumn*>(&Column);
    TRect r;
    GetTextRect(r);
    if (!column || (column->TextBefore().isEmpty() && column->TextAfter().isEmpty()))
        DrawText(TextValue, r); // the cell's own text, not a copy
    else // the value cut first, so that the affixes cost no copy of a long text
        DrawText(column->TextBefore() + ShownTextFor(TextValue, TextFlags()) + column->TextAfter(), r);
}

} // namespace tolvane
