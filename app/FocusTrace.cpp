#include "app/FocusTrace.h"

#include <QApplication>
#include <QFile>
#include <QWidget>
#include <memory>

namespace tolvane {

void TFocusTrace::FollowIfAsked() {
    const QString path = qEnvironmentVariable("TOLVANE_FOCUS_TRACE");
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (path.isEmpty() || !app) return;
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
    QObject::connect(app, &QApplication::focusChanged, app, [file](QWidget*, QWidget* now) {
        QWidget* w = now;
        while (w && w->objectName().isEmpty()) w = w->parentWidget();
        file->write((w ? w->objectName() : QStringLiteral("-")).toUtf8() + '\n');
        file->flush();
    });
}

} // namespace tolvane
