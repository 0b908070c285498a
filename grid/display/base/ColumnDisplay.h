#pragma once
// The base of the cell painters: each column creates one and the grid's painter calls Paint once
// per visible cell after filling in the fields.

#include <memory>

#include "grid/display/base/VirtualColElement.h"
#include "grid/model/columns/ColumnHooks.h"

namespace tolvane {

class TColumnDisplay : public TVirtualColElement {
public:
    using TVirtualColElement::TVirtualColElement;

    bool Selected = false;
    TColor HighlightedTextColor = clHighlightText;
    bool IsCurrent = false;

    // CellRect narrowed by 2 pixels on the left and on the right.
    virtual void GetTextRect(TRect& rect) const;
    // Text in the column's alignment, vertical alignment and wrap kind, on a clear brush.
    virtual void DrawText(const QString& text, const TRect& rect);
    // A small red triangle in the top-right corner of CellRect.
    virtual void DrawHintMark();
    virtual void Paint() = 0;

    // Brush := colour; fills CellRect, or without fill draws a one-pixel frame along its edge.
    void FillBackground(TColor color, bool fill);

    // The DrawText flags for the column's settings and this display's reading order.
    unsigned TextFlags() const;
};

// A display class hook for a display class D constructed as D(TCustomColumn&).
template <class D>
TColumnDisplayPtr CreateColumnDisplay(TCustomColumn& column) {
    return CreateColumnObject<TColumnDisplay, D>(column);
}

} // namespace tolvane
