#pragma once
// The base of the optional column input handlers ("plays"): they turn keys and clicks on a cell
// into a value change and tell the grid through OnChange.

#include <functional>
#include <memory>

#include <QChar>

#include "grid/display/base/VirtualColElement.h"
#include "grid/model/columns/ColumnHooks.h"

namespace tolvane {

class TColumnPlay : public TVirtualColElement {
public:
    using TVirtualColElement::TVirtualColElement;

    // Assigned by the grid, which stores the play's value into cell (Col, Row).
    std::function<void(TColumnPlay& sender)> OnChange;
    int Col = -1;
    int Row = -1;

    // The key may be changed (set to 0 when consumed).
    virtual void KeyPress(QChar& key) = 0;
    // x and y are in cell coordinates.
    virtual void MouseClick(TMouseButton button, TShiftState shift, int x, int y) = 0;
    // BooleanValue := the column display's, then the display paints.
    virtual void Refresh();

protected:
    // Calls OnChange when assigned.
    void Change();
};

// A play class hook for a play class P constructed as P(TCustomColumn&).
template <class P>
TColumnPlayPtr CreateColumnPlay(TCustomColumn& column) {
    return CreateColumnObject<TColumnPlay, P>(column);
}

} // namespace tolvane
