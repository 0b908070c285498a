// Catalogue benchmarks on a PostgreSQL server: the generated catalogue of 100 000 titles and
// about 600 000 episodes, loaded through `tolvane copy` into a throwaway cluster on a Unix
// socket, each against the bare queries that fetch the same rows through Qt SQL alone:
//  - `copy` of the file to the server against `psql` `\copy` of the same rows from CSV files;
//  - opening the window, a search keystroke, selecting a title, `show`, `export --title`;
//  - the window's peak memory against the same window on an empty server catalogue.
// Ours and the baseline run in turns. The server does part of the work in processes of its own,
// so these figures are wall-clock time; each is the median of the runs with its spread.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "BenchStats.h"
#include "BenchCatalog.h"
#include "BareQueries.h"
#include "ChildRun.h"
#include "app/CatalogForm.h"
#include "app/CatalogSchema.h"
#include "app/CommandLine.h"
#include "app/TitleList.h"
#include "app/copy/CatalogCopy.h"
#include "support/TestServer.h"

using namespace tolvane;
using tolvane::test::TTestServer;

namespace {

constexpr int Runs = 7;
constexpr int CopyRuns = 5;

// Runs ours (after its untimed setup) and the baseline (after its own) in turns; prints both
// with the median of the ratios ours / bare against the goal.
void Compare(const std::string& what, int runs, const char* goal, const bench::TWorkload& ours,
             const bench::TWorkload& theirs) {
    std::vector<double> a, b, ratios;
    for (int i = 0; i < runs; ++i) {
        a.push_back(bench::TimeOnce(ours.Work, ours.Setup));
        b.push_back(bench::TimeOnce(theirs.Work, theirs.Setup));
        ratios.push_back(a.back() / b.back());
    }
    const bench::TSpread x = bench::SpreadOf(a), y = bench::SpreadOf(b), r = bench::SpreadOf(ratios);
    std::printf("  %-34s %9.2f ms (%.2f-%.2f) %9.2f ms (%.2f-%.2f)  ours/bare %5.2f (%.2f-%.2f)  goal %s\n",
                what.c_str(), x.Median, x.Low, x.High, y.Median, y.Low, y.High, r.Median, r.Low, r.High, goal);
    std::fflush(stdout);
}

void Heading(const std::string& title) {
    std::printf("\n%s\n  %-34s %29s %29s\n", title.c_str(), "", "tolvane median (spread)",
                "bare median (spread)");
}

QStringList StoredColumns(const TSourceDef& def) {
    QStringList columns;
    for (const TFieldDef& f : def.Fields)
        if (f.IsStored()) columns << f.Name;
    return columns;
}

QString QuotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << TCatalogSchema::Quoted(n);
    return quoted.join(", ");
}

// A CSV field: NULL as nothing, every other value quoted, so that an empty text stays one.
std::string CsvField(const QVariant& value) {
    if (value.isNull()) return {};
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ||
        value.typeId() == QMetaType::Double)
        return value.toString().toStdString();
    std::string text = value.toString().toStdString(), out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// The rows of one table of the file as CSV, in the stored columns' order.
void WriteCsv(const QString& catalogue, const TSourceDef& def, const QString& path) {
    const QString temporary = path + ".part";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-csv");
        db.setDatabaseName(catalogue);
        if (!db.open()) throw std::runtime_error("cannot open " + catalogue.toStdString());
        std::ofstream out(temporary.toStdString(), std::ios::binary);
        const QStringList columns = StoredColumns(def);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec("SELECT " + QuotedList(columns) + " FROM " + TCatalogSchema::Quoted(def.Table) +
                    " ORDER BY rowid"))
            throw std::runtime_error(q.lastError().text().toStdString());
        while (q.next()) {
            for (int c = 0; c < columns.size(); ++c) out << (c ? "," : "") << CsvField(q.value(c));
            out << '\n';
        }
        if (!out) throw std::runtime_error("cannot write " + path.toStdString());
    }
    QSqlDatabase::removeDatabase("bench-csv");
    QFile::rename(temporary, path);
}

