// In-place editing against QTableView's default editor (a QLineEdit from the item delegate) on a
// QStandardItemModel of the same size. Figures are the best of a few runs in milliseconds; the
// ratio is baseline / ours.
//  1. starting an editor: a typed key on the current cell until the editor is shown and focused;
//  2. committing it: Enter until the value is stored and the editor hidden;
// both at 1 000 and 1 000 000 rows, the cell in the middle of the rows.

#include <QApplication>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>

#include "BenchUtil.h"
#include "grid/control/GridView.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

namespace {

constexpr int Runs = 30;

void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

struct Figures {
    double start = 0;
    double commit = 0;
};

Figures TimeOurs(int rows) {
    TGridView grid;
    grid.SetBounds(0, 0, 400, 600);
    grid.SetSelectionMoveDirection(mdNone);
    auto& column = grid.Columns().Add<TTextualColumn>();
    column.SetWidth(300);
    column.SetOptions(column.Options() + coEditing);
    grid.AddRows(rows);
    for (int r = 0; r < rows; ++r) grid.SetCellText(0, r, QString("row %1").arg(r));
    grid.Widget()->show();
    QApplication::setActiveWindow(grid.Widget());
    const int row = rows / 2;
    grid.SetCurrentCell(0, row, {});
    grid.MakeRowVisible(row);
    grid.SetFocus();
    QCoreApplication::processEvents();

    Figures f;
    f.start = bench::BestOf(Runs, [&] {
        SendKey(grid.ClientWidget(), Qt::Key_X, "x");
        if (!grid.ActiveEditor() || !grid.ActiveEditor()->Focused()) std::abort();
    }, [&] {
        if (grid.ActiveEditor()) SendKey(QApplication::focusWidget(), Qt::Key_Escape, QString(QChar(27)));
    });
    int n = 0;
    f.commit = bench::BestOf(Runs, [&] {
        SendKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
        if (grid.ActiveEditor()) std::abort();
    }, [&] {
        SendKey(grid.ClientWidget(), Qt::Key_A + (n++ % 26), QString(QChar('a' + (n % 26))));
        if (!grid.ActiveEditor()) std::abort();
    });
    if (!grid.GetCellText(0, row).startsWith(QChar('a'))) std::abort();
    grid.SetParentWidget(nullptr);
    return f;
}

Figures TimeQt(int rows) {
    QStandardItemModel model(rows, 1);
    for (int r = 0; r < rows; ++r) model.setItem(r, 0, new QStandardItem(QString("row %1").arg(r)));
    QTableView view;
    view.setModel(&model);
    view.resize(400, 600);
    view.setColumnWidth(0, 300);
    view.setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    view.show();
    QApplication::setActiveWindow(&view);
    const QModelIndex index = model.index(rows / 2, 0);
    view.setCurrentIndex(index);
    view.scrollTo(index);
    view.setFocus();
    QCoreApplication::processEvents();

    const auto editing = [&] { return view.state() == QAbstractItemView::EditingState; };
    Figures f;
    f.start = bench::BestOf(Runs, [&] {
        SendKey(view.viewport(), Qt::Key_X, "x");
        if (!editing() || !QApplication::focusWidget() || QApplication::focusWidget() == view.viewport()) std::abort();
    }, [&] {
        if (editing()) SendKey(QApplication::focusWidget(), Qt::Key_Escape, QString(QChar(27)));
        QCoreApplication::processEvents(); // closed editors go here
    });
    int n = 0;
    f.commit = bench::BestOf(Runs, [&] {
        SendKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
        if (editing()) std::abort();
    }, [&] {
        QCoreApplication::processEvents();
        SendKey(view.viewport(), Qt::Key_A + (n++ % 26), QString(QChar('a' + (n % 26))));
        if (!editing()) std::abort();
    });
    if (!model.item(rows / 2, 0)->text().startsWith(QChar('a'))) std::abort();
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bench::Heading("In-place editing (ms, best of " + std::to_string(Runs) + ")", "tolvane", "QTableView");
    const Figures small = TimeOurs(1'000), large = TimeOurs(1'000'000);
    const Figures qtSmall = TimeQt(1'000), qtLarge = TimeQt(1'000'000);
    bench::Row("start editor, 1 000 rows", small.start, qtSmall.start);
    bench::Row("start editor, 1 000 000 rows", large.start, qtLarge.start);
    bench::Row("commit edit, 1 000 rows", small.commit, qtSmall.commit);
    bench::Row("commit edit, 1 000 000 rows", large.commit, qtLarge.commit);
    std::printf("  growth 1 000 -> 1 000 000 rows: start %.2fx, commit %.2fx (goal within 1.2x)\n",
                large.start / small.start, large.commit / small.commit);
    return 0;
}
