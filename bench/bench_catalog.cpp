// Catalogue benchmarks on a generated catalogue of 100 000 titles and about 600 000 episodes,
// each against the bare SQLite queries that fetch the same rows into a vector:
//  5. one search keystroke in the window (search text set, title grid refilled, first title shown);
//  6. opening the window (every title listed, the first title's episodes and totals shown);
//  7. `tolvane show`, `tolvane export --title`, selecting a title in the window, and the window's
//     peak memory,
//     on the catalogue as `tolvane demo` writes it and on a copy without the episode index.
// Ours and the baseline run in turns, so that both meet the same load; each figure is the median
// of the runs' processor time with its spread (lowest - highest), and the ratio is the median of
// the ratios. `bench_catalog keystroke` runs 5 and 6 alone, for a profiler.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "BenchCatalog.h"
#include "BenchStats.h"
#include "BenchUtil.h"
#include "BareQueries.h"
#include "ChildRun.h"
#include "app/CatalogForm.h"
#include "app/CatalogSchema.h"
#include "app/CommandLine.h"
#include "app/TitleList.h"

using namespace tolvane;

namespace {

using bench::CatalogName;
using bench::Exec;
constexpr int Runs = 7;
const QString CatalogNoIndexName = "bench-catalog-100k-v3-noindex.db";

// The same catalogue without the index on the episodes' title key: the viewer adds none.
void CopyWithoutIndex(const QString& from, const QString& to) {
    const QString temporary = to + ".part";
    QFile::remove(temporary);
    if (!QFile::copy(from, temporary)) throw std::runtime_error("cannot copy the catalogue");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-copy");
        db.setDatabaseName(temporary);
        if (!db.open()) throw std::runtime_error("cannot open the copy");
        Exec(db, QString::fromUtf8(R"sql(DROP INDEX "Серии по названию")sql"));
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-copy");
    QFile::rename(temporary, to);
}

struct TTiming {
    double median = 0, low = 0, high = 0;
};

TTiming Summary(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

// Runs ours (after its untimed setup) and the baseline in turns and prints both with the ratio
// ours / baseline against its goal.
void Compare(const std::string& what, const char* goal, const std::function<void()>& ours,
             const std::function<void()>& setup, const std::function<void()>& theirs) {
    std::vector<double> a, b, ratios;
    for (int i = 0; i < Runs; ++i) {
        a.push_back(bench::CpuTimeOnce(ours, setup));
        b.push_back(bench::CpuTimeOnce(theirs));
        ratios.push_back(a.back() / b.back());
    }
    const TTiming x = Summary(a), y = Summary(b), r = Summary(ratios);
    std::printf("  %-40s %8.2f ms (%.2f-%.2f) %8.2f ms (%.2f-%.2f)  ours/bare %5.2f (%.2f-%.2f)  goal %s\n",
                what.c_str(), x.median, x.low, x.high, y.median, y.low, y.high, r.median, r.low, r.high,
                goal);
    std::fflush(stdout);
}

void Heading(const std::string& title) {
    std::printf("\n%s\n  %-40s %26s %26s\n", title.c_str(), "", "tolvane median (spread)",
                "bare SQLite median (spread)");
}

QSqlDatabase OpenBaseline(const QString& name, const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (!db.open()) throw std::runtime_error("cannot open " + path.toStdString());
    return db;
}

void KeystrokeAndOpening(const QString& path) {
    QSqlDatabase db = OpenBaseline("bench-keystroke", path);
    std::unique_ptr<TCatalogForm> form;

    Heading("5. One search keystroke on 100 000 titles, processor time (goal: at most half the bare query; narrowing a quarter)");
    form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly);
    const struct {
        QString From, To;
        const char* Goal;
    } keystrokes[] = {{"", "K", "0.50"}, {"K", "Ka", "0.25"}, {"K", "Ki", "0.25"}, {"K", "", "0.50"}};
    for (const auto& k : keystrokes) {
        // From the other state to this one, so every keystroke changes the list.
        const size_t count = bench::BareTitles(db, k.To).size();
        Compare(
            k.To.isEmpty() ? "clearing the search (" + std::to_string(count) + " titles)"
                           : "prefix \"" + k.To.toStdString() + "\" (" + std::to_string(count) + " titles)",
            k.Goal, [&] { form->EFound->setText(k.To); }, [&] { form->EFound->setText(k.From); },
            [&] { bench::BareTitles(db, k.To); });
    }
    form.reset();

    Heading("6. Opening the window (every title listed, the first shown)");
    Compare(
        "against every title into a vector", "2.00",
        [&] { form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly); }, [&] { form.reset(); },
        [&] { bench::BareTitles(db, QString()); });
    form.reset();
    db.close();
}

