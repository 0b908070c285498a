#pragma once
// The current cell and the row selection: how they move and what they repaint.

#include "grid/base/Types.h"
#include "grid/control/input/GridSelection.h"

namespace tolvane {

class TCustomGridViewControl;

class TGridNavigation {
public:
    explicit TGridNavigation(TCustomGridViewControl& grid) : grid_(grid) {}

    // The one way the current cell changes.
    void SetCurrentCell(int col, int row, TShiftState shift);
    void SetCurrentRow(int row);
    // The nearest visible column before (after) the current one in display order.
    void PreviousVisibleColumn();
    void NextVisibleColumn();
    void SetInputFocused(bool value);
    // Enter with WantReturns, and Enter in a cell editor: one step in SelectionMoveDirection.
    void MoveBySelectionDirection();
    // Ends a Ctrl/Shift multi-selection's marking (the rows stay as they are).
    void EndMarking() { selection_.Marking = false; }

    const TGridSelection& Selection() const { return selection_; }

private:
    void ClearMultiSelection();
    // Exactly the rows from `from` to `to` are selected afterwards.
    void SelectSpan(int from, int to);
    void RaiseSelectCell(int col, int row);

    TCustomGridViewControl& grid_;
    TGridSelection selection_;
};

} // namespace tolvane
