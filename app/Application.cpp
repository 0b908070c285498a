#include "app/Application.h"

#include <exception>

#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/FocusTrace.h"
#include "app/TerminationSignals.h"
#include "app/window/MainWindow.h"
#include "grid/host/ExceptionSink.h"

namespace tolvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The viewer's reporter is the program's one error sink, the grid's included.
    TErrorReporter::Install();
    TFocusTrace::FollowIfAsked();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        TErrorReporter::Report(QString::fromUtf8(e.what()));
    } catch (...) {
        TErrorReporter::Report("Unknown error");
    }
    return false;
}

int TApplication::RunCatalogWindow(const QString& path, TOpenMode mode) {
    bool ending = false;
    TTerminationSignals watch([&ending] {
        ending = true;
        // No one is asked from now on: every window stores what it can and keeps the rest.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (TCatalogForm* form = TMainWindow::FormOf(w)) form->SetUnattended();
        TTerminationSignals::CloseAllAndQuit();
    });
    TMainWindow window;
    window.OpenCatalog(path, mode);
    // A signal during the start (an error box open) ends the program before the window shows.
    if (ending) return 0;
    window.show();
    return QApplication::exec();
}

} // namespace tolvane
