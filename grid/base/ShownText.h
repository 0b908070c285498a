#pragma once
// A text of any length is painted and measured only as far as it can be seen: a cell is at most a
// few thousand characters wide on any screen, so a longer text is cut to that bound before it is
// laid out, and a 50 MB name costs what a short one does.

#include <QString>

namespace tolvane {

// The characters of one line that can be seen at most; a wrapped text shows some lines of them.
constexpr qsizetype MaxShownLineChars = 4096;
constexpr qsizetype MaxShownWrappedChars = 16 * MaxShownLineChars;

// Which part of a cut text stays: the start (left-aligned or elided text), the middle (centred)
// or the end (right-aligned text, whose end is what shows).
enum TShownPart { spStart, spMiddle, spEnd };

// `text` itself when it has at most `limit` characters; else `limit` of them from the part
// named, never splitting a surrogate pair.
QString ShownText(const QString& text, TShownPart part = spStart, qsizetype limit = MaxShownLineChars);

} // namespace tolvane
