// Catalogue benchmarks on a generated catalogue of 100 000 titles and about 600 000 episodes,
// each against the bare SQLite queries that fetch the same rows into a vector:
//  5. one search keystroke in the window (search text set, title grid refilled, first title shown);
//  6. opening the window (every title listed, the first title's episodes and totals shown);
//  7. `tolvane show`, selecting a title in the window, and the window's peak memory,
//     on the catalogue as `tolvane demo` writes it and on a copy without the episode index.
// Each figure is the median of several runs; the spread (lowest - highest) follows it.

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

#include "BenchUtil.h"
#include "app/CatalogForm.h"
#include "app/CatalogSchema.h"
#include "app/CommandLine.h"
#include "app/TitleList.h"

using namespace tolvane;

namespace {

constexpr int TitleCount = 100000;
constexpr int Runs = 7;
// Bump when the generated catalogue changes, so that a cached one is made again.
const QString CatalogName = "bench-catalog-100k-v2.db";
const QString CatalogNoIndexName = "bench-catalog-100k-v2-noindex.db";

void Exec(QSqlQuery& query) {
    if (!query.exec()) throw std::runtime_error(query.lastError().text().toStdString());
}

void Exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql)) throw std::runtime_error(query.lastError().text().toStdString());
}

// TitleCount titles with 0 to 11 episodes each, names spread over the alphabet.
void Generate(const QString& path) {
    const QString temporary = path + ".part";
    QFile::remove(temporary);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-generate");
        db.setDatabaseName(temporary);
        if (!db.open()) throw std::runtime_error("cannot create " + temporary.toStdString());
        TCatalogSchema::Create(db);
        Exec(db, "PRAGMA journal_mode = OFF");
        Exec(db, "PRAGMA synchronous = OFF");
        db.transaction();
        QSqlQuery title(db), episode(db);
        title.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Sp" ("ID", "Название", "Тип", "Количество серий", "Комментарий") VALUES (?, ?, ?, ?, ?))sql"));
        episode.prepare(QString::fromUtf8(
            R"sql(INSERT INTO "Серии" ("Название", "Серия", "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))sql"));
        std::mt19937 random(7);
        std::vector<std::pair<int, int>> episodes; // title, number
        for (int i = 0; i < TitleCount; ++i) {
            const QString name = QChar('A' + int(random() % 26)) + QString("itle %1").arg(i);
            title.addBindValue(i + 1);
            title.addBindValue(name);
            title.addBindValue(i % 3 == 0 ? "TV" : i % 3 == 1 ? "OVA" : "Movie");
            title.addBindValue(QString::number(i % 26));
            title.addBindValue(QString());
            Exec(title);
            const int count = int(random() % 12);
            for (int e = 0; e < count; ++e) episodes.emplace_back(i + 1, e + 1);
        }
        // Episodes arrive over the years, not title by title.
        std::shuffle(episodes.begin(), episodes.end(), random);
        for (const auto& [id, number] : episodes) {
            episode.addBindValue(id);
            episode.addBindValue(QString("Title %1 - %2.mkv").arg(id).arg(number));
            episode.addBindValue(qlonglong(300000000) + qlonglong(random() % 5000000000LL));
            episode.addBindValue(1920);
            episode.addBindValue(1080);
            episode.addBindValue(int(1200000 + random() % 600000));
            episode.addBindValue("jpn");
            episode.addBindValue("eng");
            episode.addBindValue("");
            Exec(episode);
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-generate");
    QFile::rename(temporary, path);
}

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

QString Cached(const QString& name, const std::function<void(const QString&)>& make) {
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFile::exists(path)) {
        std::printf("Generating %s...\n", qPrintable(name));
        const double ms = bench::TimeOnce([&] { make(path); });
        std::printf("  generated in %.0f ms\n", ms);
    }
    return path;
}

struct TTiming {
    double median = 0, low = 0, high = 0;
};

TTiming Measure(int runs, const std::function<void()>& work, const std::function<void()>& setup = {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(bench::TimeOnce(work, setup));
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

void Row(const std::string& what, const TTiming& ours, const TTiming& theirs, const char* goal) {
    const double ratio = ours.median > 0 ? ours.median / theirs.median : 0.0;
    std::printf("  %-44s %9.2f ms (%.2f-%.2f) %9.2f ms (%.2f-%.2f)  ours/bare %5.2f  goal %s\n", what.c_str(),
                ours.median, ours.low, ours.high, theirs.median, theirs.low, theirs.high, ratio, goal);
}

void Heading(const std::string& title) {
    std::printf("\n%s\n  %-44s %27s %27s\n", title.c_str(), "", "tolvane median (spread)",
                "bare SQLite median (spread)");
}

struct TTitleRow {
    qlonglong Id;
    QString Name;
};

struct TEpisodeRow {
    qlonglong Id, Title, Size, Width, Height, Duration;
    QString File, Audio, Embedded, External;
};

struct TTotalsRow {
    QString Name;
    double Size, Duration;
    qlonglong Id;
};

// The titles a prefix selects (all of them for an empty prefix).
std::vector<TTitleRow> BareTitles(QSqlDatabase& db, const QString& prefix) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (prefix.isEmpty()) {
        query.prepare(QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp")sql"));
    } else {
        query.prepare(QString::fromUtf8(R"sql(SELECT "ID", "Название" FROM "Sp" WHERE "Название" LIKE ?)sql"));
        query.addBindValue(prefix + "%");
    }
    Exec(query);
    std::vector<TTitleRow> rows;
    while (query.next()) rows.push_back({query.value(0).toLongLong(), query.value(1).toString()});
    return rows;
}

