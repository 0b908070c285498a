#include "grid/host/ExceptionSink.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvane {

namespace {
TExceptionSink& Sink() {
    static TExceptionSink sink;
    return sink;
}
} // namespace

TExceptionSink SetExceptionSink(TExceptionSink sink) {
    TExceptionSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

void ReportException(const QString& message) {
    if (Sink()) {
        Sink()(message);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

} // namespace tolvane
