#include "grid/display/columns/HtmlColumnDisplay.h"

#include "grid/display/markup/MarkupPainter.h"

namespace tolvane {

THtmlColumnDisplay::THtmlColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void THtmlColumnDisplay::Paint() {
    if (!Canvas) return;
    TMarkupPainter painter(*Canvas, {CellRect.Left + 2, CellRect.Top + 1});
    if (IsCurrent) painter.ColorOverride = HighlightedTextColor;
    painter.Paint(TextValue);
}

} // namespace tolvane
