#include "grid/display/columns/HtmlColumnDisplay.h"

#include "grid/display/markup/MarkupPainter.h"
#include "grid/host/Canvas.h"

namespace tolvane {

THtmlColumnDisplay::THtmlColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void THtmlColumnDisplay::Paint() {
    if (!Canvas) return;
    TMarkupPainter painter(*Canvas, {CellRect.Left + 2, CellRect.Top + 1});
    // Where the grid draws the text on the highlight, colours from the markup would be unreadable
    // there. A current cell of an unfocused grid is not drawn so and keeps them.
    if (Selected && Canvas->Font.Color == HighlightedTextColor) painter.ColorOverride = HighlightedTextColor;
    painter.Paint(TextValue, &layouts_);
}

} // namespace tolvane
