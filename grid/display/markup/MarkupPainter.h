#pragma once
// Draws markup text run by run from a starting point, changing the canvas font at the tags:
// "b", "i", "u" and the link look "a" by nesting count, "br" as a line break, "font" by its
// "color", "name" and "size" attributes. There is no layout pass: runs go left to right from
// the start, a line break returns to the start's x one line height lower, and nothing wraps.
// The text is laid out first (measured with the canvas's fonts), then its runs are drawn; a
// cache given to Paint keeps the layouts for the next paint of the same text.

#include <QStringView>

#include "grid/base/Types.h"
#include "grid/display/markup/MarkupLayout.h"
#include "grid/display/markup/MarkupNesting.h"
#include "grid/display/markup/MarkupTokenizer.h"

namespace tolvane {

class TCanvas;
class TMarkupLayoutCache;

class TMarkupPainter {
public:
    TMarkupPainter(TCanvas& canvas, TPoint origin) : canvas_(canvas), origin_(origin) {}

    // When set (not clNone), every colour the markup asks for is drawn in this one instead:
    // the current cell keeps its highlighted text colour.
    TColor ColorOverride = clNone;

    // Draws the text on a clear brush. The canvas font and brush style are as before afterwards.
    void Paint(const QString& text, TMarkupLayoutCache* cache = nullptr);

private:
    void LayOut(const QString& text);
    void AddRun(QStringView run);
    void ApplyTag(const TMarkupToken& tag);
    void ApplyFontAttribute(TMarkupAttribute attribute, QStringView value);
    void SetStyle(TFontStyle style, bool on);
    void SetMarkupColor(TColor color);
    void LineBreak();

    TCanvas& canvas_;
    const TPoint origin_;
    TColor plainColor_ = clWindowText; // the colour the text started in; a link returns to it
    TMarkupLayout layout_; // the one being laid out, from (0, 0)
    int x_ = 0;
    int y_ = 0;
    int lineHeight_ = 0;
    // From zero for every text: an unclosed tag in one cell does not reach the next.
    TMarkupNesting nesting_;
};

} // namespace tolvane