void AtScale(const QString& path, const char* label, const char* program) {
    const QString connection = QString("bench-scale-") + label;
    QSqlDatabase db = OpenBaseline(connection, path);
    const qlonglong shown = 5000;
    Heading(std::string("7. The catalogue at scale, ") + label);

    std::ostringstream sink, errors;
    const QStringList show{"show", "--db", path, QString::number(shown)};
    int status = 0;
    // The command opens the file, as a bare program must too.
    Compare(
        "show " + std::to_string(shown) + " (its episodes)", "2.00",
        [&] {
            sink.str({});
            status = TCommandLine::Run(show, sink, errors);
        },
        {},
        [&] {
            {
                QSqlDatabase own = OpenBaseline("bench-show", path);
                bench::BareEpisodes(own, shown);
                own.close();
            }
            QSqlDatabase::removeDatabase("bench-show");
        });
    if (status != 0) throw std::runtime_error("show failed: " + errors.str());

    // Every field of the title's episodes, read by key as show reads them.
    const QStringList exported{"export", "--db", path, "--title", QString::number(shown)};
    Compare(
        "export --title " + std::to_string(shown), "2.00",
        [&] {
            sink.str({});
            status = TCommandLine::Run(exported, sink, errors);
        },
        {},
        [&] {
            {
                QSqlDatabase own = OpenBaseline("bench-export", path);
                bench::BareEpisodes(own, shown);
                own.close();
            }
            QSqlDatabase::removeDatabase("bench-export");
        });
    if (status != 0) throw std::runtime_error("export failed: " + errors.str());

    std::unique_ptr<TCatalogForm> form;
    Compare(
        "opening the window", "2.00",
        [&] { form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly); }, [&] { form.reset(); },
        [&] {
            const std::vector<bench::TTitleRow> all = bench::BareTitles(db, QString());
            bench::BareEpisodes(db, all.front().Id);
            bench::BareTotals(db, all.front().Id);
        });
    form.reset();

    form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly);
    int row = 0;
    Compare(
        "selecting a title", "2.00", [&] { form->GV->SetCurrentRow(row); },
        [&] { row = row == 4999 ? 5000 : 4999; },
        [&] {
            bench::BareEpisodes(db, row + 1);
            bench::BareTotals(db, row + 1);
        });
    form.reset();
    db.close();

    if (program[0]) {
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.db");
        {
            QSqlDatabase e = QSqlDatabase::addDatabase("QSQLITE", "bench-empty");
            e.setDatabaseName(empty);
            e.open();
            TCatalogSchema::Create(e);
            e.close();
        }
        QSqlDatabase::removeDatabase("bench-empty");
        const std::string png = dir.filePath("shot.png").toStdString();
        int full = 0, none = 0;
        const double big = bench::PeakMegabytes({program, "--screenshot", png, path.toStdString()}, full);
        const double small = bench::PeakMegabytes({program, "--screenshot", png, empty.toStdString()}, none);
        std::printf("  %-40s %8.1f MB against %.1f MB on an empty catalogue: %+.1f MB (goal at most +50)%s\n",
                    "peak memory of the window", big, small, big - small,
                    full == 0 && none == 0 ? "" : "  (a run failed)");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        const QString path = bench::Cached(CatalogName, bench::Generate);
        const QString bare =
            bench::Cached(CatalogNoIndexName, [&](const QString& to) { CopyWithoutIndex(path, to); });
        KeystrokeAndOpening(path);
        // "keystroke" runs the search and the opening alone, for a profiler.
        if (argc > 1 && std::string(argv[1]) == "keystroke") return 0;
        AtScale(path, "as demo writes it", TOLVANE_PROGRAM);
        AtScale(bare, "without the episode index", TOLVANE_PROGRAM);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_catalog: %s\n", e.what());
        return 1;
    }
    return 0;
}
