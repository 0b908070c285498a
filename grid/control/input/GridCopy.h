#pragma once
// What Ctrl+C copies from a grid: the selected rows in full-row mode (the current row when none is
// selected), otherwise the current cell; the visible columns in display order, each cell as its
// column displays it. Tab-separated text, one line per row, and the same as an HTML table for
// applications that take rich text; a markup cell gives its words without tags to the text and
// its markup to the table.

#include <QString>

namespace tolvane {

class TCustomGridViewControl;

struct TCopiedCells {
    QString Text;
    QString Html;
    bool Empty() const { return Text.isNull(); }
};

TCopiedCells CopiedSelection(TCustomGridViewControl& grid);

} // namespace tolvane
