#pragma once
// Sizes the platform's own controls use.

namespace tolvane {

// The width of a vertical scroll bar, in pixels.
int VerticalScrollBarWidth();

} // namespace tolvane
