#pragma once
// The paint pipeline of the grid: fixed parts, rows, cells, grid lines, the indicator, the focus
// rectangle, empty space, and slides. Only the part of the grid inside the region being
// repainted is drawn.

#include "grid/base/Types.h"

namespace tolvane {

class TCanvas;
class TCustomColumn;
class TCustomGridViewControl;
class TGridGeometry;

class TGridPainter {
public:
    explicit TGridPainter(TCustomGridViewControl& grid) : grid_(grid) {}

    void Paint();
    void PaintFixedParts();
    void PaintRows();
    void PaintSlides(const TRect& rect);
    void DrawCell(int col, int row);
    // A cell beyond the rows (or a partial row the grid hides): background and grid lines only.
    void DrawEmptyCell(int col, int row);
    void DrawFocusRect();

private:
    TCanvas& Cv() const;
    const TGridGeometry& Geo() const;
    // Clips to r within the region being repainted.
    void ClipTo(const TRect& r);
    void ClipToPaintBox();
    // Step 6 of a cell: its rectangle widened by the grid line, not below the data bottom.
    void ClipToCell(const TRect& cell);
    void DrawCellGridLines(const TCustomColumn& column, int row, const TRect& cell, TColor color);
    TColor SortedShade(TColor background) const;
    void PaintRightOfColumns();
    void PaintCaption();
    // Rows whose band lies outside the repainted region are skipped.
    bool RowBandVisible(int top, int bottom) const;

    TRect Box() const;

    TCustomGridViewControl& grid_;
    // The region being repainted, while Paint runs.
    TRect paintBox_;
    bool painting_ = false;
};

} // namespace tolvane
