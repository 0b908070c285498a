// Scan benchmark: "tolvane scan" of a folder of 1 000 small video files (copies of the test
// fixtures) into a new catalogue, against libmediainfo alone opening the same files.

#include <MediaInfo/MediaInfo.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>

#include "BenchUtil.h"
#include "app/CatalogSchema.h"
#include "app/scan/FolderScan.h"
#include "app/scan/MediaProbe.h"

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
    const double alone = bench::BestOf(3, [&] {
        for (const QString& file : files) {
            MediaInfoLib::MediaInfo info;
            info.Open(file.toStdWString());
            info.Close();
        }
    });
    int added = 0;
    const double scan = bench::BestOf(
        3,
        [&] {
            added = TFolderScan::Run({folder, catalogue, "Bench", "TV"}).Added;
        },
        [&] { NewCatalogue(catalogue); });
    if (added != FileCount) std::printf("scan added %d of %d files\n", added, FileCount);

    bench::Heading("scan of 1 000 small video files", "tolvane scan", "libmediainfo");
    bench::Row("open every file / scan into a new catalogue", scan, alone);
    std::printf("  scan / libmediainfo alone: %.2f (goal: at most 1.50)\n", scan / alone);
    return 0;
}
