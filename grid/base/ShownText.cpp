#include "grid/base/ShownText.h"

namespace tolvane {

QString ShownText(const QString& text, TShownPart part, qsizetype limit) {
    if (limit < 0 || text.size() <= limit) return text;
    qsizetype from = 0;
    if (part == spEnd)
        from = text.size() - limit;
    else if (part == spMiddle)
        from = (text.size() - limit) / 2;
    qsizetype to = from + limit;
    // A pair cut in two would show as a broken character: the cut moves inwards.
    if (from > 0 && text[from].isLowSurrogate()) ++from;
    if (to < text.size() && text[to].isLowSurrogate()) --to;
    return text.mid(from, to - from);
}

} // namespace tolvane
