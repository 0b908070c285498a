#pragma once
// Markup text laid out from a starting font as TMarkupPainter draws it: the runs that show, each
// with its font and its place from the starting point. A layout holds for the same text, starting
// font, colour override and width to the right edge; it reaches down as far as it was asked to,
// or to the text's end.

#include <QString>
#include <vector>

#include "grid/base/Font.h"

namespace tolvane {

struct TMarkupRun {
    TFont Font;
    QString Text;
    int X = 0;
    int Y = 0;
};

struct TMarkupLayout {
    QString Text;
    TFont StartFont;
    TColor ColorOverride = clNone;
    int Width = 0;    // from the starting point to the right edge of the clip
    int Depth = 0;    // from the starting point to the bottom of the clip it was laid out for
    bool Whole = false; // the text's end was reached: it holds for any depth
    std::vector<TMarkupRun> Runs;

    bool Fits(const TFont& start, TColor colorOverride, int width, int depth) const {
        return StartFont == start && ColorOverride == colorOverride && Width == width &&
               (Whole || Depth >= depth);
    }
};

} // namespace tolvane
