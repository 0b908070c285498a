// Long texts cost what is shown: the demo catalogue once as `tolvane demo` writes it and once with
// the first shown episode's name made 50 MB long.
//  1. opening and painting the window (goal: the long name costs at most 2x: ratio >= 0.50), on the
//     files as they were just written and once more after they were read back from the disk;
//  2. painting a grid cell that holds the 50 MB text against one holding a short text;
//  3. the window's peak memory with the long name, above the same window without it
//     (goal: under 3x the text's size);
//  4. what the index that keeps the episodes' columns costs on the generated catalogue of about
//     600 000 episodes: writing them all, the file's size, and adding the index to a catalogue
//     that has only the one on the title key.
// Ours (the long text) and the baseline (without it) run in turns; each figure is the median of
// the runs with its spread (lowest - highest), and the ratio is the median of the ratios.

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "BenchCatalog.h"
#include "BenchStats.h"
#include "app/CatalogForm.h"
#include "app/CommandLine.h"
#include "app/NewCatalog.h"
#include "grid/control/GridView.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;
using namespace bench;

namespace {

constexpr qsizetype kLongBytes = 50 * 1024 * 1024;
constexpr int kRuns = 7;

void MakeDemo(const QString& path) {
    std::ostringstream out, err;
    if (TCommandLine::Run({"demo", path}, out, err) != 0) throw std::runtime_error("demo failed: " + err.str());
}

// The first episode of the title the window shows first gets a name of kLongBytes characters.
void LengthenFirstEpisode(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-long");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot open " + path.toStdString());
        QString name = QStringLiteral("A very long episode name ");
        name = name.repeated(kLongBytes / name.size() + 1).left(kLongBytes);
        QSqlQuery q(db);
        q.prepare(QString::fromUtf8("UPDATE \"Серии\" SET \"Серия\" = ? WHERE \"ID\" = "
                                    "(SELECT MIN(\"ID\") FROM \"Серии\" WHERE \"Название\" = "
                                    "(SELECT MIN(\"ID\") FROM \"Sp\"))"));
        q.addBindValue(name);
        if (!q.exec() || q.numRowsAffected() != 1)
            throw std::runtime_error("cannot lengthen a name: " + q.lastError().text().toStdString());
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-long");
}

// Runs statements on a catalogue through a connection of its own.
void Run(const QString& path, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-run");
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("cannot open " + path.toStdString());
        for (const QString& sql : statements) bench::Exec(db, sql);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-run");
}

// The index on the episodes' title key as catalogues made before this one have it: the key alone.
const QStringList kKeyOnlyIndex{QString::fromUtf8(R"sql(DROP INDEX "Серии по названию")sql"),
                                QString::fromUtf8(R"sql(CREATE INDEX "Серии по названию" ON "Серии" ("Название"))sql")};
const QString kKeepingIndex = QString::fromUtf8(R"sql(CREATE INDEX "Серии по названию" ON "Серии" ("Название",
    "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние"))sql");

// A new catalogue at `target` (with the index given, or as made today), then every episode of
// `source` written into it in one transaction: only the writing is timed.
TWorkload WriteEpisodes(const QString& source, const QString& target, bool keyOnly) {
    return {[source, target] {
                Run(target, {"ATTACH DATABASE '" + QString(source).replace('\'', "''") + "' AS source",
                             "BEGIN",
                             // In key order, as they were added; ordered, the rows are also
                             // written one by one, never copied page by page into a twin table.
                             QString::fromUtf8(R"sql(INSERT INTO "Серии" SELECT * FROM source."Серии" ORDER BY "ID")sql"),
                             "COMMIT"});
            },
            [target, keyOnly] {
                QFile::remove(target);
                TNewCatalog::Create(target, nullptr);
                if (keyOnly) Run(target, kKeyOnlyIndex);
            }};
}

// Drops the file from the system's cache and reads it back, as the first opening after a restart
// finds a catalogue: the cache then holds it in the large pieces the disk was read in, where the
// writes of the catalogue left it in pages of 4 KiB.
void ReadBackFromDisk(const QString& path) {
    const int fd = open(path.toLocal8Bit().constData(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + path.toStdString());
    std::vector<char> buffer(1 << 20);
    const bool read = fdatasync(fd) == 0 && posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0 && [&] {
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) != 0;)
            if (n < 0) return false;
        return true;
    }();
    close(fd);
    if (!read) throw std::runtime_error("cannot read back " + path.toStdString());
}

// Runs a program and prints its peak resident memory in KB: this benchmark started afresh as a
// small go-between, since a child counts the pages of the process it was forked from.
int PrintPeakOf(char** argv) {
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
        execv(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    std::printf("%ld %d\n", usage.ru_maxrss, status);
    return 0;
}

// Peak resident memory of one run of the program, in MB, and its status.
double PeakMegabytes(const QStringList& args, int& status) {
    QProcess go;
    go.start(QCoreApplication::applicationFilePath(), QStringList{"--peak-of"} + args);
    if (!go.waitForFinished(600000)) throw std::runtime_error("the memory run did not end");
    const QStringList figures = QString::fromLatin1(go.readAllStandardOutput()).split(' ');
    if (figures.size() != 2) throw std::runtime_error("the memory run printed nothing");
    status = figures[1].trimmed().toInt();
    return figures[0].toDouble() / 1024.0;
}

// The window opened on `path` and painted whole, as --screenshot does.
TWorkload OpenWindow(const QString& path, std::unique_ptr<TCatalogForm>& form) {
    return {[&form, path] {
                form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly);
                form->grab();
            },
            [&form] { form.reset(); }};
}

