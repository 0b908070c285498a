#pragma once
// The clipboard's text format.

#include <QString>

namespace tolvane {

QString ClipboardText();
void SetClipboardText(const QString& text);

} // namespace tolvane
