// Grid benchmarks against what a C++ developer would otherwise pick (QStandardItemModel in a
// QTableView) and against the floor of each task (the same work on plain standard containers).
// Every figure is the median of five runs of processor time with its spread; ratios are
// baseline / ours, taken run by run.
//  1. filling N rows of a numeric and a text column, against a std::vector of a struct;
//  2. heap bytes per cell of the same two-column data, and of a numeric column alone;
//  3. sorting 1 000 000 rows by the text column and by a numeric column against std::sort of
//     the same keys, and the reverse sort that follows;
//  4. repainting the whole viewport after a one-row scroll, at 1 000 and 1 000 000 rows;
//  5. clearing 100 000 filled rows, against emptying the vector and removing the model's rows;
//  6. (only when named: `bench_grid large`) 10 000 000 rows: fill, bytes per cell, text sort,
//     one-row repaint and the first paint of a freshly filled grid. QStandardItemModel is left
//     out at that size (a fill would take minutes and gigabytes); its 1 000 000-row figures stand.

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>
#include <random>

#include "BenchStats.h"
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
    static const char* syllables[] = {"ka", "ri", "to",  "na", "me", "su",
                                      "ho", "yu", "shi", "ra", "ne", "ko"};
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

std::unique_ptr<QStandardItemModel> MakeModel() {
    return std::make_unique<QStandardItemModel>(0, 2);
}

void FillModel(QStandardItemModel& model, const std::vector<QString>& texts) {
    const int n = int(texts.size());
    for (int r = 0; r < n; ++r) {
        auto* number = new QStandardItem;
        number->setData(double(r), Qt::DisplayRole);
        model.appendRow({number, new QStandardItem(texts[r])});
    }
}

constexpr int Runs = 5;

// The floor of a fill: the same values appended to a plain vector.
struct TFloorRow {
    int Number;
    QString Text;
};

void FillFloor(std::vector<TFloorRow>& rows, const std::vector<QString>& texts) {
    const int n = int(texts.size());
    for (int r = 0; r < n; ++r) rows.push_back({r, texts[std::size_t(r)]});
}

void BenchFill() {
    bench::PairedHeading("1. Fill N rows (numeric + text)", "TGridView", "baseline");
    for (int n : {10000, 100000, 1000000}) {
        const auto texts = MakeTexts(n);
        std::unique_ptr<TGridView> grid;
        const bench::TWorkload ours{[&] { FillGrid(*grid, texts); },
                                    [&] {
                                        grid.reset();
                                        grid = MakeGrid();
                                    }};
        std::vector<TFloorRow> rows;
        const bench::TWorkload floor{[&] { FillFloor(rows, texts); },
                                     [&] { std::vector<TFloorRow>().swap(rows); }};
        std::unique_ptr<QTableView> view;
        std::unique_ptr<QStandardItemModel> model;
        const bench::TWorkload qt{[&] { FillModel(*model, texts); },
                                  [&] {
                                      view.reset();
                                      model = MakeModel();
                                      view = std::make_unique<QTableView>();
                                      view->resize(ViewWidth, ViewHeight);
                                      view->setModel(model.get());
                                  }};
        const std::string size = "N = " + std::to_string(n);
        bench::PairedRow(size + " vs vector<struct>", bench::Paired(Runs, ours, floor),
                         n >= 100000 ? "goal >= 0.5 (within 2x)" : "");
        bench::PairedRow(size + " vs QStandardItemModel", bench::Paired(Runs, ours, qt),
                         n == 100000 ? "goal >= 15" : "");
        grid.reset();
        view.reset();
        model.reset();
    }
}

