#include "app/ErrorReporter.h"

#include <cstdio>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace tolvane {

namespace {

bool OnADesktop() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void ShowMessage(const QString& message) {
    if (!OnADesktop()) {
        std::fprintf(stderr, "Tolvane: %s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
        return;
    }
    // The box takes the focus from the window, and a grid commits its edit when the focus
    // leaves it: the same failure again while the box is up is the same message, shown once.
    static QString showing;
    if (!showing.isNull() && showing == message) return;
    const QString outer = showing;
    showing = message;
    QMessageBox::critical(QApplication::activeWindow(), "Tolvane", message);
    showing = outer;
}

} // namespace

void TErrorReporter::Install() {
    SetExceptionSink(ShowMessage);
}

} // namespace tolvane
