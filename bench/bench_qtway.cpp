// The catalogue window against the same window built the usual Qt way (QtWayCatalogWindow.h:
// QSqlTableModel, QSortFilterProxyModel, QTableView, QDataWidgetMapper), on the generated
// catalogue of 100 000 titles (BenchCatalog.h):
//  1. start to first paint: each program run as a child with --screenshot (start, open the
//     file, lay out and paint the window once, save the picture, end), its processor time;
//  2. in one process, both windows shown side by side: a search keystroke "K", clearing it,
//     selecting a title, scrolling the title list by a page, each with the window repainted;
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

void Operations(const QString& catalog) {
    TCatalogForm form(catalog, TOpenMode::omReadOnly);
    TQtWayCatalogWindow window(catalog);
    for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&window)}) {
        w->setAttribute(Qt::WA_DontShowOnScreen);
        w->resize(form.size());
        w->show();
    }
    QCoreApplication::processEvents();
    TGridView& grid = dynamic_cast<TGridTitleList&>(*form.GV).Grid();

    bench::PairedHeading("2. The window in use, repainted after each step (processor time)", "tolvane",
                         "usual Qt way");
    auto type = [](QWidget& w, QLineEdit* box, const QString& text) {
        box->setText(text);
        w.repaint();
    };
    for (const QString& text : {QString("K"), QString()}) {
        const QString other = text.isEmpty() ? "K" : "";
        const bench::TPaired p = bench::Paired(
            Runs, {[&] { type(form, form.EFound, text); }, [&] { type(form, form.EFound, other); }},
            {[&] { type(window, window.Search, text); }, [&] { type(window, window.Search, other); }});
        bench::PairedRow(text.isEmpty() ? "clearing the search" : "search keystroke \"K\"", p, ">= 3");
    }

    int row = 0;
    auto next = [&row] { row = row == 4999 ? 5000 : 4999; };
    bench::PairedRow("selecting a title",
                     bench::Paired(Runs,
                                   {[&] {
                                        form.GV->SetCurrentRow(row);
                                        form.repaint();
                                    },
                                    next},
                                   {[&] {
                                        window.Titles->setCurrentIndex(window.Titles->model()->index(row, 1));
                                        window.repaint();
                                    },
                                    next}),
                     ">= 3");

    // The scroll bar's page, as a click in its trough moves it; back to the top when at the end.
    auto page = [](auto&& position, auto&& set, int step, int max) {
        set(position + step > max ? 0 : position + step);
    };
    bench::PairedRow(
        "scrolling the title list by a page",
        bench::Paired(Runs,
                      {[&] {
                          auto& bar = grid.VertScrollBar();
                          page(bar.Position(), [&](int v) { bar.SetPosition(v); }, bar.PageSize(), bar.Max());
                          form.repaint();
                      }},
                      {[&] {
                          QScrollBar* bar = window.Titles->verticalScrollBar();
                          page(bar->value(), [&](int v) { bar->setValue(v); }, bar->pageStep(), bar->maximum());
                          window.repaint();
                      }}),
        ">= 3");
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
