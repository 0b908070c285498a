#pragma once
// The repaint requests of the grid: each names the smallest rectangle that covers a change and
// invalidates it without erasing.

#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;
class TGridGeometry;

class TGridInvalidator {
public:
    explicit TGridInvalidator(TCustomGridViewControl& grid);

    // The cell rectangle widened by the grid line to the right and below.
    void Cell(int col, int row);
    // A cell the store wrote. Only the span of the written rows and columns is kept until the
    // grid paints or is asked what is invalid: filling a long list then reads no geometry per
    // cell, and the rows that show are found once.
    void CellWritten(int col, int row);
    // Invalidates the written cells that show (each, when there were several, every cell of
    // their span on screen) and forgets them.
    void SettleWrittenCells();
    // The area's rectangle narrowed to the column's x range (client rectangle for gaNone).
    void ColumnPart(int columnIndex, TGridArea area);
    // The area's rectangle; footer, header, indicator and input only when shown.
    void Area(TGridArea area);
    // A row across the data width; with borderOnly its inside (inset 1) stays valid.
    void Row(int row, bool borderOnly = false);
    void IndicatorCell(int row);
    // From the top of `from` down to the end of `to`, at most to the data bottom.
    void Rows(int from, int to);
    // The current row and its indicator cell: both mark the row by index, so their pictures must
    // not travel with pixels that a row insert or delete moves.
    void CurrentRow();
    // Where the focus frame of the current cell or row is drawn.
    void FocusFrame();
    // The data band across the client width, where an empty grid centres its caption.
    void Caption();
    // Everything from the column's left edge to the right.
    void FromColumn(int columnIndex);
    // The input row when it has the focus, then the current cell (cell mode) or every selected
    // row on screen (full-row mode).
    void Selection();
    void All();

private:
    const TGridGeometry& Geo() const { return geo_; }
    void Invalidate(const TRect& r);

    TCustomGridViewControl& grid_;
    const TGridGeometry& geo_;

    bool written_ = false;
    int writtenColFrom_ = 0, writtenColTo_ = 0, writtenRowFrom_ = 0, writtenRowTo_ = 0;
};

} // namespace tolvane
