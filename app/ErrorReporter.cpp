#include "app/ErrorReporter.h"

#include <cstdio>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace tolvane {

void TErrorReporter::ShowBox(const QString& message) {
    // The box takes the focus from the window, and a grid commits its edit when the focus
    // leaves it: the same failure again while the box is up is the same message, shown once.
    static QString showing;
    if (!showing.isNull() && showing == message) return;
    const QString outer = showing;
    showing = message;
    QMessageBox::critical(QApplication::activeWindow(), "Tolvane", message);
    showing = outer;
}

void TErrorReporter::Install() {
    SetExceptionSink([](const QString& message) {
        if (OnADesktop()) {
            ShowBox(message);
            return;
        }
        std::fprintf(stderr, "Tolvane: %s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
    });
}

} // namespace tolvane
