#pragma once
// The marker shown where a middle-button roll started: an up arrow, a down arrow and a dot.

#include "grid/host/FlyoutControl.h"

namespace tolvane {

class TRollShadow : public TFlyoutControl {
public:
    TRollShadow(); // 32 x 32, hidden

    // Shows the marker for a roll that started at a screen point.
    void Place(int screenX, int screenY);
    void UpdateShape() override;
    void Paint() override;

    // The marker's shape relative to its top-left corner.
    static TWindowShape MarkerShape();
};

} // namespace tolvane
