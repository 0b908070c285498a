#include "grid/scroll/RollShadow.h"

namespace tolvane {

TRollShadow::TRollShadow() {
    SetColor(clGrayText);
    SetBounds(0, 0, 32, 32);
}

TWindowShape TRollShadow::MarkerShape() {
    TWindowShape shape;
    shape.AddPolygon({{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}});
    shape.AddPolygon({{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}});
    shape.AddEllipse(TRect{5, 9, 10, 14});
    return shape;
}

void TRollShadow::UpdateShape() {
    SetShape(MarkerShape());
}

void TRollShadow::Place(int screenX, int screenY) {
    SetBounds(screenX - 7, screenY - 11, 32, 32);
    UpdateShape();
    Show();
}

void TRollShadow::Paint() {
    Canvas().Brush.Color = clGrayText;
    Canvas().Brush.Style = bsSolid;
    Canvas().FillRect(ClientRect());
}

} // namespace tolvane
