#pragma once
// One-line cell texts laid out once and kept, so that painting and measuring the same texts again
// (another paint, the columns fitted to their contents, the same rows shown again) lays nothing
// out. The lines are laid out as Qt's item views lay out a cell's text, so they draw the same.

#include <QCache>
#include <QFont>
#include <QString>
#include <QTextLayout>
#include <vector>

namespace tolvane {

class TCellTextLines {
public:
    struct TLine {
        QTextLayout Layout;
        qreal Width = 0;  // the text's natural width
        qreal Height = 0; // the line's ascent and descent
    };

    // keptChars: about how many characters of laid-out text are kept (a line's glyphs cost some
    // tens of bytes each); the least recently used lines go first.
    explicit TCellTextLines(qsizetype keptChars = 64 * 1024) : lines_(keptChars) {}

    // `text` on one line in `font`; valid until the next call.
    const TLine& Natural(const QString& text, const QFont& font);
    // What a cell `width` pixels wide shows of `text`: the line itself when it fits, else the
    // text elided at its end to the width; valid until the next call.
    const TLine& Fitted(const QString& text, const QFont& font, int width);

private:
    struct TKey {
        int Font = 0;
        int Width = -1; // -1 for the natural line
        QString Text;
        friend bool operator==(const TKey&, const TKey&) = default;
        friend size_t qHash(const TKey& k, size_t seed) {
            return qHash(k.Text, seed ^ (size_t(k.Font) * 0x9E3779B1u + size_t(k.Width + 1)));
        }
    };
    int FontId(const QFont& font);
    const TLine& LaidOut(TKey key, const QString& shown, const QFont& font);

    QCache<TKey, TLine> lines_;
    std::vector<QFont> fonts_; // a font's id is its place here
};

} // namespace tolvane
