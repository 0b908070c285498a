#pragma once
// The screen cursors the editors use.

#include "grid/host/Screen.h"

namespace tolvane {

// A reversed arrow, shown by the text editors over their left edge.
constexpr TCursor crReversedArrow = 100;

// Registers the editors' cursors in the screen's table; registering again changes nothing.
void RegisterEditorCursors();

} // namespace tolvane
