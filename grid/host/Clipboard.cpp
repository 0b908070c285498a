#include "grid/host/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tolvane {

QString ClipboardText() {
    QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text() : QString();
}

void SetClipboardText(const QString& text) {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(text);
}

} // namespace tolvane
