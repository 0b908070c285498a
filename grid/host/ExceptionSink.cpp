#include "grid/host/ExceptionSink.h"

#include <cstdio>
#include <exception>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>

namespace tolvane {

namespace {

TExceptionSink& Sink() {
    static TExceptionSink sink;
    return sink;
}

void WriteLine(const QString& message) noexcept {
    const QString name = QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
    const QByteArray line = (name.isEmpty() ? message : name + ": " + message).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

void DefaultSink(const QString& message) {
    if (!OnADesktop()) {
        WriteLine(message);
        return;
    }
    // The box takes the focus, and a grid commits its edit when the focus leaves it: the same
    // failure again while its box is up is the same message, shown once.
    static QList<QPointer<QMessageBox>> open;
    open.removeAll(nullptr);
    for (const QPointer<QMessageBox>& shown : open)
        if (shown->isVisible() && shown->text() == message) return;
    auto* box =
        new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    open.append(box);
    box->show();
}

} // namespace

bool OnADesktop() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

TExceptionSink SetExceptionSink(TExceptionSink sink) {
    TExceptionSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

void ReportException(const QString& message) noexcept {
    try {
        if (Sink())
            Sink()(message);
        else
            DefaultSink(message);
    } catch (...) {
        WriteLine(message);
    }
}

void ReportCurrentException() noexcept {
    QString message;
    try {
        throw;
    } catch (const std::exception& error) {
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    ReportException(message);
}

} // namespace tolvane
