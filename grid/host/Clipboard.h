#pragma once
// The clipboard: plain text, and text with an HTML rendering beside it.

#include <QString>

namespace tolvane {

QString ClipboardText();
// The HTML rendering on the clipboard; empty when there is none.
QString ClipboardHtml();
void SetClipboardText(const QString& text);
void SetClipboardText(const QString& text, const QString& html);

} // namespace tolvane
