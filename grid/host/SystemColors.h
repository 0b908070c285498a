#pragma once
// The system-colour table: system-colour references are resolved through it whenever a colour is
// drawn or mixed.

#include "grid/base/Types.h"

namespace tolvane {

// A system reference resolved through the table; an RGB value passes through; clNone stays clNone.
TColor ColorToRGB(TColor c);

// Fills the table with the fixed classic palette (tests use it so that pixels are stable).
// This is also the table's content until something else is installed.
void UseClassicSystemColors();

// Fills the table from the application's palette (QApplication::palette()).
void UseApplicationPalette();

// Replaces one entry; an index outside the table is ignored.
void SetSystemColor(int index, TColor rgb);

} // namespace tolvane
