#pragma once
// Where an exception raised inside a control's event handling goes. It must not unwind through
// Qt's event loop (that ends the program), so the control's widget catches it and hands its text
// here: by default a message box that does not block, as an application shows an uncaught
// error and carries on. An application (or a test) may install its own sink.

#include <functional>

#include <QString>

namespace tolvane {

using TExceptionSink = std::function<void(const QString& message)>;

// Installs a sink and returns the one it replaces; an empty sink restores the message box.
TExceptionSink SetExceptionSink(TExceptionSink sink);
void ReportException(const QString& message);

} // namespace tolvane
