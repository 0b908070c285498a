// The catalogue window against the same window built the usual Qt way (QtWayCatalogWindow.h:
// QSqlTableModel, QSortFilterProxyModel, QTableView, QDataWidgetMapper), on the generated
// catalogue of 100 000 titles (BenchCatalog.h):
//  1. start to first paint: each program run as a child with --screenshot (start, open the
//     file, lay out and paint the window once, save the picture, end), its processor time;
//  2. in one process, both windows shown side by side: a search keystroke "K", clearing it,
//     selecting a title, scrolling the title list by a page, each followed by its events and the
//     repaint of what it changed (what a user waits for), and again by a synchronous repaint of
//     the whole window;
//  3. the peak resident memory of the runs in 1, and of the same runs on an empty catalogue.
// Runs of ours and the baseline alternate; figures are medians of processor time with the lowest
// and highest, the ratio baseline / ours taken run by run (higher is better for us).

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "BenchCatalog.h"
#include "ChildRun.h"
#include "BenchStats.h"
#include "QtWayCatalogWindow.h"
#include "app/CatalogForm.h"
#include "app/GridTitleList.h"
#include "grid/control/GridView.h"

using namespace tolvane;

namespace {

constexpr int Runs = 7;

using bench::RunChild;
using bench::TChildRun;

struct TProgramRuns {
    std::vector<double> Cpu, Wall, Peak;
};

// Both programs on one file, in turns; returns ours and theirs.
std::pair<TProgramRuns, TProgramRuns> StartRuns(const std::string& file, const std::string& png) {
    TProgramRuns ours, theirs;
    for (int i = 0; i < Runs; ++i) {
        for (auto* side : {&ours, &theirs}) {
            const TChildRun r = RunChild({side == &ours ? TOLVANE_PROGRAM : QTWAY_PROGRAM, "--screenshot", png, file});
            if (!r.Ok) throw std::runtime_error("a --screenshot run failed on " + file);
            side->Cpu.push_back(r.CpuMs);
            side->Wall.push_back(r.WallMs);
            side->Peak.push_back(r.PeakMb);
        }
    }
    return {ours, theirs};
}

bench::TPaired Pair(const std::vector<double>& ours, const std::vector<double>& theirs) {
    std::vector<double> ratio;
    for (size_t i = 0; i < ours.size(); ++i) ratio.push_back(theirs[i] / ours[i]);
    return {bench::SpreadOf(ours), bench::SpreadOf(theirs), bench::SpreadOf(ratio)};
}

QString EmptyCatalog(const QTemporaryDir& dir) {
    const QString path = dir.filePath("empty.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-empty");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot create the empty catalogue");
        TCatalogSchema::Create(db);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-empty");
    return path;
}

void Programs(const QString& catalog) {
    QTemporaryDir dir;
    const std::string png = dir.filePath("shot.png").toStdString();
    const auto [ours, theirs] = StartRuns(catalog.toStdString(), png);
    const auto [oursEmpty, theirsEmpty] = StartRuns(EmptyCatalog(dir).toStdString(), png);

    bench::PairedHeading("1. Start to first paint, the whole program (processor time)", "tolvane",
                         "usual Qt way");
    bench::PairedRow("100 000 titles", Pair(ours.Cpu, theirs.Cpu), ">= 3");
    bench::PairedRow("100 000 titles, wall clock", Pair(ours.Wall, theirs.Wall), "(for scale)");
    bench::PairedRow("empty catalogue", Pair(oursEmpty.Cpu, theirsEmpty.Cpu), "(for scale)");

    bench::PairedHeading("3. Peak resident memory", "tolvane", "usual Qt way");
    bench::PairedRow("100 000 titles", Pair(ours.Peak, theirs.Peak), "", "MB");
    bench::PairedRow("empty catalogue", Pair(oursEmpty.Peak, theirsEmpty.Peak), "", "MB");
    const double growth = bench::SpreadOf(ours.Peak).Median - bench::SpreadOf(oursEmpty.Peak).Median;
    const double theirGrowth = bench::SpreadOf(theirs.Peak).Median - bench::SpreadOf(theirsEmpty.Peak).Median;
    std::printf("  growth from the empty catalogue: tolvane %+.1f MB, usual Qt way %+.1f MB: %.2f of it "
                "(goal at most 0.5)\n",
                growth, theirGrowth, theirGrowth > 0 ? growth / theirGrowth : 0.0);
}

// What a user waits for after a step: its events handled and what they changed painted (the
// update requests, and the delayed layouts item views start with a zero timer and the paints
// those ask for in turn).
void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// A step of the window, measured twice: followed by the repaint of what it changed, and by a
// synchronous repaint of the whole window.
struct TStepPair {
    std::function<void()> Ours, Theirs;
    std::function<void(bool ours)> Between = {}; // untimed, before each run of a side
};

void StepRows(const std::string& what, QWidget& ours, QWidget& theirs, const TStepPair& step) {
    auto settled = [&](const std::function<void()>& work) { return [work] { work(); Settle(); }; };
    auto whole = [&](const std::function<void()>& work, QWidget& w) { return [work, &w] { work(); w.repaint(); }; };
    auto before = [&](bool ourSide) {
        return [&step, ourSide] {
            if (step.Between) step.Between(ourSide);
            Settle();
        };
    };
    bench::PairedRow(what, bench::Paired(Runs, {settled(step.Ours), before(true)}, {settled(step.Theirs), before(false)}),
                     ">= 3");
    bench::PairedRow(what + ", whole window",
                     bench::Paired(Runs, {whole(step.Ours, ours), before(true)}, {whole(step.Theirs, theirs), before(false)}),
                     "(for scale)");
}

void Operations(const QString& catalog) {
    TCatalogForm form(catalog, TOpenMode::omReadOnly);
    TQtWayCatalogWindow window(catalog);
    for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&window)}) {
        w->setAttribute(Qt::WA_DontShowOnScreen);
        w->resize(form.size());
        w->show();
    }
    Settle();
    TGridView& grid = dynamic_cast<TGridTitleList&>(*form.GV).Grid();

    bench::PairedHeading("2. The window in use: each step with what it changed repainted, and with the whole "
                         "window repainted (processor time)",
                         "tolvane", "usual Qt way");
    for (const QString& text : {QString("K"), QString()}) {
        const QString other = text.isEmpty() ? "K" : "";
        StepRows(text.isEmpty() ? "clearing the search" : "search keystroke \"K\"", form, window,
                 {[&] { form.EFound->setText(text); }, [&] { window.Search->setText(text); },
                  [&, other](bool ours) { (ours ? form.EFound : window.Search)->setText(other); }});
    }

    int row = 0;
    StepRows("selecting a title", form, window,
             {[&] { form.GV->SetCurrentRow(row); },
              [&] { window.Titles->setCurrentIndex(window.Titles->model()->index(row, 1)); },
              [&row](bool ours) {
                  if (ours) row = row == 4999 ? 5000 : 4999;
              }});

    // The scroll bar's page, as a click in its trough moves it; back to the top when at the end.
    auto page = [](auto&& position, auto&& set, int step, int max) {
        set(position + step > max ? 0 : position + step);
    };
    StepRows("scrolling the title list by a page", form, window,
             {[&] {
                  auto& bar = grid.VertScrollBar();
                  page(bar.Position(), [&](int v) { bar.SetPosition(v); }, bar.PageSize(), bar.Max());
              },
              [&] {
                  QScrollBar* bar = window.Titles->verticalScrollBar();
                  page(bar->value(), [&](int v) { bar->setValue(v); }, bar->pageStep(), bar->maximum());
              }});
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("The catalogue window against the same window built the usual Qt way, 100 000 titles\n");
    try {
        const QString catalog = bench::Cached(bench::CatalogName, bench::Generate);
        // "operations" runs the window's steps alone, without starting the programs.
        if (argc < 2 || std::strcmp(argv[1], "operations") != 0) Programs(catalog);
        Operations(catalog);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_qtway: %s\n", e.what());
        return 1;
    }
    return 0;
}