std::vector<TEpisodeRow> BareEpisodes(QSqlDatabase& db, qlonglong title) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString::fromUtf8(
        R"sql(SELECT "ID", "Название", "Серия", "Объём (байт)", "Ширина", "Высота", "Длительность", "Звук", "Субтитры встроенные", "Субтитры внешние" FROM "Серии" WHERE "Название" = ?)sql"));
    query.addBindValue(title);
    Exec(query);
    std::vector<TEpisodeRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(3).toLongLong(),
                        query.value(4).toLongLong(), query.value(5).toLongLong(), query.value(6).toLongLong(),
                        query.value(2).toString(), query.value(7).toString(), query.value(8).toString(),
                        query.value(9).toString()});
    return rows;
}

std::vector<TTotalsRow> BareTotals(QSqlDatabase& db, qlonglong title) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString::fromUtf8(R"sql(SELECT * FROM "Rjk" WHERE "ID" = ?)sql"));
    query.addBindValue(title);
    Exec(query);
    std::vector<TTotalsRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toDouble(), query.value(2).toDouble(),
                        query.value(3).toLongLong()});
    return rows;
}

QSqlDatabase OpenBaseline(const QString& name, const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (!db.open()) throw std::runtime_error("cannot open " + path.toStdString());
    return db;
}

// Peak resident memory of one run of the program, in MB, and its status.
double PeakMegabytes(const std::vector<std::string>& args, int& status) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss / 1024.0;
}

void KeystrokeAndOpening(const QString& path) {
    QSqlDatabase db = OpenBaseline("bench-keystroke", path);
    std::unique_ptr<TCatalogForm> form;

    Heading("5. One search keystroke on 100 000 titles (goal: at most half the bare query)");
    form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly);
    for (const QString& prefix : {QString("K"), QString()}) {
        // From the other state to this one, so every keystroke changes the list.
        const QString other = prefix.isEmpty() ? "K" : "";
        const TTiming ours = Measure(
            Runs, [&] { form->EFound->setText(prefix); }, [&] { form->EFound->setText(other); });
        size_t count = 0;
        const TTiming theirs = Measure(Runs, [&] { count = BareTitles(db, prefix).size(); });
        Row(prefix.isEmpty() ? "clearing the search (" + std::to_string(count) + " titles)"
                             : "one-letter prefix \"K\" (" + std::to_string(count) + " titles)",
            ours, theirs, "0.50");
    }
    form.reset();

    Heading("6. Opening the window (every title listed, the first shown)");
    const TTiming open = Measure(
        Runs, [&] { form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly); }, [&] { form.reset(); });
    form.reset();
    const TTiming titles = Measure(Runs, [&] { BareTitles(db, QString()); });
    Row("against every title into a vector", open, titles, "2.00");
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
    const TTiming ours = Measure(Runs, [&] {
        sink.str({});
        status = TCommandLine::Run(show, sink, errors);
    });
    if (status != 0) throw std::runtime_error("show failed: " + errors.str());
    const TTiming episodes = Measure(Runs, [&] { BareEpisodes(db, shown); });
    Row("show " + std::to_string(shown) + " (its episodes)", ours, episodes, "2.00");

    std::unique_ptr<TCatalogForm> form;
    const TTiming open = Measure(
        Runs, [&] { form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly); }, [&] { form.reset(); });
    form.reset();
    const TTiming needed = Measure(Runs, [&] {
        const std::vector<TTitleRow> all = BareTitles(db, QString());
        BareEpisodes(db, all.front().Id);
        BareTotals(db, all.front().Id);
    });
    Row("opening the window", open, needed, "2.00");

    form = std::make_unique<TCatalogForm>(path, TOpenMode::omReadOnly);
    int row = 0;
    const TTiming select = Measure(
        Runs, [&] { form->GV->SetCurrentRow(row); }, [&] { row = row == 4999 ? 5000 : 4999; });
    const TTiming perTitle = Measure(Runs, [&] {
        BareEpisodes(db, shown);
        BareTotals(db, shown);
    });
    Row("selecting a title", select, perTitle, "2.00");
    form.reset();
    db.close();
    QSqlDatabase::removeDatabase(connection);

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
        const double big = PeakMegabytes({program, "--screenshot", png, path.toStdString()}, full);
        const double small = PeakMegabytes({program, "--screenshot", png, empty.toStdString()}, none);
        std::printf("  %-44s %9.1f MB against %.1f MB on an empty catalogue: %+.1f MB (goal at most +50)%s\n",
                    "peak memory of the window", big, small, big - small,
                    full == 0 && none == 0 ? "" : "  (a run failed)");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        const QString path = Cached(CatalogName, Generate);
        const QString bare = Cached(CatalogNoIndexName, [&](const QString& to) { CopyWithoutIndex(path, to); });
        KeystrokeAndOpening(path);
        AtScale(path, "as demo writes it", TOLVANE_PROGRAM);
        AtScale(bare, "without the episode index", TOLVANE_PROGRAM);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_catalog: %s\n", e.what());
        return 1;
    }
    return 0;
}
