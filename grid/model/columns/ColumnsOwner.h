#pragma once
// What the columns ask of the grid that holds them. The grid control implements this interface;
// the column collection keeps a pointer to it (none in a collection without a grid).

#include "grid/base/Font.h"
#include "grid/base/Types.h"

namespace tolvane {

class TColumnsOwner {
public:
    virtual ~TColumnsOwner() = default;

    // Left edge of the data area where the first visible column starts: 12 with goIndicator in
    // gsReport, else 0. Layout and auto-sizing measure from here.
    virtual int ColumnsDataLeft() const = 0;
    // Width the columns may share among them: the client width, less 12 with goIndicator in gsReport.
    virtual int ColumnsAvailableWidth() const = 0;
    // Horizontal scroll position in pixels.
    virtual int ColumnsHorzPosition() const = 0;

    // The header, input-row and footer rectangles of gsReport in client pixels; only their top and
    // bottom are used by the columns.
    virtual TRect HeaderBand() const = 0;
    virtual TRect InputBand() const = 0;
    virtual TRect FooterBand() const = 0;

    // Column indexes (creation order); -1 for none.
    virtual int CurrentColumnIndex() const = 0;
    virtual int PressedHeaderColumnIndex() const = 0;
    virtual int HotHeaderColumnIndex() const = 0;

    // Repaint part of one column: gaNone is its whole strip over the client height, any other area
    // that area's rectangle narrowed to the column's x range.
    virtual void InvalidateColumnPart(int columnIndex, TGridArea area) = 0;

    // The grid is being read from a stored layout: no moves and no auto-sizing meanwhile.
    virtual bool IsReadingLayout() const = 0;

    // The grid's font, copied into every column with ParentFont.
    virtual const TFont& GridFont() const = 0;
    // Bidirectional mode: non-zero for right-to-left reading.
    virtual int GridRightToLeft() const = 0;
};

} // namespace tolvane
