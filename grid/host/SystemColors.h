#pragma once
// The system-colour table: system-colour references are resolved through it whenever a colour is
// drawn or mixed.
//
// By default the table follows the application's palette: it is filled from the palette on first
// use and again whenever the palette has changed (every control repaints on such a change). Tests
// install the fixed classic table so that pixels do not depend on the machine. One per process,
// like the other tables in docs/registries.md.

#include "grid/base/Types.h"

namespace tolvane {

// A system reference resolved through the table; an RGB value passes through; clNone stays clNone.
TColor ColorToRGB(TColor c);

// Fills the table with the fixed classic palette and stops following the application's palette.
void UseClassicSystemColors();

// Fills the table from the application's palette and follows it from now on (the default).
void UseApplicationPalette();

// Whether the table follows the application's palette.
bool FollowsApplicationPalette();

// Replaces one entry (until the palette changes, when the table follows it); an index outside
// the table is ignored.
void SetSystemColor(int index, TColor rgb);

} // namespace tolvane
