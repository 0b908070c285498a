#pragma once
// One of the two red arrows that mark where a dragged column would be dropped: the one above the
// header points down, the one below it points up.

#include <vector>

#include "grid/host/FlyoutControl.h"

namespace tolvane {

enum TDragArrowDirection : int { adNone = 0, adUp = 1, adDown = 2 };

class TDragArrow : public TFlyoutControl {
public:
    static constexpr int Size = 9;

    TDragArrow(); // 9 x 9, red, hidden, no direction yet

    TDragArrowDirection Direction() const { return direction_; }
    // Rebuilds the shape for the new direction.
    void SetDirection(TDragArrowDirection value);

    void UpdateShape() override;
    void Paint() override;

    // The eight outline points of an arrow pointing that way (none for adNone).
    static std::vector<TPoint> Outline(TDragArrowDirection direction);

private:
    TDragArrowDirection direction_ = adNone;
};

} // namespace tolvane
