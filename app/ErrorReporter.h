#pragma once
// Where the viewer's failures go: a message box by default; tests and the command line install
// their own sink.

#include <QString>
#include <functional>

namespace tolvane {

class TErrorReporter {
public:
    using TSink = std::function<void(const QString&)>;

    static void Report(const QString& message);
    // Installs a sink and returns the one it replaces; an empty sink restores the message box.
    static TSink SetSink(TSink sink);

    // Runs an action and reports any exception it throws instead of letting it escape into the
    // event loop. Returns whether the action completed.
    static bool Guard(const std::function<void()>& action);
};

} // namespace tolvane
