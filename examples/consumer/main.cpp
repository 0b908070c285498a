// A grid of two columns, filled, sorted and painted: built against the installed package only.
// Prints the first row after sorting and exits 0 when the grid answered as expected.
#include <QApplication>
#include <cstdio>

#include "grid/control/GridView.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TGridView grid;
    grid.Columns().Add<TNumericColumn>();
    grid.Columns().Add<TTextualColumn>();
    const char* names[] = {"Mushishi", "Kaiba", "Aria"};
    grid.AddRows(3);
    for (int row = 0; row < 3; ++row) {
        grid.SetCellText(0, row, QString::number(row + 1));
        grid.SetCellText(1, row, QString::fromLatin1(names[row]));
    }
    grid.SortColumn(grid.Columns()[1], true);
    const QString first = grid.GetCellText(1, 0);
    std::printf("%d rows, first after sorting: %s\n", grid.GetRowCount(), first.toUtf8().constData());
    return grid.GetRowCount() == 3 && first == "Aria" ? 0 : 1;
}
