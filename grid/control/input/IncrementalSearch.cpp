#include "grid/control/input/IncrementalSearch.h"

namespace tolvane {

namespace {

QChar UpperLatin(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - (u'a' - u'A'))) : c;
}

} // namespace

bool TIncrementalSearch::Matches(const QString& text, const QString& prefix) {
    if (text.size() < prefix.size()) return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (UpperLatin(text[i]) != UpperLatin(prefix[i])) return false;
    return true;
}

int TIncrementalSearch::Find(int rowCount, int currentRow,
                             const std::function<QString(int row)>& rowText) const {
    if (text_.isEmpty() || rowCount <= 0) return -1;
    const int start = (currentRow >= 0 && currentRow < rowCount) ? currentRow + 1 : 0;
    for (int n = 0; n < rowCount; ++n) {
        const int row = (start + n) % rowCount;
        if (Matches(rowText(row), text_)) return row;
    }
    return -1;
}

} // namespace tolvane
