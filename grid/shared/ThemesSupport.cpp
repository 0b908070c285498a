#include "grid/shared/ThemesSupport.h"

#include <exception>

#include "grid/host/ThemePainter.h"
#include "grid/base/Errors.h"

namespace tolvane {

namespace {
// The binding is never undone once made.
bool loaded = false;
} // namespace

void LoadThemeLibrary() {
    loaded = true;
}

bool ThemeLibraryLoaded() {
    return loaded;
}

bool ThemesAvailable() {
    if (!loaded) return false;
    try {
        return ThemesEnabled();
    } catch (const std::exception&) {
        throw EGridError(std::string("Error in Themes"));
    }
}

void DrawThemeElement(TCanvas& canvas, const TRect& rect, int stateId, int partId, const QString& className) {
    DrawThemedPart(canvas, rect, className, partId, stateId);
}

} // namespace tolvane
