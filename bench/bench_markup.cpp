// Markup cells against what a Qt developer would otherwise write: a QStyledItemDelegate that
// draws each cell's rich text through a QTextDocument, in a QTableView. Both show one markup
// column of about 50 visible rows, three tags per cell. Figures are the best of a few runs in
// milliseconds per repaint; the ratio is baseline / ours.
//  1. repainting the same viewport;
//  2. a one-row scroll and repaint (one new row a step);
//  3. a one-page scroll and repaint (every row new).

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <random>

#include "BenchUtil.h"
#include "grid/control/GridView.h"
#include "grid/model/columns/classes/HtmlColumn.h"

using namespace tolvane;

namespace {

constexpr int ViewWidth = 400;
constexpr int RowHeight = 16;
constexpr int VisibleRows = 50;
constexpr int Rows = 10000;
constexpr int Steps = 200;

// Deterministic notes with a bold title, an italic word and a coloured word.
std::vector<QString> MakeNotes(int n) {
    std::mt19937 random(4242);
    static const char* words[] = {"quiet", "space", "debris", "travel", "rain", "field", "night", "signal"};
    static const char* colors[] = {"red", "navy", "#008000", "DarkOrange"};
    std::vector<QString> notes;
    notes.reserve(n);
    for (int i = 0; i < n; ++i) {
        notes.push_back(QString("<b>Title %1</b> with <i>%2</i> and <font color=%3>%4</font>")
                            .arg(i)
                            .arg(words[random() % 8])
                            .arg(colors[random() % 4])
                            .arg(words[random() % 8]));
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

// Milliseconds per step of `steps` calls of `step`, best of three.
double PerStep(const std::function<void()>& step) {
    return bench::BestOf(3,
                         [&] {
                             for (int i = 0; i < Steps; ++i) step();
                         }) /
           Steps;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf(
        "Tolvane markup benchmarks (best of runs; ratio = baseline / tolvane, higher is better for us)\n");
    const auto notes = MakeNotes(Rows);

    TGridView grid;
    grid.SetOptions({goGrid});
    grid.SetRowSize(RowHeight);
    grid.SetBounds(0, 0, ViewWidth, VisibleRows * (RowHeight + 1));
    grid.Columns().Add<THtmlColumn>().SetWidth(ViewWidth - 20);
    grid.AddRows(Rows);
    for (int r = 0; r < Rows; ++r) grid.SetCellText(0, r, notes[r]);
    grid.Widget()->show();
    grid.PaintNow();

    QStandardItemModel model(0, 1);
    for (const QString& note : notes) model.appendRow(new QStandardItem(note));
    QTableView view;
    RichTextDelegate delegate;
    view.setItemDelegate(&delegate);
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(RowHeight + 1);
    view.setModel(&model);
    view.setColumnWidth(0, ViewWidth - 20);
    view.resize(ViewWidth, VisibleRows * (RowHeight + 1));
    view.show();
    QApplication::processEvents();

    auto ourScroll = [&](int by) {
        auto& bar = grid.VertScrollBar();
        bar.SetPosition(bar.Position() + by > bar.Max() ? 0 : bar.Position() + by);
        grid.Invalidate();
        grid.PaintNow();
    };
    auto theirScroll = [&](int by) {
        auto* bar = view.verticalScrollBar();
        bar->setValue(bar->value() + by > bar->maximum() ? 0 : bar->value() + by);
        view.viewport()->repaint();
    };

    bench::Heading("Markup column, ~50 visible rows, three tags per cell (ms per repaint)", "THtmlColumn",
                   "QTextDocument");
    bench::Row("1. repaint the same viewport", PerStep([&] { ourScroll(0); }),
               PerStep([&] { theirScroll(0); }));
    bench::Row("2. scroll one row and repaint", PerStep([&] { ourScroll(1); }),
               PerStep([&] { theirScroll(1); }));
    bench::Row("3. scroll one page and repaint", PerStep([&] { ourScroll(VisibleRows); }),
               PerStep([&] { theirScroll(VisibleRows); }));
    std::printf("  goal: every ratio at least 10\n");
    return 0;
}
