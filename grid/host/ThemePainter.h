#pragma once
// Visual-style drawing: theme parts drawn by the platform style (QStyle) onto a canvas.
//
// Classes and parts understood (states in brackets):
//  "header"   1 item, 2 item at the left end   [1 normal, 2 hot, 3 pressed]
//  "Button"   3 check box   [1/2/3 unchecked normal/hot/pressed, 5/6/7 checked normal/hot/pressed]
//  "button"   1 push button [1 normal, 2 hot, 3 pressed, 4 disabled, 5 default]
//  "toolbar"  1 tool button [1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked]
//  "combobox" 1 drop-down arrow button [1 normal, 2 hot, 3 pressed, 4 disabled]
//  "spin"     1 up arrow, 2 down arrow  [1 normal, 2 hot, 3 pressed, 4 disabled]
//  "listview" 1 frame
//  "edit"     1 frame of an edit field
// Class names compare without letter case, except that "Button" part 3 and "button" part 1 are
// told apart by their part number alone.

#include <QString>

#include "grid/host/Canvas.h"

namespace tolvane {

// True while visual styles are on (the default); callers draw the classic look otherwise.
bool ThemesEnabled();
// Switches visual styles on or off at run time.
void SetThemesEnabled(bool on);

// Draws one theme part into r of the canvas. Unknown classes or parts draw nothing.
void DrawThemedPart(TCanvas& canvas, const TRect& r, const QString& themeClass, int part, int state);

// Draws a theme part over r but only on the ring outside r inset by `width`; the pixels inside
// are left as they are (a window frame round a client area).
void DrawThemedFrame(TCanvas& canvas, const TRect& r, int width, const QString& themeClass, int part,
                     int state);

} // namespace tolvane
