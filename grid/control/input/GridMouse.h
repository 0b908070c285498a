#pragma once
// Mouse presses, releases, moves, double clicks and the wheel over the grid.

#include "grid/control/GridGeometry.h"
#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;

class TGridMouse {
public:
    explicit TGridMouse(TCustomGridViewControl& grid) : grid_(grid) {}

    // Answers whether the framework's handling (raising the event) should follow.
    bool MouseDown(TMouseButton button, TShiftState shift, TPoint p);
    void MouseUp(TMouseButton button, TShiftState shift, TPoint p);
    void MouseMove(TShiftState shift, TPoint p);
    // Whether a double click at the last pointer position counts (inside the data rectangle).
    bool DoubleClickCounts() const;
    // Steps the vertical bar for a wheel turn.
    void Wheel(TShiftState shift, int wheelDelta);

    TPoint LastPoint() const { return last_; }
    // Where the button held now went down ({-1, -1} when none is held).
    TPoint PressPoint() const { return pressPoint_; }
    // The cell a press on the cells named; a release on the same cell is a click.
    TCellCoord ClickCell() const { return clickCell_; }
    // The press ends without a click (a column dropped, the application deactivated).
    void ForgetPress();

private:
    bool IsRealCell(TCellCoord cell) const;
    void PressCells(TShiftState shift, TPoint p);
    void PressIndicator(TShiftState shift, TPoint p);
    void ReleaseCells(TMouseButton button, TShiftState shift, TPoint p);
    void MoveOverCells(TPoint p);
    void MoveOverIndicator(TPoint p);

    TCustomGridViewControl& grid_;
    TPoint last_{-1, -1};
    TPoint pressPoint_{-1, -1};
    TCellCoord clickCell_;
};

} // namespace tolvane
