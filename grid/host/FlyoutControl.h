#pragma once
// Flyout windows: small frameless top-level popups (drag feedback, roll marker) that stay on
// top, stay out of the task bar, never take the focus, let the pointer through to what lies
// below them and may be shaped by a region.

#include <vector>

#include "grid/host/CustomControl.h"

class QRegion;

namespace tolvane {

// A window shape: the union of polygons (winding fill) and ellipses, in window coordinates.
// Like the classic regions, a shape excludes the right and bottom edges of what it describes.
class TWindowShape {
public:
    void AddPolygon(const std::vector<TPoint>& points);
    void AddEllipse(const TRect& box);
    bool Empty() const;
    bool Contains(TPoint p) const;
    QRegion Region() const;

private:
    struct Part {
        bool ellipse = false;
        std::vector<TPoint> points;
        TRect box;
    };
    std::vector<Part> parts_;
};

class TFlyoutControl : public TCustomControl {
public:
    TFlyoutControl();
    ~TFlyoutControl() override;

    // Rebuilds the window shape; empty here (an unshaped window).
    virtual void UpdateShape();

    // Shapes the window by `shape`; an empty shape removes the shaping.
    void SetShape(const TWindowShape& shape);
    const TWindowShape& Shape() const;
    // Moves the window (screen coordinates) and shows it without activating anything.
    void ShowAt(int screenLeft, int screenTop);

private:
    TWindowShape shape_;
};

} // namespace tolvane
