#pragma once
// The layout settings of a grid and the live quantities its geometry reads.

#include "grid/control/GridTypes.h"

namespace tolvane {

// Published layout settings; the grid's setters change them and request the repaint.
struct TGridSettings {
    TGridOptions Options{goHeader};
    TGridStyle GridStyle = gsReport;
    TGridLinesStyle GridLinesStyle = lsNormal;
    int HeaderSize = 18;
    int InputSize = 16;
    int RowSize = 16;
    int SlideSize = 80;
};

// The viewport values a walk over the rows depends on.
struct TViewportWalk {
    int VertPosition = 0, RowCount = 0, ClientHeight = 0;
    bool HeightsVary = false;
};

// What changes while the grid runs: its client size, scroll positions and rows.
class TGridViewport {
public:
    virtual ~TGridViewport() = default;
    virtual int ViewportWidth() const = 0;
    virtual int ViewportHeight() const = 0;
    // Horizontal position in pixels; vertical position is the first row (or slide) shown.
    virtual int ViewportHorzPosition() const = 0;
    virtual int ViewportVertPosition() const = 0;
    virtual int ViewportRowCount() const = 0;
    // Height of a row that exists (0 <= row < row count).
    virtual int ViewportRowHeight(int row) const = 0;
    // True while row heights may change without notice (a measuring handler answers them), so
    // that no walk over the rows can be remembered.
    virtual bool ViewportRowHeightsVary() const { return false; }
    // The answers of the four queries above in one call: every cell written asks for them.
    virtual TViewportWalk ViewportWalk() const {
        return {ViewportVertPosition(), ViewportRowCount(), ViewportHeight(), ViewportRowHeightsVary()};
    }
};

} // namespace tolvane
