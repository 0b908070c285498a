#include "grid/control/flyouts/DragArrow.h"

namespace tolvane {

TDragArrow::TDragArrow() {
    SetColor(clRed);
    SetBounds(0, 0, Size, Size);
}

std::vector<TPoint> TDragArrow::Outline(TDragArrowDirection direction) {
    switch (direction) {
    case adUp:
        return {{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}};
    case adDown:
        return {{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}};
    default:
        return {};
    }
}

void TDragArrow::SetDirection(TDragArrowDirection value) {
    direction_ = value;
    UpdateShape();
}

void TDragArrow::UpdateShape() {
    TWindowShape shape;
    if (direction_ != adNone) shape.AddPolygon(Outline(direction_));
    SetShape(shape);
}

void TDragArrow::Paint() {
    Canvas().Brush.Color = clRed;
    Canvas().Brush.Style = bsSolid;
    Canvas().FillRect(ClientRect());
}

} // namespace tolvane
