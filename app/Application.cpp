#include "app/Application.h"

#include <exception>

#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/FocusTrace.h"
#include "app/TerminationSignals.h"

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
            if (auto* form = dynamic_cast<TCatalogForm*>(w)) form->SetUnattended();
        TTerminationSignals::CloseAllAndQuit();
    });
    TCatalogForm form(path, mode);
    // A signal during the start (an error box open) ends the program before the window shows.
    if (ending) return 0;
    form.show();
    return QApplication::exec();
}

} // namespace tolvane
