#pragma once
// The base of editors that draw themselves instead of hosting a text field (the check box).

#include "grid/editors/base/CellEditor.h"

namespace tolvane {

class TCanvasCellEditor : public TCellEditor {
public:
    bool UsesWindowPainting() const override { return false; }
    // The canvas PaintEditor draws on while the window paints.
    TCanvas& EditorCanvas() { return Canvas(); }
};

} // namespace tolvane
