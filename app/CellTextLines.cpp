#include "app/CellTextLines.h"

#include <QFontMetrics>
#include <QTextLine>
#include <algorithm>
#include <limits>

namespace tolvane {

namespace {
// Fonts seen in cells are few (the table's, a bold or italic one); a window that keeps changing
// them starts the list again rather than growing it.
constexpr size_t KeptFonts = 16;
// As wide as Qt's text layout measures: the line is never broken.
constexpr qreal Unbounded = std::numeric_limits<int>::max() / 256;
} // namespace

int TCellTextLines::FontId(const QFont& font) {
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i] == font && fonts_[i].resolveMask() == font.resolveMask()) return int(i);
    if (fonts_.size() == KeptFonts) {
        fonts_.clear();
        lines_.clear();
    }
    fonts_.push_back(font);
    return int(fonts_.size() - 1);
}

const TCellTextLines::TLine& TCellTextLines::LaidOut(TKey key, const QString& shown, const QFont& font) {
    auto* line = new TLine;
    line->Layout.setText(shown);
    line->Layout.setFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(Qt::LeftToRight);
    line->Layout.setTextOption(option);
    line->Layout.setCacheEnabled(true); // keeps the shaped glyphs for drawing
    line->Layout.beginLayout();
    QTextLine first = line->Layout.createLine();
    if (first.isValid()) {
        first.setLineWidth(Unbounded);
        first.setPosition(QPointF(0, 0));
        line->Width = first.naturalTextWidth();
        line->Height = first.height();
    }
    line->Layout.endLayout();
    // Valid until the next insert: a line costing more than all kept would be dropped at once.
    lines_.insert(std::move(key), line, std::min(shown.size() + 32, lines_.maxCost()));
    return *line;
}

const TCellTextLines::TLine& TCellTextLines::Natural(const QString& text, const QFont& font) {
    TKey key{FontId(font), -1, text}; // shares the text's data
    if (const TLine* found = lines_.object(key)) return *found;
    return LaidOut(std::move(key), text, font);
}

const TCellTextLines::TLine& TCellTextLines::Fitted(const QString& text, const QFont& font, int width) {
    const TLine& natural = Natural(text, font);
    if (natural.Width <= width) return natural;
    TKey key{FontId(font), std::max(width, 0), text};
    if (const TLine* found = lines_.object(key)) return *found;
    return LaidOut(std::move(key), QFontMetrics(font).elidedText(text, Qt::ElideRight, width), font);
}

} // namespace tolvane
