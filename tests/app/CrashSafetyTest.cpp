#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <thread>
#include <tuple>

#include "TestCatalog.h"
#include "app/CommandLine.h"

namespace tolvane {
namespace {

using test::TRawDb;
using test::TTestCatalog;

// "<round>-<n>" as a pair that orders edits by when they were made.
std::pair<int, int> Stamp(const QString& value) {
    const QStringList parts = value.split('-');
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}

struct TFieldKey {
    QString table, id, field;
    bool operator<(const TFieldKey& o) const {
        return std::tie(table, id, field) < std::tie(o.table, o.id, o.field);
    }
};

// Rounds in the ordinary test run; TOLVANE_KILL_ROUNDS asks for more.
int Rounds() {
    const int asked = qEnvironmentVariableIntValue("TOLVANE_KILL_ROUNDS");
    return asked > 0 ? asked : 30;
}

// The program stores numbered edits and reports each once stored; it is killed at a random
// moment, mid-transaction or between two. Afterwards the catalogue passes SQLite's integrity check
// and every field holds the edit last reported for it, or one made after it.
TEST(CrashSafety, KilledWhileStoringEditsLosesNothingReported) {
    const QString program = QCoreApplication::applicationDirPath() + "/../tolvane";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    TTestCatalog catalogue;
    for (int t = 0; t < 4; ++t) {
        const std::int64_t id = catalogue.AddTitle(QString("Title %1").arg(t));
        for (int e = 0; e < 3; ++e)
            catalogue.AddEpisode(id, {QString("e%1.mkv").arg(e), 1000, 640, 480, 1000});
    }

    std::mt19937 random(17);
    std::map<TFieldKey, std::pair<int, int>> reported;
    int killedMidway = 0;
    int journalsLeft = 0;
    const int rounds = Rounds();
    for (int round = 1; round <= rounds; ++round) {
        QProcess viewer;
        viewer.start(program, {"store-edits", catalogue.Path(), QString::number(round), "100000"});
        ASSERT_TRUE(viewer.waitForStarted());
        // Kill after a random number of stored edits and a random pause below a millisecond.
        const int edits = int(random() % 30);
        QByteArray output;
        while (output.count('\n') < edits && viewer.state() == QProcess::Running) {
            viewer.waitForReadyRead(1000);
            output += viewer.readAllStandardOutput();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 1000));
        viewer.kill();
        ASSERT_TRUE(viewer.waitForFinished());
        output += viewer.readAllStandardOutput();
        if (viewer.exitStatus() == QProcess::CrashExit) ++killedMidway;
        EXPECT_EQ(viewer.readAllStandardError(), "") << "round " << round;

        for (const QByteArray& raw : output.split('\n')) {
            const QStringList parts = QString::fromUtf8(raw).split(' ');
            if (parts.size() < 4) continue; // the line the kill cut
            const TFieldKey key{parts.first(), parts[1], parts.mid(2, parts.size() - 3).join(' ')};
            reported[key] = Stamp(parts.last());
        }

        // A kill inside a transaction leaves its journal behind; the next reader rolls it back.
        if (QFile::exists(catalogue.Path() + "-journal")) {
            ++journalsLeft;
            std::ostringstream out, err;
            EXPECT_EQ(TCommandLine::Run({"list", "--db", catalogue.Path()}, out, err), 0) << err.str();
            const std::string listed = out.str();
            EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 4) << listed;
        }
        TRawDb raw(catalogue.Path());
        EXPECT_EQ(raw.Scalar("PRAGMA integrity_check").toString(), "ok") << "round " << round;
        for (const auto& [key, stamp] : reported) {
            const QString value = raw.Scalar("SELECT " + TCatalogSchema::Quoted(key.field) + " FROM " +
                                                 TCatalogSchema::Quoted(key.table) + " WHERE \"ID\" = ?",
                                             {key.id.toLongLong()})
                                      .toString();
            EXPECT_GE(Stamp(value), stamp)
                << "round " << round << ": " << key.table.toStdString() << " " << key.id.toStdString() << " "
                << key.field.toStdString() << " holds " << value.toStdString();
        }
    }
    EXPECT_GT(killedMidway, rounds / 2) << "the kills must land while the program runs";
    EXPECT_FALSE(reported.empty());
    std::printf("[ figures  ] %d kill rounds, %d inside a transaction, %zu fields with reported edits\n",
                rounds, journalsLeft, reported.size());
}

} // namespace
} // namespace tolvane
