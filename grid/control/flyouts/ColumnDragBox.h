#pragma once
// The floating header cell that follows the pointer while a column is dragged. It paints the
// column's header cell with a style display of its own and reports every move and the drop to
// the grid in screen coordinates.

#include <functional>

#include "grid/display/styles/DefaultStyleDisplay.h"
#include "grid/host/FlyoutControl.h"

namespace tolvane {

class TCustomColumn;
class TColumnDragBox;

using TDragBoxEvent = std::function<void(TColumnDragBox& box, int screenX, int screenY)>;

class TColumnDragBox : public TFlyoutControl {
public:
    // `grid` lends its colour to the box's style display; it must outlive the box.
    explicit TColumnDragBox(TCustomControl& grid);

    TStyleDisplay& Display() { return display_; }
    TCustomColumn* Column() const { return column_; }

    // Shows the box (bounds and font set before) for the column and starts following the
    // pointer. The floating cell never looks pressed.
    void StartDrag(TCustomColumn& column);
    // The pointer moved to a screen point: the grid hears of it first, then the box centres
    // itself on the pointer with its bottom edge 4 pixels below it.
    void DragTo(TPoint screen);
    // A button went up at a screen point: the left one hides the box and drops; others do nothing.
    void Release(TMouseButton button, TPoint screen);
    // Hides the box and forgets the column without dropping.
    void Cancel();

    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    TDragBoxEvent OnMoved;
    TDragBoxEvent OnDropped;

private:
    TDefaultStyleDisplay display_;
    TCustomColumn* column_ = nullptr;
};

} // namespace tolvane