// Processor time, in ms, that the server's ended processes (the connections' backends) have
// used: the postmaster collects it as each one ends.
double ServerProcessorMs(const QString& socketFolder) {
    QFile pidFile(socketFolder + "/data/postmaster.pid");
    if (!pidFile.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read postmaster.pid");
    const QByteArray pid = pidFile.readLine().trimmed();
    QFile stat("/proc/" + QString::fromLatin1(pid) + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read the server's /proc/PID/stat");
    const QByteArray line = stat.readAll();
    // Fields after the command's closing parenthesis: state is field 3, cutime 16, cstime 17.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(13).toDouble() + fields.value(14).toDouble();
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// Processor time of this program's ended child processes (psql), in ms.
double ChildrenProcessorMs() {
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

class TServerBench {
public:
    TServerBench() : server_(TTestServer::Get()) {}

    QString NewDatabase() { return server_.NewDatabase(); }
    QString Uri(const QString& database) const { return server_.Uri(database); }
    double ServerMs() const { return ServerProcessorMs(server_.SocketFolder()); }
    void Drop(const QString& database) { server_.Exec("DROP DATABASE " + database + " WITH (FORCE)"); }

    // A connection through Qt SQL alone, as a program without our code would open one.
    QSqlDatabase Connect(const QString& name, const QString& database) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setHostName(server_.SocketFolder());
        db.setDatabaseName(database);
        db.setUserName("postgres");
        if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
        return db;
    }

    // `psql` loading both CSV files with `\copy` in one transaction.
    void PsqlCopy(const QString& database, const QString& titles, const QString& episodes) {
        const auto copy = [](const TSourceDef& def, const QString& file) {
            return "\\copy " + TCatalogSchema::Quoted(def.Table) + " (" + QuotedList(StoredColumns(def)) +
                   ") FROM '" + file + "' WITH (FORMAT csv)";
        };
        QProcess psql;
        psql.setProcessChannelMode(QProcess::MergedChannels);
        psql.start("psql", {"-X", "-q", "-1", "-v", "ON_ERROR_STOP=1", "-h", server_.SocketFolder(), "-U",
                            "postgres", "-d", database, "-c", copy(TCatalogSchema::Titles(), titles), "-c",
                            copy(TCatalogSchema::Episodes(), episodes)});
        if (!psql.waitForFinished(600'000) || psql.exitStatus() != QProcess::NormalExit || psql.exitCode() != 0)
            throw std::runtime_error("psql failed: " + psql.readAll().toStdString());
    }

private:
    TTestServer& server_;
};

std::int64_t Count(QSqlDatabase& db, const QString& table) {
    QSqlQuery q(db);
    if (!q.exec("SELECT count(*) FROM " + TCatalogSchema::Quoted(table)) || !q.next())
        throw std::runtime_error(q.lastError().text().toStdString());
    return q.value(0).toLongLong();
}

// The catalogue copied to the server by `copy` (kept as the database the other figures read),
// against psql's `\copy` of the same rows; wall-clock time, and the processor time of the
// client and the server's process together.
QString CopyToServer(TServerBench& server, const QString& file, const QString& titlesCsv,
                     const QString& episodesCsv) {
    Heading("Copy of the catalogue file to the server (goal: at most 2x psql \\copy)");
    QString ours, theirs;
    TCopyCount count;
    std::vector<double> wallOurs, wallTheirs, wallRatio, cpuOurs, cpuTheirs, cpuRatio, clientOurs;
    // A connection's backend ends a moment after its client lets go.
    const auto settle = [] { QThread::msleep(300); };
    for (int i = 0; i < CopyRuns; ++i) {
        if (!ours.isEmpty()) server.Drop(ours);
        ours = server.NewDatabase();
        settle();
        double before = server.ServerMs();
        double client = 0;
        wallOurs.push_back(bench::TimeOnce(
            [&] { client = bench::CpuTimeOnce([&] { count = TCatalogCopy::Run(file, server.Uri(ours)); }); }));
        settle();
        clientOurs.push_back(client);
        cpuOurs.push_back(client + server.ServerMs() - before);

        if (!theirs.isEmpty()) server.Drop(theirs);
        theirs = server.NewDatabase();
        {
            QSqlDatabase db = server.Connect("bench-schema", theirs);
            TCatalogSchema::Create(db);
            db.close();
        }
        QSqlDatabase::removeDatabase("bench-schema");
        settle();
        before = server.ServerMs();
        const double psql = ChildrenProcessorMs();
        wallTheirs.push_back(bench::TimeOnce([&] { server.PsqlCopy(theirs, titlesCsv, episodesCsv); }));
        settle();
        cpuTheirs.push_back(ChildrenProcessorMs() - psql + server.ServerMs() - before);
        wallRatio.push_back(wallOurs.back() / wallTheirs.back());
        cpuRatio.push_back(cpuOurs.back() / cpuTheirs.back());
    }
    const auto row = [](const char* what, const std::vector<double>& a, const std::vector<double>& b,
                        const std::vector<double>& r) {
        const bench::TSpread x = bench::SpreadOf(a), y = bench::SpreadOf(b), q = bench::SpreadOf(r);
        std::printf("  %-34s %9.0f ms (%.0f-%.0f) %9.0f ms (%.0f-%.0f)  ours/bare %5.2f (%.2f-%.2f)  goal 2.00\n",
                    what, x.Median, x.Low, x.High, y.Median, y.Low, y.High, q.Median, q.Low, q.High);
    };
    row("copy, wall-clock", wallOurs, wallTheirs, wallRatio);
    row("copy, processor (client + server)", cpuOurs, cpuTheirs, cpuRatio);
    const bench::TSpread client = bench::SpreadOf(clientOurs);
    std::printf("  of which our program: %.0f ms (%.0f-%.0f)\n", client.Median, client.Low, client.High);
    {
        QSqlDatabase a = server.Connect("bench-count-a", ours), b = server.Connect("bench-count-b", theirs);
        std::printf("  copied %lld titles and %lld episodes; psql: %lld and %lld\n", (long long)count.Titles,
                    (long long)count.Episodes, (long long)Count(a, "Sp"),
                    (long long)Count(b, QString::fromUtf8("Серии")));
        a.close();
        b.close();
    }
    QSqlDatabase::removeDatabase("bench-count-a");
    QSqlDatabase::removeDatabase("bench-count-b");
    server.Drop(theirs);
    std::fflush(stdout);
    return ours;
}

// The title's own row, every field.
std::vector<QVariant> BareTitle(QSqlDatabase& db, qlonglong title) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(R"sql(SELECT * FROM "Sp" WHERE "ID" = ?)sql");
    query.addBindValue(title);
    bench::Exec(query);
    std::vector<QVariant> row;
    if (query.next())
        for (int c = 0; c < 5; ++c) row.push_back(query.value(c));
    return row;
}

void Catalogue(TServerBench& server, const QString& database) {
    const QString uri = server.Uri(database);
    const qlonglong shown = 5000;
    int connections = 0;
    // A bare program connects as our commands and window do.
    const auto connected = [&](const std::function<void(QSqlDatabase&)>& work) {
        const QString name = QString("bench-bare-%1").arg(++connections);
        {
            QSqlDatabase db = server.Connect(name, database);
            work(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    };

    Heading("The window and the commands on the server catalogue (goal: at most 2x the bare queries)");
    std::unique_ptr<TCatalogForm> form;
    Compare(
        "opening the window", Runs, "2.00",
        {[&] { form = std::make_unique<TCatalogForm>(uri, TOpenMode::omReadOnly); }, [&] { form.reset(); }},
        {[&] {
             connected([](QSqlDatabase& db) {
                 const std::vector<bench::TTitleRow> all = bench::BareTitles(db, QString());
                 bench::BareEpisodes(db, all.front().Id);
                 bench::BareTotals(db, all.front().Id);
             });
         }});
    form.reset();

    QSqlDatabase db = server.Connect("bench-open", database);
    form = std::make_unique<TCatalogForm>(uri, TOpenMode::omReadOnly);
    for (const QString& prefix : {QString("K"), QString()}) {
        // From the other state to this one, so that every keystroke changes the list.
        const QString other = prefix.isEmpty() ? "K" : "";
        const size_t count = bench::BareTitles(db, prefix).size();
        Compare(prefix.isEmpty() ? "clearing the search (" + std::to_string(count) + ")"
                                 : "keystroke \"K\" (" + std::to_string(count) + " titles)",
                Runs, "2.00", {[&] { form->EFound->setText(prefix); }, [&] { form->EFound->setText(other); }},
                {[&] { bench::BareTitles(db, prefix); }});
    }
    int row = 0;
    Compare(
        "selecting a title", Runs, "2.00",
        {[&] { form->GV->SetCurrentRow(row); }, [&] { row = row == 4999 ? 5000 : 4999; }},
        {[&] {
            bench::BareEpisodes(db, row + 1);
            bench::BareTotals(db, row + 1);
        }});
    form.reset();
    db.close();
    db = {};
    QSqlDatabase::removeDatabase("bench-open");

    std::ostringstream sink, errors;
    int status = 0;
    for (const QStringList& command :
         {QStringList{"show", "--db", uri, QString::number(shown)},
          QStringList{"export", "--db", uri, "--title", QString::number(shown)}}) {
        Compare(
            command.first().toStdString() + (command.first() == "export" ? " --title " : " ") +
                std::to_string(shown),
            Runs, "2.00",
            {[&] {
                sink.str({});
                status = TCommandLine::Run(command, sink, errors);
            }},
            {[&] {
                connected([&](QSqlDatabase& own) {
                    BareTitle(own, shown);
                    bench::BareEpisodes(own, shown);
                });
            }});
        if (status != 0) throw std::runtime_error(command.first().toStdString() + " failed: " + errors.str());
    }
}

void PeakMemory(TServerBench& server, const QString& database) {
    const QString empty = server.NewDatabase();
    std::ostringstream out, errors;
    if (TCommandLine::Run({"init", server.Uri(empty)}, out, errors) != 0)
        throw std::runtime_error("init failed: " + errors.str());
    QTemporaryDir dir;
    const std::string png = dir.filePath("shot.png").toStdString();
    int full = 0, none = 0;
    const double big =
        bench::PeakMegabytes({TOLVANE_PROGRAM, "--screenshot", png, server.Uri(database).toStdString()}, full);
    const double small =
        bench::PeakMegabytes({TOLVANE_PROGRAM, "--screenshot", png, server.Uri(empty).toStdString()}, none);
    std::printf("  %-34s %8.1f MB against %.1f MB on an empty server catalogue: %+.1f MB (goal at most +50)%s\n",
                "peak memory of the window", big, small, big - small,
                full == 0 && none == 0 ? "" : "  (a run failed)");
    server.Drop(empty);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // `bench_server copy` measures the copy alone, for a profiler.
    const bool copyOnly = argc > 1 && QByteArray(argv[1]) == "copy";
    try {
        const QString file = bench::Cached(bench::CatalogName, bench::Generate);
        const QString titles = bench::Cached("bench-catalog-100k-v2-titles.csv", [&](const QString& to) {
            WriteCsv(file, TCatalogSchema::Titles(), to);
        });
        const QString episodes = bench::Cached("bench-catalog-100k-v2-episodes.csv", [&](const QString& to) {
            WriteCsv(file, TCatalogSchema::Episodes(), to);
        });
        TServerBench server;
        // `bench_server window` loads the catalogue by one copy and measures the window's steps alone.
        const bool windowOnly = argc > 1 && QByteArray(argv[1]) == "window";
        QString database;
        if (windowOnly) {
            database = server.NewDatabase();
            TCatalogCopy::Run(file, server.Uri(database));
            Catalogue(server, database);
        } else {
            database = CopyToServer(server, file, titles, episodes);
        }
        if (!copyOnly && !windowOnly) {
            Catalogue(server, database);
            PeakMemory(server, database);
        }
        server.Drop(database);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_server: %s\n", e.what());
        TTestServer::StopIfStarted();
        return 1;
    }
    TTestServer::StopIfStarted();
    return 0;
}
