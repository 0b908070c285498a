#include "app/window/WindowSettings.h"

namespace tolvane {

std::unique_ptr<QSettings> TWindowSettings::Open() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Tolvane", "tolvane");
}

} // namespace tolvane
