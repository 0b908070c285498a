// Grid benchmarks against what a C++ developer would otherwise pick: QStandardItemModel in a
// QTableView. Figures are the best of a few runs in milliseconds; the ratio is baseline / ours.
//  1. filling N rows of a numeric and a text column;
//  2. heap bytes per cell of the same two-column data;
//  3. repainting the whole viewport after a one-row scroll, at 1 000 and 1 000 000 rows;
//  4. sorting 1 000 000 rows by the text column against std::sort of the same strings, and the
//     reverse sort that follows.

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>
#include <random>

#include "BenchUtil.h"
#include "grid/control/GridView.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

namespace {

constexpr int ViewWidth = 400;
constexpr int ViewHeight = 800; // about 50 rows of 16 pixels

// Deterministic name-like texts, so that sorting does real work.
std::vector<QString> MakeTexts(int n) {
    std::mt19937 random(12345);
    static const char* syllables[] = {"ka", "ri", "to", "na", "me", "su", "ho", "yu", "shi", "ra", "ne", "ko"};
    std::vector<QString> texts;
    texts.reserve(n);
    for (int i = 0; i < n; ++i) {
        QString s;
        int parts = 2 + int(random() % 4);
        for (int p = 0; p < parts; ++p) s += QString::fromLatin1(syllables[random() % 12]);
        s[0] = s[0].toUpper();
        texts.push_back(s + QString::number(i % 1000));
    }
    return texts;
}

std::unique_ptr<TGridView> MakeGrid() {
    auto grid = std::make_unique<TGridView>();
    grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    grid->Columns().Add<TNumericColumn>();
    grid->Columns().Add<TTextualColumn>().SetWidth(300);
    return grid;
}

void FillGrid(TGridView& grid, const std::vector<QString>& texts) {
    const int n = int(texts.size());
    grid.AddRows(n);
    for (int r = 0; r < n; ++r) {
        grid.GetCell(0, r)->SetAsInteger(r);
        grid.SetCellText(1, r, texts[r]);
    }
}

std::unique_ptr<QStandardItemModel> MakeModel() { return std::make_unique<QStandardItemModel>(0, 2); }

void FillModel(QStandardItemModel& model, const std::vector<QString>& texts) {
    const int n = int(texts.size());
    for (int r = 0; r < n; ++r) {
        auto* number = new QStandardItem;
        number->setData(double(r), Qt::DisplayRole);
        model.appendRow({number, new QStandardItem(texts[r])});
    }
}

void BenchFill() {
    bench::Heading("1. Fill N rows (numeric + text)", "TGridView", "QStandardItemModel");
    for (int n : {10000, 100000, 1000000}) {
        const auto texts = MakeTexts(n);
        const int runs = n >= 1000000 ? 1 : 3;
        std::unique_ptr<TGridView> grid;
        double ours = bench::BestOf(
            runs, [&] { FillGrid(*grid, texts); }, [&] { grid.reset(); grid = MakeGrid(); });
        grid.reset();

        std::unique_ptr<QTableView> view;
        std::unique_ptr<QStandardItemModel> model;
        double theirs = bench::BestOf(
            runs, [&] { FillModel(*model, texts); },
            [&] {
                view.reset();
                model = MakeModel();
                view = std::make_unique<QTableView>();
                view->resize(ViewWidth, ViewHeight);
                view->setModel(model.get());
            });
        view.reset();
        model.reset();
        bench::Row("N = " + std::to_string(n), ours, theirs);
    }
}

void BenchMemory() {
    bench::Heading("2. Heap bytes per cell, 2 columns x 1 000 000 rows", "TGridView", "QStandardItemModel");
    const int n = 1000000;
    const auto texts = MakeTexts(n); // shared texts: only the containers' own cost is counted

    long long before = bench::HeapInUse();
    auto grid = MakeGrid();
    FillGrid(*grid, texts);
    double ours = double(bench::HeapInUse() - before) / (2.0 * n);
    grid.reset();

    before = bench::HeapInUse();
    auto model = MakeModel();
    FillModel(*model, texts);
    double theirs = double(bench::HeapInUse() - before) / (2.0 * n);
    model.reset();
    bench::Row("bytes per cell", ours, theirs, "B ");
}

void BenchScrollRepaint() {
    bench::Heading("3. One-row scroll and full viewport repaint (~50 rows)", "TGridView", "QTableView");
    double ours1000 = 0;
    for (int n : {1000, 1000000}) {
        const auto texts = MakeTexts(n);
        auto grid = MakeGrid();
        grid->SetOptions(grid->Options() + goGrid + goIndicator);
        FillGrid(*grid, texts);
        grid->Widget()->show();
        grid->PaintNow();
        const int steps = 200;
        double ours = bench::BestOf(3, [&] {
            for (int i = 0; i < steps; ++i) {
                auto& bar = grid->VertScrollBar();
                bar.SetPosition(bar.Position() + 1 > bar.Max() ? 0 : bar.Position() + 1);
                grid->Invalidate();
                grid->PaintNow();
            }
        }) / steps;
        grid.reset();

        auto model = MakeModel();
        FillModel(*model, texts);
        QTableView view;
        view.resize(ViewWidth, ViewHeight);
        view.verticalHeader()->setDefaultSectionSize(16);
        view.setModel(model.get());
        view.show();
        QApplication::processEvents();
        double theirs = bench::BestOf(3, [&] {
            for (int i = 0; i < steps; ++i) {
                auto* bar = view.verticalScrollBar();
                bar->setValue(bar->value() + 1 > bar->maximum() ? 0 : bar->value() + 1);
                view.viewport()->repaint();
            }
        }) / steps;
        bench::Row("N = " + std::to_string(n), ours, theirs);
        if (n == 1000) ours1000 = ours;
        else std::printf("  growth from 1 000 to 1 000 000 rows: %.2f times (goal: at most 1.2)\n", ours / ours1000);
    }
}

void BenchSort() {
    bench::Heading("4. Sort 1 000 000 rows by the text column", "TGridView", "std::sort");
    const int n = 1000000;
    const auto texts = MakeTexts(n);
    auto grid = MakeGrid();
    FillGrid(*grid, texts);
    double ours = bench::TimeOnce([&] { grid->Data().SortRows(1, stAlphabetic, false); });
    std::vector<QString> copy;
    double theirs = bench::TimeOnce([&] { std::sort(copy.begin(), copy.end()); }, [&] { copy = texts; });
    bench::Row("ascending sort", ours, theirs);
    double reverse = bench::TimeOnce([&] { grid->Data().SortRows(1, stAlphabetic, true); });
    bench::Row("following descending sort (vs the first)", reverse, ours);
    std::printf("  sorted correctly: %s\n",
                grid->GetCellText(1, 0) >= grid->GetCellText(1, n - 1) ? "yes" : "NO");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("Tolvane grid benchmarks (best of runs; ratio = baseline / tolvane, higher is better for us)\n");
    BenchFill();
    BenchMemory();
    BenchScrollRepaint();
    BenchSort();
    return 0;
}
