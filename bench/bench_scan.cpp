// Scan benchmark: "tolvane scan" of a folder of 1 000 small video files (copies of the test
// fixtures) into a new catalogue, against libmediainfo alone opening the same files on one
// thread. The scan reads on every core, so this is wall-clock time: medians of runs taken in
// turns, with the machine's load printed beside them.

#include <MediaInfo/MediaInfo.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <stdexcept>

#include "BenchStats.h"
#include "app/CatalogSchema.h"
#include "app/scan/FolderScan.h"
#include "app/scan/MediaProbe.h"
#include "app/scan/ProbePool.h"

using namespace tolvane;

namespace {

constexpr int FileCount = 1000;

QStringList Fill(const QString& folder, const QString& fixtures) {
    const QStringList sources = {"episode 2.mkv", "episode 10.mp4", QString::fromUtf8("Серия 1 пролог.mkv")};
    QStringList files;
    for (int i = 0; i < FileCount; ++i) {
        const QString& source = sources[i % sources.size()];
        const QString name = QString("ep %1.%2").arg(i + 1).arg(QFileInfo(source).suffix());
        if (!QFile::copy(fixtures + "/" + source, folder + "/" + name))
            throw std::runtime_error("cannot copy");
        files << folder + "/" + name;
    }
    return files;
}

void NewCatalogue(const QString& path) {
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-scan");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot create " + path.toStdString());
        TCatalogSchema::Create(db);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-scan");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString fixtures =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(TOLVANE_SOURCE_DIR "/tests/data/media");
    QTemporaryDir dir;
    const QString folder = dir.filePath("media");
    QDir().mkpath(folder);
    const QStringList files = Fill(folder, fixtures);
    const QString catalogue = dir.filePath("scan.db");

    TMediaProbe probe; // sets up the locale for libmediainfo, as the scan does
    // libmediainfo as it comes (`humanReadable`), and with the human-readable values off, as the
    // scan's probes read.
    const auto libraryAlone = [&](bool humanReadable) {
        MediaInfoLib::MediaInfo::Option_Static(L"ReadByHuman", humanReadable ? L"1" : L"0");
        for (const QString& file : files) {
            MediaInfoLib::MediaInfo info;
            info.Open(file.toStdWString());
            info.Close();
        }
    };
    const auto alone = [&] { libraryAlone(true); };
    const auto plain = [&] { libraryAlone(false); };
    int added = 0;
    const auto scan = [&](int threads) {
        return bench::TWorkload{[&, threads] { added = TFolderScan::Run({folder, catalogue, "Bench", "TV", threads}).Added; },
                                [&] { NewCatalogue(catalogue); }};
    };
    constexpr int Runs = 5;
    std::vector<double> a, b, c, ratio, serialRatio, cpuA, cpuB, cpuC, cpuPlain;
    // Wall-clock time of a run, and its processor time (all threads) into `cpu`.
    const auto timed = [](const std::function<void()>& work, std::vector<double>& cpu) {
        double processor = 0;
        const double wall = bench::TimeOnce([&] { processor = bench::CpuTimeOnce(work); });
        cpu.push_back(processor);
        return wall;
    };
    for (int i = 0; i < Runs; ++i) {
        const bench::TWorkload parallel = scan(0), serial = scan(1);
        parallel.Setup();
        a.push_back(timed(parallel.Work, cpuA));
        b.push_back(timed(alone, cpuB));
        serial.Setup();
        c.push_back(timed(serial.Work, cpuC));
        timed(plain, cpuPlain);
        ratio.push_back(a.back() / b.back());
        serialRatio.push_back(c.back() / b.back());
    }
    if (added != FileCount) std::printf("scan added %d of %d files\n", added, FileCount);

    double load[3] = {};
    getloadavg(load, 3);
    const auto figure = [](const std::vector<double>& v) {
        const bench::TSpread s = bench::SpreadOf(v);
        char text[64];
        std::snprintf(text, sizeof text, "%.0f ms [%.0f-%.0f]", s.Median, s.Low, s.High);
        return std::string(text);
    };
    const auto share = [](const std::vector<double>& v) {
        const bench::TSpread s = bench::SpreadOf(v);
        char text[64];
        std::snprintf(text, sizeof text, "%.2f [%.2f-%.2f]", s.Median, s.Low, s.High);
        return std::string(text);
    };
    std::printf("\nscan of 1 000 small video files, wall-clock, median [lowest-highest] of %d runs in turns\n"
                "(%d cores, load %.1f %.1f %.1f)\n",
                Runs, TProbePool::DefaultThreads(), load[0], load[1], load[2]);
    std::printf("  libmediainfo alone, one thread      %s\n", figure(b).c_str());
    std::printf("  tolvane scan, %d reader threads      %s  scan / libmediainfo %s (goal: at most 0.65)\n",
                TProbePool::DefaultThreads(), figure(a).c_str(), share(ratio).c_str());
    std::printf("  tolvane scan, one reader thread     %s  scan / libmediainfo %s (goal: at most 1.50)\n",
                figure(c).c_str(), share(serialRatio).c_str());
    std::printf("  processor time (all threads): scan on %d threads %s, on one %s, libmediainfo alone %s\n",
                TProbePool::DefaultThreads(), figure(cpuA).c_str(), figure(cpuC).c_str(), figure(cpuB).c_str());
    std::printf("    libmediainfo alone without its human-readable values (as the scan reads) %s\n",
                figure(cpuPlain).c_str());
    return 0;
}
