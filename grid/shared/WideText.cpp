#include "grid/shared/WideText.h"

namespace tolvane {

// Qt draws UTF-16 text on every platform it runs on.
bool UseWideTextApi = true;

QString PlatformText(const QString& text) {
    if (UseWideTextApi) return text;
    return QString::fromLocal8Bit(text.toLocal8Bit());
}

} // namespace tolvane
