#pragma once
// The grid as assistive technology sees it: a table of the visible columns in display order, the
// rows, the header captions, the display texts, the selection and the current cell.

#include <vector>

#include "grid/host/AccessibleTableSource.h"

namespace tolvane {

class TCustomGridViewControl;

class TGridAccessibility : public TAccessibleTableSource {
public:
    explicit TGridAccessibility(TCustomGridViewControl& grid) : grid_(grid) {}

    QString AccessibleName() override;
    int AccessibleRowCount() override;
    int AccessibleColumnCount() override;
    QString AccessibleColumnHeader(int column) override;
    QString AccessibleCellText(int column, int row) override;
    bool AccessibleRowSelected(int row) override;
    TPoint AccessibleCurrentCell() override;
    TRect AccessibleCellRect(int column, int row) override;

    // The current cell moved: announce it as the focus.
    void CurrentCellChanged(int col, int row);

private:
    // The column index of a visible display place; -1 when there is none.
    int ColumnAt(int place) const;
    int PlaceOf(int col) const;

    TCustomGridViewControl& grid_;
};

} // namespace tolvane
