#include "app/ErrorReporter.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace tolvane {

namespace {

TErrorReporter::TSink& Sink() {
    static TErrorReporter::TSink sink;
    return sink;
}

void ShowMessageBox(const QString& message) {
    QWidget* parent = QApplication::activeWindow();
    QMessageBox::critical(parent, "Tolvane", message);
}

} // namespace

void TErrorReporter::Report(const QString& message) {
    if (Sink())
        Sink()(message);
    else
        ShowMessageBox(message);
}

TErrorReporter::TSink TErrorReporter::SetSink(TSink sink) {
    TSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

bool TErrorReporter::Guard(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
    } catch (...) {
        Report("Unknown error");
    }
    return false;
}

} // namespace tolvane
