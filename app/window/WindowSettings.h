#pragma once
// The user's settings of the viewer (window place, recent catalogues): one store, whatever the
// application's own names are.

#include <QSettings>
#include <memory>

namespace tolvane {

class TWindowSettings {
public:
    static std::unique_ptr<QSettings> Open();
};

} // namespace tolvane
