// Add Folder benchmark: 1 000 small video files (copies of the test fixtures) added from the
// window — the question answered, the scan beside the window with its progress dialog, the title
// shown at the end — against the scan alone as `tolvane scan` runs it. Meanwhile a 5 ms timer on
// the window's thread records the longest pause of its event loop.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTableView>
#include <QTimer>

#include <time.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "BenchStats.h"
#include "app/CatalogForm.h"
#include "app/CatalogSchema.h"
#include "app/scan/FolderScan.h"
#include "app/window/AddFolderQuestion.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/TitleCommands.h"

using namespace tolvane;

namespace {

constexpr int FileCount = 1000;
const int Turns = qEnvironmentVariableIntValue("BENCH_TURNS") > 0 ? qEnvironmentVariableIntValue("BENCH_TURNS") : 5;

void Fill(const QString& folder, const QString& fixtures) {
    const QStringList sources = {"episode 2.mkv", "episode 10.mp4", QString::fromUtf8("Серия 1 пролог.mkv")};
    for (int i = 0; i < FileCount; ++i) {
        const QString& source = sources[i % sources.size()];
        const QString name = QString("ep %1.%2").arg(i + 1).arg(QFileInfo(source).suffix());
        if (!QFile::copy(fixtures + "/" + source, folder + "/" + name)) throw std::runtime_error("cannot copy");
    }
}

void NewCatalogue(const QString& path) {
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-addfolder");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot create " + path.toStdString());
        TCatalogSchema::Create(db);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-addfolder");
}

// The longest time between two rounds of the event loop while it runs, and the longest while
// the progress dialog was up (the scan itself) apart from the start and the end around it.
class TPauseMeter {
public:
    explicit TPauseMeter(QWidget& window) : window_(window) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Lap(); });
    }
    void Start() {
        longest_ = duringScan_ = longestCpu_ = 0;
        cpu_ = ThreadCpuMs();
        clock_.start();
        timer_.start();
    }
    qint64 Stop() {
        timer_.stop();
        Lap();
        return longest_;
    }
    qint64 DuringScan() const { return duringScan_; }
    // The window thread's own processor time in the longest pause: the rest of the pause it
    // waited for a processor that other programs held.
    double LongestCpu() const { return longestCpu_; }

private:
    void Lap() {
        const qint64 gap = clock_.restart();
        const double cpu = ThreadCpuMs();
        if (gap > longest_) longestCpu_ = cpu - cpu_;
        cpu_ = cpu;
        longest_ = std::max(longest_, gap);
        const QWidget* dialog = window_.findChild<QWidget*>("AddFolderProgress");
        if (dialog && dialog->isVisible()) duringScan_ = std::max(duringScan_, gap);
    }

    QWidget& window_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0, duringScan_ = 0;
    double cpu_ = 0, longestCpu_ = 0;

    static double ThreadCpuMs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }
};

double WallMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString fixtures =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(TOLVANE_SOURCE_DIR "/tests/data/media");
    QTemporaryDir dir;
    const QString folder = dir.filePath("media");
    QDir().mkpath(folder);
    Fill(folder, fixtures);
    const QString catalogue = dir.filePath("addfolder.db");
    TAddFolderQuestion::SetAnswer([](const QString&, const QString&) { return TAddFolderChoice{"Bench", "TV"}; });

    std::vector<double> window, scan, ratio, pause, scanPause, pauseCpu;
    for (int turn = 0; turn < Turns; ++turn) {
        NewCatalogue(catalogue);
        int added = 0;
        scan.push_back(WallMs([&] { added = TFolderScan::Run({folder, catalogue, "Bench", "TV"}).Added; }));
        if (added != FileCount) std::printf("scan added %d of %d files\n", added, FileCount);

        NewCatalogue(catalogue);
        {
            TMainWindow shown;
            shown.OpenCatalog(catalogue);
            shown.show();
            QCoreApplication::processEvents();
            TPauseMeter meter(shown);
            meter.Start();
            window.push_back(WallMs([&] { shown.Menu().Titles().AddFolderAt(folder); }));
            // What the end of the work left for the event loop counts too.
            QCoreApplication::processEvents();
            pause.push_back(double(meter.Stop()));
            scanPause.push_back(double(meter.DuringScan()));
            pauseCpu.push_back(meter.LongestCpu());
            const int listed = shown.Form() ? shown.Form()->DBGrid2->model()->rowCount() : 0;
            if (listed != FileCount) std::printf("the window shows %d of %d episodes\n", listed, FileCount);
        }
        ratio.push_back(window.back() / scan.back());
    }

    const bench::TSpread w = bench::SpreadOf(window), s = bench::SpreadOf(scan), r = bench::SpreadOf(ratio),
                         p = bench::SpreadOf(pause), ps = bench::SpreadOf(scanPause),
                         pc = bench::SpreadOf(pauseCpu);
    std::printf("\nAdd Folder of 1 000 small video files, wall-clock, median [low-high] of %d turns\n", Turns);
    std::printf("  %-44s %s\n", "from the window (question to title shown)", bench::Figure(w, "ms").c_str());
    std::printf("  %-44s %s\n", "tolvane scan of the same folder", bench::Figure(s, "ms").c_str());
    std::printf("  %-44s %.2f [%.2f-%.2f] (goal: at most 1.20) %s\n", "window / scan, turn by turn", r.Median, r.Low,
                r.High, r.Median <= 1.2 ? "met" : "not met");
    std::printf("  %-44s %s (goal: at most 100 ms) %s\n", "longest pause of the window's event loop",
                bench::Figure(p, "ms").c_str(), p.High <= 100 ? "met" : "not met");
    std::printf("  %-44s %s\n", "  the window thread's processor time in it", bench::Figure(pc, "ms").c_str());
    std::printf("  %-44s %s\n", "  longest while the dialog was up", bench::Figure(ps, "ms").c_str());
    return 0;
}
