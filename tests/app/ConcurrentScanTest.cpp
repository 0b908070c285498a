// Writers take turns: scans of one folder started at the same moment, as two real processes, add
// each file once and one title of a name, and a scan that cannot get the write lock says so.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

#include "RunCommand.h"
#include "TestCatalog.h"

namespace tolvane {
namespace {

using test::TRawDb;
using test::TTestCatalog;

const QString kVideo = QString(TOLVANE_TEST_DATA) + "/media/episode 2.mkv";
constexpr int kFiles = 150;
constexpr int kScans = 2;

QString Program() {
    return QCoreApplication::applicationDirPath() + "/../tolvane";
}

// A folder of copies of one small video: reading them all takes the scans long enough that
// each reads the catalogue before the other writes.
QString MakeFolder(TTestCatalog& catalogue) {
    const QString folder = catalogue.Folder("race");
    EXPECT_TRUE(QDir().mkpath(folder));
    for (int k = 1; k <= kFiles; ++k) EXPECT_TRUE(QFile::copy(kVideo, folder + QString("/ep %1.mkv").arg(k)));
    return folder;
}

struct TScanCounts {
    int added = 0, listed = 0;
};

// "Race (ID 1, new): 149 added, 1 already listed, 0 skipped".
TScanCounts Counts(const QString& line) {
    const QRegularExpressionMatch m =
        QRegularExpression(R"((\d+) added, (\d+) already listed, 0 skipped)").match(line);
    EXPECT_TRUE(m.hasMatch()) << line.toStdString();
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

class ConcurrentScanTest : public ::testing::TestWithParam<test::TEngine> {};
TOLVANE_ON_BOTH_ENGINES(ConcurrentScanTest);

TEST_P(ConcurrentScanTest, ScansStartedTogetherAddEachFileOnceToOneTitle) {
    ASSERT_TRUE(QFileInfo(Program()).isExecutable()) << Program().toStdString();
    // A new title, and a title that lists one of the files already.
    for (const int listedBefore : {0, 1}) {
        SCOPED_TRACE(listedBefore ? "existing title" : "new title");
        TTestCatalog catalogue(GetParam());
        const QString folder = MakeFolder(catalogue);
        if (listedBefore) catalogue.AddEpisode(catalogue.AddTitle("Race"), {"ep 1.mkv", 1, 1, 1, 1});

        std::unique_ptr<QProcess> scans[kScans];
        for (auto& scan : scans) {
            scan = std::make_unique<QProcess>();
            scan->start(Program(), {"scan", folder, "--title", "Race", "--db", catalogue.Path()});
        }
        TScanCounts total;
        for (auto& scan : scans) {
            ASSERT_TRUE(scan->waitForFinished(120000));
            const QString err = QString::fromUtf8(scan->readAllStandardError());
            EXPECT_EQ(scan->exitCode(), 0) << err.toStdString();
            EXPECT_EQ(err, "");
            const TScanCounts counts = Counts(QString::fromUtf8(scan->readAllStandardOutput()));
            EXPECT_EQ(counts.added + counts.listed, kFiles) << "every file is added or found listed";
            total.added += counts.added;
        }
        EXPECT_EQ(total.added, kFiles - listedBefore) << "the reported counts are what was written";
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Sp\" WHERE \"Название\" = 'Race'"))
                      .toInt(),
                  1);
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\"")).toInt(), kFiles);
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(DISTINCT \"Серия\") FROM \"Серии\"")).toInt(),
                  kFiles);
    }
}

TEST(ConcurrentScan, AScanThatCannotGetTheWriteLockSaysSoInTheDatabasesWords) {
    TTestCatalog catalogue;
    TRawDb writer(catalogue.Path());
    writer.Exec("BEGIN IMMEDIATE");
    const TRun r = Tolvane({"scan", QFileInfo(kVideo).path(), "--title", "Locked", "--db", catalogue.Path()});
    writer.Exec("ROLLBACK");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tolvane: " + catalogue.Path().toStdString() + ": database is locked\n");
    EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Sp\"")).toInt(), 0);
}

} // namespace
} // namespace tolvane