void BenchClear() {
    bench::PairedHeading("5. Clear 100 000 filled rows (numeric + text)", "TGridView", "baseline");
    const int n = 100000;
    const auto texts = MakeTexts(n);
    std::unique_ptr<TGridView> grid;
    const bench::TWorkload ours{[&] { grid->Clear(); },
                                [&] {
                                    grid.reset();
                                    grid = MakeGrid();
                                    FillGrid(*grid, texts);
                                }};
    std::vector<TFloorRow> rows;
    const bench::TWorkload floor{[&] { std::vector<TFloorRow>().swap(rows); },
                                 [&] {
                                     std::vector<TFloorRow>().swap(rows);
                                     FillFloor(rows, texts);
                                 }};
    std::unique_ptr<QTableView> view;
    std::unique_ptr<QStandardItemModel> model;
    const bench::TWorkload qt{[&] { model->removeRows(0, model->rowCount()); },
                              [&] {
                                  view.reset();
                                  model = MakeModel();
                                  FillModel(*model, texts);
                                  view = std::make_unique<QTableView>();
                                  view->resize(ViewWidth, ViewHeight);
                                  view->setModel(model.get());
                              }};
    bench::PairedRow("N = 100000 vs vector<struct>", bench::Paired(Runs, ours, floor));
    bench::PairedRow("N = 100000 vs QStandardItemModel", bench::Paired(Runs, ours, qt));
    grid.reset();
    view.reset();
    model.reset();
}

void BenchMemory() {
    bench::Heading("2. Heap bytes per cell, 1 000 000 rows", "TGridView", "QStandardItemModel");
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
    bench::Row("numeric + text columns (goal: at most 48)", ours, theirs, "B ");

    before = bench::HeapInUse();
    auto numbers = std::make_unique<TGridView>();
    numbers->SetBounds(0, 0, ViewWidth, ViewHeight);
    numbers->Columns().Add<TNumericColumn>();
    numbers->AddRows(n);
    for (int r = 0; r < n; ++r) numbers->GetCell(0, r)->SetAsFloat(r * 0.5);
    ours = double(bench::HeapInUse() - before) / n;
    numbers.reset();

    before = bench::HeapInUse();
    model = std::make_unique<QStandardItemModel>(0, 1);
    for (int r = 0; r < n; ++r) {
        auto* number = new QStandardItem;
        number->setData(r * 0.5, Qt::DisplayRole);
        model->appendRow(number);
    }
    theirs = double(bench::HeapInUse() - before) / n;
    model.reset();
    bench::Row("numeric column alone (goal: at most 24)", ours, theirs, "B ");
}

void BenchSort() {
    bench::PairedHeading("3. Sort 1 000 000 rows", "TGridView", "std::sort");
    const int n = 1000000;
    const auto texts = MakeTexts(n);
    std::unique_ptr<TGridView> grid;
    const auto freshGrid = [&] {
        grid.reset();
        grid = MakeGrid();
        FillGrid(*grid, texts);
    };
    std::vector<QString> copy;
    bench::PairedRow("by text, ascending",
                     bench::Paired(Runs, {[&] { grid->Data().SortRows(1, stAlphabetic, false); }, freshGrid},
                                   {[&] { std::sort(copy.begin(), copy.end()); }, [&] { copy = texts; }}),
                     "goal >= 1");
    bool sorted = true;
    for (int r = 1; r < n && sorted; ++r) sorted = grid->GetCellText(1, r - 1) <= grid->GetCellText(1, r);

    // The reverse sort against the full sort before it.
    bench::PairedRow("following descending (vs the first)",
                     bench::Paired(Runs,
                                   {[&] { grid->Data().SortRows(1, stAlphabetic, true); },
                                    [&] {
                                        freshGrid();
                                        grid->Data().SortRows(1, stAlphabetic, false);
                                    }},
                                   {[&] { grid->Data().SortRows(1, stAlphabetic, false); }, freshGrid}),
                     "goal >= 20");
    sorted = sorted && grid->GetCellText(1, 0) <= grid->GetCellText(1, n - 1);

    std::mt19937 random(99);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    std::vector<double> keys(static_cast<std::size_t>(n));
    for (double& k : keys) k = spread(random);
    const auto numericGrid = [&] {
        grid.reset();
        grid = std::make_unique<TGridView>();
        grid->SetBounds(0, 0, ViewWidth, ViewHeight);
        grid->Columns().Add<TNumericColumn>();
        grid->AddRows(n);
        for (int r = 0; r < n; ++r) grid->GetCell(0, r)->SetAsFloat(keys[std::size_t(r)]);
    };
    std::vector<double> doubles;
    bench::PairedRow(
        "by number, ascending",
        bench::Paired(Runs, {[&] { grid->Data().SortRows(0, stNumeric, false); }, numericGrid},
                      {[&] { std::sort(doubles.begin(), doubles.end()); }, [&] { doubles = keys; }}),
        "goal >= 1");
    for (int r = 1; r < n && sorted; ++r)
        sorted = grid->GetCell(0, r - 1)->AsFloat() <= grid->GetCell(0, r)->AsFloat();
    std::printf("  sorted correctly: %s\n", sorted ? "yes" : "NO");
    grid.reset();
}

