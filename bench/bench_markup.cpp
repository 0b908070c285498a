// Markup cells against what a Qt developer would otherwise write: a QStyledItemDelegate that
// draws each cell's rich text through a QTextDocument, in a QTableView. Both show one markup
// column of 50 visible rows, three tags per cell. Figures are milliseconds of processor time per
// repaint, best of five runs; the ratio is baseline / ours.
//  1. repainting the same viewport;
//  2. a one-row scroll and repaint (one new row a step);
//  3. a one-page scroll and repaint (every row new).
// For scale, the same steps for the same texts without tags in a plain text column.

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextDocument>

#include <algorithm>
#include <ctime>
#include <functional>
#include <random>

#include "BenchUtil.h"
#include "grid/control/GridView.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

namespace {

constexpr int ViewWidth = 400;
constexpr int RowPitch = 17; // 16 pixels and a grid line
constexpr int VisibleRows = 50;
constexpr int Rows = 10000;
constexpr int Steps = 100;

struct Note {
    QString Markup; // a bold title, an italic word and a coloured word
    QString Plain;  // the same text without its tags
};

std::vector<Note> MakeNotes(int n) {
    std::mt19937 random(4242);
    static const char* words[] = {"quiet", "space", "debris", "travel", "rain", "field", "night", "signal"};
    static const char* colors[] = {"red", "navy", "#008000", "DarkOrange"};
    std::vector<Note> notes;
    notes.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString first = words[random() % 8], color = colors[random() % 4], second = words[random() % 8];
        notes.push_back({QString("<b>Title %1</b> with <i>%2</i> and <font color=%3>%4</font>")
                             .arg(QString::number(i), first, color, second),
                         QString("Title %1 with %2 and %3").arg(QString::number(i), first, second)});
    }
    return notes;
}

class RichTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        QTextDocument document;
        document.setDefaultFont(opt.font);
        document.setDocumentMargin(1);
        document.setHtml(opt.text);
        opt.text.clear(); // the style draws background and selection, the document the text
        const QWidget* widget = opt.widget;
        (widget ? widget->style() : QApplication::style())
            ->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        painter->save();
        painter->translate(opt.rect.topLeft());
        document.drawContents(painter, QRectF(0, 0, opt.rect.width(), opt.rect.height()));
        painter->restore();
    }
};

// Milliseconds of this thread's processor time per call of `step`, best of five runs of Steps
// calls. Processor time rather than the clock, as the machine is shared: time spent waiting for
// a core is counted against neither side.
double PerStep(const std::function<void()>& step) {
    auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const double start = cpuMs();
        for (int i = 0; i < Steps; ++i) step();
        best = std::min(best, cpuMs() - start);
    }
    return best / Steps;
}

// A grid of one column of class C holding one text of each note.
template <class C>
std::unique_ptr<TGridView> MakeGrid(const std::vector<Note>& notes, QString Note::*text) {
    auto grid = std::make_unique<TGridView>();
    grid->SetOptions({goGrid});
    grid->SetRowSize(RowPitch - 1);
    grid->SetBounds(0, 0, ViewWidth, VisibleRows * RowPitch);
    grid->Columns().Add<C>().SetWidth(ViewWidth - 20);
    grid->AddRows(int(notes.size()));
    for (int r = 0; r < int(notes.size()); ++r) grid->SetCellText(0, r, notes[r].*text);
    grid->Widget()->show();
    grid->PaintNow();
    return grid;
}

// Scrolls by `rows` (back to the top at the end) and repaints the whole viewport.
void Step(TGridView& grid, int rows) {
    auto& bar = grid.VertScrollBar();
    bar.SetPosition(bar.Position() + rows > bar.Max() ? 0 : bar.Position() + rows);
    grid.Invalidate();
    grid.PaintNow();
}

void Step(QTableView& view, int rows) {
    auto* bar = view.verticalScrollBar();
    bar->setValue(bar->value() + rows > bar->maximum() ? 0 : bar->value() + rows);
    view.viewport()->repaint();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("Tolvane markup benchmarks (ms of processor time per repaint, best of runs; ratio = "
                "baseline / tolvane, higher is better for us)\n");
    const auto notes = MakeNotes(Rows);
    // "profile" runs only the markup column's page scroll, many times over, for a profiler.
    if (app.arguments().contains("profile")) {
        auto markup = MakeGrid<THtmlColumn>(notes, &Note::Markup);
        for (int i = 0; i < 10; ++i) std::printf("%.3f ms\n", PerStep([&] { Step(*markup, VisibleRows); }));
        return 0;
    }

    QStandardItemModel model(0, 1);
    for (const Note& note : notes) model.appendRow(new QStandardItem(note.Markup));
    QTableView view;
    RichTextDelegate delegate;
    view.setItemDelegate(&delegate);
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(RowPitch);
    view.setModel(&model);
    view.setColumnWidth(0, ViewWidth - 20);
    view.resize(ViewWidth, VisibleRows * RowPitch);
    view.show();
    QApplication::processEvents();

    const struct {
        const char* What;
        int Rows;
    } steps[] = {{"1. repaint the same viewport", 0},
                 {"2. scroll one row and repaint", 1},
                 {"3. scroll one page and repaint", VisibleRows}};

    auto markup = MakeGrid<THtmlColumn>(notes, &Note::Markup);
    bench::Heading("Markup column, 50 visible rows, three tags per cell", "THtmlColumn", "QTextDocument");
    for (const auto& s : steps)
        bench::Row(s.What, PerStep([&] { Step(*markup, s.Rows); }), PerStep([&] { Step(view, s.Rows); }));
    markup.reset();
    std::printf("  goal: at least 10\n");

    auto plain = MakeGrid<TTextualColumn>(notes, &Note::Plain);
    bench::Heading("For scale: the same texts without tags in a text column", "TTextualColumn",
                   "QTextDocument");
    for (const auto& s : steps)
        bench::Row(s.What, PerStep([&] { Step(*plain, s.Rows); }), PerStep([&] { Step(view, s.Rows); }));
    return 0;
}
