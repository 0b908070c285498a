#pragma once
// What a control that shows a table tells assistive technology (screen readers). The control
// answers these questions live; the platform layer turns them into Qt's accessibility interfaces
// for the control's client widget.

#include <QString>

#include "grid/base/Types.h"

class QAccessibleEvent;
class QWidget;

namespace tolvane {

class TCustomControl;

// Columns are counted as the user sees them: the visible columns in display order.
class TAccessibleTableSource {
public:
    virtual ~TAccessibleTableSource() = default;
    virtual QString AccessibleName() = 0;
    virtual int AccessibleRowCount() = 0;
    virtual int AccessibleColumnCount() = 0;
    virtual QString AccessibleColumnHeader(int column) = 0;
    virtual QString AccessibleCellText(int column, int row) = 0;
    virtual bool AccessibleRowSelected(int row) = 0;
    // The current cell as (column, row); a negative part when there is none.
    virtual TPoint AccessibleCurrentCell() = 0;
    // In client coordinates; empty when the cell is not on screen.
    virtual TRect AccessibleCellRect(int column, int row) = 0;
};

// Makes the client widgets of controls with a table source answer as tables. Idempotent.
void InstallAccessibleTables();

// Tells assistive technology that the focus moved to a cell of the control's table.
void AnnounceAccessibleFocus(TCustomControl& control, int column, int row);

// Sees every event announced, before Qt delivers it (Qt drops them while no assistive technology
// is connected, as on the offscreen platform). Null: none.
void SetAccessibleEventObserver(void (*observer)(QAccessibleEvent*));

} // namespace tolvane
