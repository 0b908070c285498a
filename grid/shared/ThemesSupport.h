#pragma once
// The visual-style binding: whether the platform theme is in use, and drawing theme parts.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCanvas;

// Binds the theme engine; run once at start-up. Later calls do nothing.
void LoadThemeLibrary();
// Whether LoadThemeLibrary has bound the engine.
bool ThemeLibraryLoaded();
// True when the engine is bound and themes are switched on. A failure inside the query becomes
// EGridError "Error in Themes".
bool ThemesAvailable();
// Draws part `partId` in state `stateId` of theme class `className` ("header", "button",
// "toolbar", "combobox", "Button", ...) into rect.
void DrawThemeElement(TCanvas& canvas, const TRect& rect, int stateId, int partId, const QString& className);

} // namespace tolvane
