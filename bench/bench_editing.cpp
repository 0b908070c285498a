// In-place editing against QTableView's default editor (a QLineEdit from the item delegate) on a
// QStandardItemModel of the same size. Figures are the best of a few runs in milliseconds; the
// ratio is baseline / ours.
//  1. starting an editor: a typed key on the current cell until the editor is shown, focused and
//     painted (the pending events processed);
//  2. committing it: Enter until the value is stored, the editor hidden and the cell repainted;
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

constexpr int Runs = 100;

// A key press and release, then what the event loop has pending: repaints, and the item
// delegate's commit, which it posts as a queued call.
void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : target, &release);
    QCoreApplication::processEvents();
}

struct Figures {
    double start = 0;
    double commit = 0;
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "bench_editing: %s\n", what);
    std::abort();
}

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
    f.start = bench::BestOf(
        Runs,
        [&] {
            SendKey(grid.ClientWidget(), Qt::Key_X, "x");
            if (!grid.ActiveEditor() || !grid.ActiveEditor()->Focused())
                Fail("no focused editor after a key");
        },
        [&] {
            if (grid.ActiveEditor()) SendKey(QApplication::focusWidget(), Qt::Key_Escape, QString(QChar(27)));
        });
    int n = 0;
    f.commit = bench::BestOf(
        Runs,
        [&] {
            SendKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
            if (grid.ActiveEditor()) Fail("the editor stayed after Enter");
        },
        [&] {
            const int letter = n++ % 26;
            SendKey(grid.ClientWidget(), Qt::Key_A + letter, QString(QChar('a' + letter)));
            if (!grid.ActiveEditor()) Fail("no editor after a key");
        });
    if (grid.GetCellText(0, row).size() != 1) Fail("the edit was not stored");
    grid.SetParentWidget(nullptr);
    return f;
}

// Exposes whether an editor is open.
class TableView : public QTableView {
public:
    bool Editing() const { return state() == EditingState; }
};

Figures TimeQt(int rows) {
    QStandardItemModel model(rows, 1);
    for (int r = 0; r < rows; ++r) model.setItem(r, 0, new QStandardItem(QString("row %1").arg(r)));
    TableView view;
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

    const auto editing = [&] { return view.Editing(); };
    Figures f;
    f.start = bench::BestOf(
        Runs,
        [&] {
            SendKey(view.viewport(), Qt::Key_X, "x");
            if (!editing() || !QApplication::focusWidget() || QApplication::focusWidget() == view.viewport())
                Fail("QTableView opened no focused editor");
        },
        [&] {
            if (editing()) SendKey(QApplication::focusWidget(), Qt::Key_Escape, QString(QChar(27)));
            QCoreApplication::processEvents(); // closed editors go here
        });
    int n = 0;
    f.commit = bench::BestOf(
        Runs,
        [&] {
            SendKey(QApplication::focusWidget(), Qt::Key_Return, "\r");
            if (editing()) Fail("QTableView kept its editor after Enter");
        },
        [&] {
            QCoreApplication::processEvents();
            const int letter = n++ % 26;
            SendKey(view.viewport(), Qt::Key_A + letter, QString(QChar('a' + letter)));
            if (!editing()) Fail("QTableView opened no editor");
        });
    if (model.item(rows / 2, 0)->text().size() != 1) Fail("QTableView stored no edit");
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bench::Heading("In-place editing (ms, best of " + std::to_string(Runs) + ")", "tolvane", "QTableView");
    // The large grid goes first, so that warming up favours the small one.
    const Figures large = TimeOurs(1'000'000), small = TimeOurs(1'000);
    const Figures qtSmall = TimeQt(1'000), qtLarge = TimeQt(1'000'000);
    bench::Row("start editor, 1 000 rows", small.start, qtSmall.start);
    bench::Row("start editor, 1 000 000 rows", large.start, qtLarge.start);
    bench::Row("commit edit, 1 000 rows", small.commit, qtSmall.commit);
    bench::Row("commit edit, 1 000 000 rows", large.commit, qtLarge.commit);
    std::printf("  growth 1 000 -> 1 000 000 rows: start %.2fx, commit %.2fx (goal within 1.2x)\n",
                large.start / small.start, large.commit / small.commit);
    return 0;
}
