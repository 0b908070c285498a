#include "app/Application.h"

#include <exception>

#include "app/ErrorReporter.h"

namespace tolvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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

} // namespace tolvane
