// Getting started: a grid with three column classes, editing in place and a footer that sums a
// column. docs/getting-started.md shows the lines between the two "[grid]" markers.
//
//   getting-started              opens the window
//   getting-started --self-test  shows the grid, types "12" Enter into the last row's episodes
//                                and exits 0 when the cell and the footer total took the edit
#include <cstdio>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>

#include "grid/control/GridView.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

namespace {
int SelfTest(TGridView& grid);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // [grid]
    TGridView grid;
    grid.SetOptions({goHeader, goFooter, goGrid, goIndicator});

    auto& title = grid.Columns().Add<TTextualColumn>(); // column 0
    title.Header().SetCaption("Title");
    title.SetWidth(160);
    title.SetOptions(title.Options() + coEditing); // type to edit, Enter commits

    auto& episodes = grid.Columns().Add<TNumericColumn>(); // column 1
    episodes.Header().SetCaption("Episodes");
    episodes.SetOptions(episodes.Options() + coEditing);
    episodes.Footer().SetFormulaKind(fkSum); // the footer shows the column's total

    auto& seen = grid.Columns().Add<TCheckBoxColumn>(); // column 2
    seen.Header().SetCaption("Seen");
    seen.SetOptions(seen.Options() + coEditing); // a click or the space bar toggles it

    const struct { const char* title; int episodes; bool seen; } series[] = {
        {"Mushishi", 26, true}, {"Planetes", 26, false}, {"Aria", 13, true}};
    grid.AddRows(3);
    for (int row = 0; row < 3; ++row) {
        grid.SetCellText(0, row, series[row].title);
        grid.GetCell(1, row)->SetAsInteger(series[row].episodes);
        grid.GetCell(2, row)->SetAsBoolean(series[row].seen);
    }
    grid.CalculateFooters();
    grid.OnAfterEdit = [&grid](TCustomGridViewControl*, int, int, const QString&) { grid.CalculateFooters(); };

    grid.SetBounds(0, 0, 360, 160);
    grid.Widget()->show(); // a window of its own; or put Widget() into a layout
    // [grid]
    if (app.arguments().contains("--self-test")) return SelfTest(grid);
    return app.exec();
}

namespace {

// A key press and release with its text, sent to the window in the grid that has the focus:
// the grid itself, or the editor it opened.
void Press(TGridView& grid, Qt::Key key, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (!target || !grid.Widget()->isAncestorOf(target)) target = grid.ClientWidget();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

int Fail(const char* what) {
    std::fprintf(stderr, "getting-started: %s\n", what);
    return 1;
}

int SelfTest(TGridView& grid) {
    QApplication::setActiveWindow(grid.Widget()->window());
    grid.SetFocus();
    QCoreApplication::processEvents();
    if (!grid.Widget()->isVisible() || grid.Widget()->grab().isNull()) return Fail("the grid is not shown");
    if (grid.Columns()[1].Footer().Caption() != "65") return Fail("the footer does not show the total 65");

    grid.SetCurrentCell(1, 2, {});
    Press(grid, Qt::Key_1, "1");
    if (!grid.ActiveEditor()) return Fail("typing did not open an editor");
    Press(grid, Qt::Key_2, "2");
    Press(grid, Qt::Key_Return, "\r");
    if (grid.ActiveEditor()) return Fail("Enter did not close the editor");
    if (grid.GetCellText(1, 2) != "12") return Fail("the edit did not reach the cell");
    if (grid.Columns()[1].Footer().Caption() != "64") return Fail("the footer did not follow the edit");
    std::printf("shown; edited episodes of row 3 to %s, total %s\n", qPrintable(grid.GetCellText(1, 2)),
                qPrintable(grid.Columns()[1].Footer().Caption()));
    return 0;
}

} // namespace
