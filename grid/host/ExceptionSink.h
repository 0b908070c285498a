#pragma once
// The program's one error sink, and the guard at every entry from Qt into the library.
//
// An exception must never unwind through Qt's frames (Qt does not support it: the program ends
// or its state breaks). So every place where Qt calls the library (event handlers of the
// library's widgets, slots, timer callbacks, event filters) runs its work in GuardedCall, which
// hands any exception's text to the sink; the program carries on. When nothing is installed the
// sink shows a message box that does not block on a desktop, and writes a line to standard error
// where there is no display (a command, a headless platform). An application installs its own
// reporter here, and a test a sink that collects the messages. docs/registries.md lists this
// and the library's other process-wide tables.

#include <functional>
#include <utility>

#include <QString>

namespace tolvane {

using TExceptionSink = std::function<void(const QString& message)>;

// Whether messages can be shown in boxes: a widget application on a platform with a screen a
// person looks at (not "offscreen" or "minimal").
bool OnADesktop();
// Installs a sink and returns the one it replaces; an empty sink restores the default.
TExceptionSink SetExceptionSink(TExceptionSink sink);
// Hands a message to the sink. Never throws: a sink that fails writes to standard error instead.
void ReportException(const QString& message) noexcept;
// Reports the exception being handled; only inside a catch block.
void ReportCurrentException() noexcept;

// Runs `action`; an exception it throws goes to the sink. Answers whether it ran to its end.
template <class F>
bool GuardedCall(F&& action) noexcept {
    try {
        std::forward<F>(action)();
        return true;
    } catch (...) {
        ReportCurrentException();
    }
    return false;
}

} // namespace tolvane
