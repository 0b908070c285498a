#include "grid/host/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tolvane {

QString ClipboardText() {
    QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text() : QString();
}

QString ClipboardHtml() {
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* data = c ? c->mimeData() : nullptr;
    return data && data->hasHtml() ? data->html() : QString();
}

void SetClipboardText(const QString& text) {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(text);
}

void SetClipboardText(const QString& text, const QString& html) {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c) return;
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    c->setMimeData(data);
}

} // namespace tolvane
