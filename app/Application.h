#pragma once
// The application object: an exception that escapes an event handler is shown to the user and
// the program carries on.

#include <QApplication>

namespace tolvane {

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tolvane
