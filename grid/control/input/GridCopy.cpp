#include "grid/control/input/GridCopy.h"

#include <vector>

#include "grid/control/CustomGridViewControl.h"
#include "grid/display/markup/MarkupText.h"
#include "grid/model/columns/classes/HtmlColumn.h"

namespace tolvane {

namespace {

// Tabs and line breaks inside a cell would break the tab-separated lines; they become blanks.
QString PlainCell(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}

std::vector<int> CopiedRows(TCustomGridViewControl& grid) {
    std::vector<int> rows;
    const int count = grid.GetRowCount();
    if (grid.Has(goSelectFullRow))
        for (int r = 0; r < count; ++r)
            if (grid.IsRowSelected(r)) rows.push_back(r);
    if (rows.empty() && grid.Row() >= 0 && grid.Row() < count) rows.push_back(grid.Row());
    return rows;
}

std::vector<int> CopiedColumns(TCustomGridViewControl& grid) {
    const TColumns& columns = grid.Columns();
    std::vector<int> result;
    if (!grid.Has(goSelectFullRow)) {
        if (grid.Col() >= 0 && grid.Col() < columns.Count()) result.push_back(grid.Col());
        return result;
    }
    for (int p = 0; p < columns.Count(); ++p) {
        const TCustomColumn& column = columns.ColumnByPosition(p);
        if (column.Visible()) result.push_back(column.GetIndex());
    }
    return result;
}

} // namespace

TCopiedCells CopiedSelection(TCustomGridViewControl& grid) {
    TCopiedCells copied;
    const std::vector<int> rows = CopiedRows(grid);
    const std::vector<int> cols = CopiedColumns(grid);
    if (rows.empty() || cols.empty()) return copied;

    copied.Text = QStringLiteral("");
    copied.Html = QStringLiteral("<table>");
    for (int r : rows) {
        copied.Html += QStringLiteral("<tr>");
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const TCustomColumn& column = grid.Columns()[cols[i]];
            const QString shown = column.FormatText(grid.GetCellText(cols[i], r));
            // A markup cell gives its words as text and keeps its markup as HTML.
            const bool markup = dynamic_cast<const THtmlColumn*>(&column) != nullptr;
            if (i > 0) copied.Text += u'\t';
            copied.Text += PlainCell(markup ? MarkupPlainText(shown) : shown);
            copied.Html += QStringLiteral("<td>") + (markup ? MarkupHtml(shown) : shown.toHtmlEscaped()) +
                           QStringLiteral("</td>");
        }
        copied.Text += u'\n';
        copied.Html += QStringLiteral("</tr>");
    }
    copied.Html += QStringLiteral("</table>");
    return copied;
}

} // namespace tolvane
