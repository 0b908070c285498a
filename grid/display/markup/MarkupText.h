#pragma once
// Markup cell text for other programs: the words without the tags, and the same as well-formed
// HTML (what the clipboard offers when a markup cell is copied).

#include <QString>
#include <QStringView>

namespace tolvane {

// The runs of plain text; a line break becomes a line feed.
QString MarkupPlainText(QStringView markup);

// Bold, italic, underline, links, line breaks and fonts as HTML elements; runs escaped, other
// tags dropped, an end tag closes only an element that is open, every element is closed at the
// end. Links keep only web, mail and in-page targets.
QString MarkupHtml(QStringView markup);

} // namespace tolvane