void BenchScrollRepaint() {
    bench::PairedHeading("4. One-row scroll and full viewport repaint (~50 rows), per step", "TGridView",
                         "QTableView");
    double ours1000 = 0;
    for (int n : {1000, 1000000}) {
        const auto texts = MakeTexts(n);
        auto grid = MakeGrid();
        grid->SetOptions(grid->Options() + goGrid + goIndicator);
        FillGrid(*grid, texts);
        grid->Widget()->show();
        grid->PaintNow();
        const int steps = 200;

        auto model = MakeModel();
        FillModel(*model, texts);
        QTableView view;
        view.resize(ViewWidth, ViewHeight);
        view.verticalHeader()->setDefaultSectionSize(16);
        view.setModel(model.get());
        view.show();
        QApplication::processEvents();

        bench::TPaired p =
            bench::Paired(Runs, {[&] {
                              for (int i = 0; i < steps; ++i) {
                                  auto& bar = grid->VertScrollBar();
                                  bar.SetPosition(bar.Position() + 1 > bar.Max() ? 0 : bar.Position() + 1);
                                  grid->Invalidate();
                                  grid->PaintNow();
                              }
                          }},
                          {[&] {
                              for (int i = 0; i < steps; ++i) {
                                  auto* bar = view.verticalScrollBar();
                                  bar->setValue(bar->value() + 1 > bar->maximum() ? 0 : bar->value() + 1);
                                  view.viewport()->repaint();
                              }
                          }});
        for (bench::TSpread* s : {&p.Ours, &p.Theirs})
            for (double* v : {&s->Median, &s->Low, &s->High}) *v /= steps;
        bench::PairedRow("N = " + std::to_string(n), p, "goal: low >= 3");
        if (n == 1000)
            ours1000 = p.Ours.Median;
        else
            std::printf("  growth from 1 000 to 1 000 000 rows: %.2f times (goal: at most 1.2)\n",
                        p.Ours.Median / ours1000);
    }
}


