#pragma once
// Whether text is drawn with the platform's wide (UTF-16) text calls. Decided once at start-up;
// when it is off, text is converted to the system code page before it is drawn.

#include <QString>

namespace tolvane {

extern bool UseWideTextApi;

// The text as the platform's text calls receive it: unchanged with the wide calls, otherwise
// passed through the system code page (characters it cannot hold are lost, as on such systems).
QString PlatformText(const QString& text);

} // namespace tolvane
