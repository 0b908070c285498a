#pragma once
// Column interaction through the header: resizing a column by its right edge (with rubber-band
// lines), pressing and clicking header cells and sorting by them, hot-tracking the header cell
// under the pointer, and dragging a header cell to move its column (or to hide it by dropping it
// outside the header). Owns the drag box, the two drop arrows and the header state the style
// displays read (the pressed and the hot header cell).

#include <memory>

#include "grid/base/Types.h"

namespace tolvane {

class TColumnDragBox;
class TCustomColumn;
class TCustomGridViewControl;
class TDragArrow;

class TColumnDragging {
public:
    // Pointer moves beyond this many pixels from the press point (in either direction) start a
    // column drag.
    static constexpr int DragThreshold = 3;

    explicit TColumnDragging(TCustomGridViewControl& grid);
    ~TColumnDragging();

    // ---- resizing ---------------------------------------------------------------------------
    // A left or right press on the right edge of the column.
    void StartResize(int columnIndex, TPoint p);
    void ResizeMove(TPoint p);
    // While the rubber-band lines are up the grid does not paint.
    bool Resizing() const { return resizing_; }
    int ResizedColumn() const { return resized_; }
    int ResizeDelta() const { return delta_; }
    // The x positions of the rubber-band lines.
    int LeftLineX() const { return leftLine_; }
    int RightLineX() const { return rightLine_; }

    // ---- header presses and sorting ---------------------------------------------------------
    // A left or right press in the header, not on an edge.
    void HeaderPress(TMouseButton button, TPoint p);
    // Any release: ends a resize or a header press (the click is raised then).
    void EndPress(TMouseButton button, TPoint p);
    // A left release inside the header: sorts by the column under the point.
    void HeaderRelease(TPoint p);
    int DragCandidate() const { return candidate_; }
    // The header cell held down (-1 when none).
    int PressedHeader() const { return pressedHeader_; }

    // ---- hovering ---------------------------------------------------------------------------
    void HeaderHover(TPoint p);
    void EndHotTracking();
    int EdgeColumn() const { return edge_; }
    // The header cell under the pointer, when the look hot-tracks (-1 when none).
    int HotHeader() const { return hotHeader_; }

    // ---- dragging ---------------------------------------------------------------------------
    // While a column is dragged the box takes every move and release.
    bool Dragging() const { return dragging_; }
    void DragMove(TPoint client);
    void DragRelease(TMouseButton button, TPoint client);
    int DropTarget() const { return dropTarget_; }
    TDragArrow& DownArrow() const { return *downArrow_; }
    TDragArrow& UpArrow() const { return *upArrow_; }
    TColumnDragBox& DragBox() const { return *box_; }

    // The application was deactivated: every pending drag, press and resize is dropped.
    void Cancel();

private:
    TCustomColumn* ColumnOf(int index) const;
    void DrawLine(int x);
    void EndResize(bool apply);
    void StartDrag();
    void Moved(TPoint screen);
    void Dropped(TPoint screen);
    void HideArrows();

    TCustomGridViewControl& grid_;
    std::unique_ptr<TDragArrow> downArrow_; // above the header, pointing down
    std::unique_ptr<TDragArrow> upArrow_;   // below it, pointing up
    std::unique_ptr<TColumnDragBox> box_;

    int candidate_ = -1;
    int pressedHeader_ = -1;
    int hotHeader_ = -1;
    int dropTarget_ = -1;
    int edge_ = -1;
    bool dragging_ = false;

    bool resizing_ = false;
    int resized_ = -1;
    int delta_ = 0;
    int leftLine_ = 0;
    int rightLine_ = 0;

    // The release that ends a resize, or a press cancelled by deactivation, sorts nothing.
    bool sortAllowed_ = true;
    bool cancelled_ = false;
};

} // namespace tolvane