// Ten million rows against the floors above and against the grid's own figures at smaller sizes.
void BenchLarge() {
    const int n = 10000000;
    const int small = 1000000;
    std::printf("\n6. Ten million rows (numeric + text); QStandardItemModel left out at this size\n");
    const auto texts = MakeTexts(n);

    {
        bench::PairedHeading("6a. Fill 10 000 000 rows", "TGridView", "vector<struct>");
        std::unique_ptr<TGridView> grid;
        std::vector<TFloorRow> rows;
        const bench::TPaired p =
            bench::Paired(Runs, {[&] { FillGrid(*grid, texts); }, [&] {
                                     grid.reset();
                                     grid = MakeGrid();
                                 }},
                          {[&] { FillFloor(rows, texts); }, [&] { std::vector<TFloorRow>().swap(rows); }});
        bench::PairedRow("N = 10000000 vs vector<struct>", p, "goal >= 0.67 (within 1.5x)");
    }

    {
        bench::Heading("6b. Heap bytes per cell (numeric + text)", "TGridView", "");
        double perCell[2] = {};
        for (int i = 0; i < 2; ++i) {
            const int rows = i == 0 ? small : n;
            const std::vector<QString> part(texts.begin(), texts.begin() + rows);
            const long long before = bench::HeapInUse();
            auto grid = MakeGrid();
            FillGrid(*grid, part);
            perCell[i] = double(bench::HeapInUse() - before) / (2.0 * rows);
        }
        std::printf("  N = %-8d %8.1f B\n  N = %-8d %8.1f B   (goal: at most the 1 000 000-row figure)\n",
                    small, perCell[0], n, perCell[1]);
    }

    {
        bench::PairedHeading("6c. Sort 10 000 000 rows by text", "TGridView", "std::sort");
        std::unique_ptr<TGridView> grid;
        std::vector<QString> copy;
        const bench::TPaired p = bench::Paired(
            Runs, {[&] { grid->Data().SortRows(1, stAlphabetic, false); }, [&] {
                       grid.reset();
                       grid = MakeGrid();
                       FillGrid(*grid, texts);
                   }},
            {[&] { std::sort(copy.begin(), copy.end()); }, [&] { copy = texts; }});
        bench::PairedRow("by text, ascending", p, "goal >= 2");
        bool sorted = true;
        for (int r = 1; r < n && sorted; ++r) sorted = grid->GetCellText(1, r - 1) <= grid->GetCellText(1, r);
        std::printf("  sorted correctly: %s\n", sorted ? "yes" : "NO");
    }

    // A shown grid of `rows` rows, painted once.
    const auto shownGrid = [&](int rows) {
        auto grid = MakeGrid();
        grid->SetOptions(grid->Options() + goGrid + goIndicator);
        FillGrid(*grid, std::vector<QString>(texts.begin(), texts.begin() + rows));
        grid->Widget()->show();
        return grid;
    };

    {
        bench::PairedHeading("6d. One-row scroll and full viewport repaint, per step", "10 000 000 rows",
                             "1 000 rows");
        auto large = shownGrid(n);
        auto few = shownGrid(1000);
        large->PaintNow();
        few->PaintNow();
        const int steps = 200;
        const auto scroll = [&](TGridView& grid) {
            for (int i = 0; i < steps; ++i) {
                auto& bar = grid.VertScrollBar();
                bar.SetPosition(bar.Position() + 1 > bar.Max() ? 0 : bar.Position() + 1);
                grid.Invalidate();
                grid.PaintNow();
            }
        };
        bench::TPaired p = bench::Paired(Runs, {[&] { scroll(*large); }}, {[&] { scroll(*few); }});
        for (bench::TSpread* s : {&p.Ours, &p.Theirs})
            for (double* v : {&s->Median, &s->Low, &s->High}) *v /= steps;
        bench::PairedRow("N = 10000000 vs N = 1000", p, "goal >= 0.83 (within 1.2x)");
    }

    {
        bench::PairedHeading("6e. First paint of a freshly filled, shown grid", "10 000 000 rows",
                             "1 000 rows");
        std::unique_ptr<TGridView> large, few;
        const bench::TPaired p = bench::Paired(Runs, {[&] { large->PaintNow(); }, [&] {
                                                          large.reset();
                                                          large = shownGrid(n);
                                                      }},
                                               {[&] { few->PaintNow(); }, [&] {
                                                    few.reset();
                                                    few = shownGrid(1000);
                                                }});
        bench::PairedRow("N = 10000000 vs N = 1000", p, "goal: at most 2 ms");
    }
}

// The first paint of freshly filled, shown grids of 1 000 rows one after the other, alone (for a
// profiler or a quick look; the large section pairs it with ten million rows).
void BenchFirstPaint() {
    const std::vector<QString> texts = MakeTexts(1000);
    bench::Heading("First paint of a freshly filled, shown grid of 1 000 rows", "TGridView", "");
    for (int run = 0; run < 5; ++run) {
        constexpr int grids = 200;
        double total = 0;
        for (int i = 0; i < grids; ++i) {
            auto grid = MakeGrid();
            grid->SetOptions(grid->Options() + goGrid + goIndicator);
            FillGrid(*grid, texts);
            grid->Widget()->show();
            total += bench::CpuTimeOnce([&] { grid->PaintNow(); });
        }
        std::printf("  %.3f ms\n", total / grids);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf(
        "Tolvane grid benchmarks (median [low-high] of %d runs; ratio = baseline / tolvane, higher is "
        "better for us)\n",
        Runs);
    // Sections may be named on the command line (fill, memory, sort, scroll, clear), e.g. for a
    // profiler; `large` (ten million rows, minutes and several gigabytes) runs only when named.
    const QStringList only = app.arguments().mid(1);
    const auto run = [&](const char* name, void (*section)()) {
        if (only.isEmpty() || only.contains(QLatin1String(name))) section();
    };
    run("fill", BenchFill);
    run("memory", BenchMemory);
    run("sort", BenchSort);
    run("scroll", BenchScrollRepaint);
    run("clear", BenchClear);
    if (only.contains(QLatin1String("large"))) BenchLarge();
    if (only.contains(QLatin1String("firstpaint"))) BenchFirstPaint();
    return 0;
}