// A grid of one 300-pixel text column and one row holding `text`, painted.
struct TOneCellGrid {
    explicit TOneCellGrid(const QString& text) {
        grid.SetBounds(0, 0, 320, 60);
        grid.Columns().Add<TTextualColumn>().SetWidth(300);
        grid.AddRows(1);
        grid.SetCellText(0, 0, text);
        grid.Show();
    }
    TGridView grid;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--peak-of") return PrintPeakOf(argv + 2);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        QTemporaryDir dir;
        const QString plain = dir.filePath("plain.db"), longName = dir.filePath("long.db");
        MakeDemo(plain);
        MakeDemo(longName);
        LengthenFirstEpisode(longName);
        // The same with the index catalogues made earlier have: the window reads as it did then.
        const QString older = dir.filePath("older.db");
        QFile::copy(longName, older);
        Run(older, kKeyOnlyIndex);

        PairedHeading("1. Opening and painting the window (goal: ratio >= 0.50)", "50 MB name", "without");
        std::unique_ptr<TCatalogForm> form;
        // The first window of the process sets up its style and fonts once: not part of either figure.
        for (const QString& path : {plain, longName}) OpenWindow(path, form).Work();
        PairedRow("files as they were just written", Paired(kRuns, OpenWindow(longName, form), OpenWindow(plain, form)),
                  ">= 0.50");
        PairedRow("the same, index on the title key only", Paired(kRuns, OpenWindow(older, form), OpenWindow(plain, form)));
        ReadBackFromDisk(longName);
        ReadBackFromDisk(plain);
        PairedRow("files read back from the disk", Paired(kRuns, OpenWindow(longName, form), OpenWindow(plain, form)),
                  ">= 0.50");
        ReadBackFromDisk(older);
        ReadBackFromDisk(plain);
        PairedRow("the same, index on the title key only", Paired(kRuns, OpenWindow(older, form), OpenWindow(plain, form)));
        form.reset();

        PairedHeading("2. Painting one grid cell", "50 MB text", "26 characters");
        QString text = QStringLiteral("A very long episode name ");
        TOneCellGrid longCell(text.repeated(kLongBytes / text.size() + 1).left(kLongBytes));
        TOneCellGrid shortCell(text);
        PairedRow("a 300-pixel cell, elided",
                  Paired(kRuns, {[&] { longCell.grid.Invalidate(); longCell.grid.PaintNow(); }},
                         {[&] { shortCell.grid.Invalidate(); shortCell.grid.PaintNow(); }}));

        std::printf("\n3. Peak memory of `tolvane --screenshot` (goal: under 3x the text's size above the plain window)\n");
        const QString png = dir.filePath("shot.png");
        int longStatus = 0, plainStatus = 0;
        const double big = PeakMegabytes({TOLVANE_PROGRAM, "--screenshot", png, longName}, longStatus);
        const double small = PeakMegabytes({TOLVANE_PROGRAM, "--screenshot", png, plain}, plainStatus);
        const double textMb = double(kLongBytes) / (1024 * 1024);
        std::printf("  %-40s %8.1f MB against %.1f MB: %+.1f MB = %.2fx the text's %.0f MB (goal < 3x)%s\n",
                    "peak memory of the window", big, small, big - small, (big - small) / textMb, textMb,
                    longStatus == 0 && plainStatus == 0 ? "" : "  (a run failed)");

        const QString generated = bench::Cached(bench::CatalogName, bench::Generate);
        PairedHeading("4. The index keeping the episodes' columns, 600 000 episodes", "keeping", "key only");
        const QString keeping = dir.filePath("keeping.db"), keyOnly = dir.filePath("key-only.db");
        PairedRow("writing every episode, one transaction",
                  Paired(3, WriteEpisodes(generated, keeping, false), WriteEpisodes(generated, keyOnly, true)));
        std::printf("  %-40s %8.1f MB against %.1f MB: %.2fx\n", "the file's size",
                    QFileInfo(keeping).size() / 1048576.0, QFileInfo(keyOnly).size() / 1048576.0,
                    double(QFileInfo(keeping).size()) / double(QFileInfo(keyOnly).size()));
        const QStringList addIndex{QString::fromUtf8(R"sql(DROP INDEX "Серии по названию")sql"), kKeepingIndex};
        std::printf("  %-40s %8.0f ms of processor time\n", "adding it to the key-only catalogue",
                    CpuTimeOnce([&] { Run(keyOnly, addIndex); }));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_longtext: %s\n", e.what());
        return 1;
    }
    return 0;
}
