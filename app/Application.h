#pragma once
// The application object: an exception that escapes an event handler is shown to the user and
// the program carries on.

#include <QApplication>

#include "app/CatalogStore.h"

namespace tolvane {

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the program's window (its menus around the catalogue window) on `path` (read-only if asked) as the main window until it is
    // closed or the session ends (a termination signal or the session manager's request); a
    // pending edit is stored either way. Works under any QApplication.
    static int RunCatalogWindow(const QString& path, TOpenMode mode = TOpenMode::omReadWrite);
};

} // namespace tolvane
