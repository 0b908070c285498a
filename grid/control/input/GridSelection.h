#pragma once
// The current cell and the row selection's state, as one value. TGridNavigation owns it and is the
// only writer; everything else reads it through the grid.

namespace tolvane {

struct TGridSelection {
    int Col = 0;
    int Row = 0;
    // The input row holds the focus instead of a data row.
    bool InputFocused = false;
    // Where a Shift extension of a full-row selection starts; -1 before any.
    int AnchorRow = -1;
    // A Ctrl/Shift multi-selection is marked on the rows.
    bool Marking = false;

    bool IsCurrentCell(int col, int row) const { return col == Col && row == Row; }
};

} // namespace tolvane
