#pragma once
// The viewer's reporter of failures, installed as the program's one error sink (the grid
// library's, grid/host/ExceptionSink.h): a message box over the active window on a desktop, a
// line on standard error where there is no display. Report, SetSink and Guard are the viewer's
// names for that one sink; tests and the command line install their own sink through either.

#include <functional>

#include <QString>

#include "grid/host/ExceptionSink.h"

namespace tolvane {

class TErrorReporter {
public:
    using TSink = TExceptionSink;

    // Makes the viewer's reporter the program's sink.
    static void Install();
    // The viewer's box: modal over the active window, a message shown once while its box is up.
    static void ShowBox(const QString& message);
    static void Report(const QString& message) { ReportException(message); }
    // Installs a sink and returns the one it replaces; an empty sink restores the default.
    static TSink SetSink(TSink sink) { return SetExceptionSink(std::move(sink)); }
    // Runs an action and reports any exception it throws instead of letting it escape into the
    // event loop. Returns whether the action completed.
    static bool Guard(const std::function<void()>& action) { return GuardedCall(action); }
};

} // namespace tolvane
