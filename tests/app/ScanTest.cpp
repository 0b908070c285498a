#include <algorithm>
#include <QDir>
#include <algorithm>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

#include "RunCommand.h"
#include "RunProgram.h"
#include "TestCatalog.h"
#include "app/CommandLine.h"
#include "app/scan/FolderScan.h"
#include "app/scan/MediaProbe.h"
#include "app/scan/NaturalOrder.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";
const QString kCyrillic = QString::fromUtf8("Серия 1 пролог.mkv");

// The episodes of a title as "file|size|w|h|ms|audio|embedded|external", in ID order.
QStringList Episodes(TTestCatalog& catalogue, std::int64_t title) {
    test::TRawDb raw(catalogue.Path());
    QSqlQuery q(raw.Db());
    q.prepare(
        QString::fromUtf8("SELECT \"Серия\", \"Объём (байт)\", \"Ширина\", \"Высота\", \"Длительность\", "
                          "\"Звук\", \"Субтитры встроенные\", \"Субтитры внешние\" FROM \"Серии\" "
                          "WHERE \"Название\" = ? ORDER BY \"ID\""));
    q.addBindValue(QVariant::fromValue<qlonglong>(title));
    q.exec();
    QStringList rows;
    while (q.next()) {
        QStringList fields;
        for (int f = 0; f < 8; ++f) fields << q.value(f).toString();
        rows << fields.join('|');
    }
    return rows;
}

std::int64_t Count(TTestCatalog& catalogue, const char* table) {
    return catalogue.Scalar(QString("SELECT count(*) FROM \"%1\"").arg(QString::fromUtf8(table)))
        .toLongLong();
}

TEST(NaturalOrderTest, NumbersByValueLettersWithoutCase) {
    const QStringList sorted = {"1.mkv",
                                "01.mkv",
                                "2.mkv",
                                "10.mkv",
                                "Ep 2.mkv",
                                "ep 9.mkv",
                                "Ep 10.mkv",
                                "ep 10b.mkv",
                                "Ep 100.mkv",
                                QString::fromUtf8("Épisode 1.mkv"),
                                "Fin.mkv",
                                QString::fromUtf8("серия 3"),
                                QString::fromUtf8("Серия 20")};
    for (int i = 0; i < sorted.size(); ++i)
        for (int j = 0; j < sorted.size(); ++j)
            EXPECT_EQ(NaturalLess(sorted[i], sorted[j]), i < j)
                << sorted[i].toStdString() << " / " << sorted[j].toStdString();
    QStringList names = sorted;
    std::reverse(names.begin(), names.end());
    std::swap(names[0], names[5]);
    NaturalSort(names);
    EXPECT_EQ(names, sorted);
}

TEST(FolderScanTest, FindsSubtitleFilesBesideAVideo) {
    const QStringList folder = {"a.mkv",  "a.srt", "a.rus.ass", "a.b.c.srt",
                                "ab.srt", "a.txt", "a..srt",    "b.srt"};
    EXPECT_EQ(TFolderScan::ExternalSubtitles("a.mkv", folder), "SRT, ASS rus");
    EXPECT_EQ(TFolderScan::ExternalSubtitles("c.mkv", folder), "");
}

// Each video of a folder in turn against all its files: names that begin like another's, dots in
// the name, case, Cyrillic, and the folder's order kept whatever the names' order.
TEST(FolderScanTest, FindsTheSubtitlesOfEachVideoOfAFolder) {
    const QStringList folder = {"Show.S01E01.mkv", "Show.S01E01.srt",  "Show.S01E01.eng.ASS", "Show.S01E01.1.mkv",
                                "Show.S01E01.1.srt", "b.mkv",          "b.SSA",               "b 2.mkv",
                                "b 2.srt",          "b.jpn.srt",       "B.srt",               QString::fromUtf8("Серия.mkv"),
                                QString::fromUtf8("Серия.рус.srt"), QString::fromUtf8("Серия 1.srt")};
    const std::vector<std::pair<QString, QString>> expected = {
        {"Show.S01E01.mkv", "SRT, ASS eng, SRT 1"},
        {"Show.S01E01.1.mkv", "SRT"},
        {"b.mkv", "SSA, SRT jpn"},
        {"b 2.mkv", "SRT"},
        {QString::fromUtf8("Серия.mkv"), QString::fromUtf8("SRT рус")},
    };
    for (const auto& [video, subtitles] : expected)
        EXPECT_EQ(TFolderScan::ExternalSubtitles(video, folder), subtitles) << video.toStdString();
}

TEST(MediaProbeTest, ReadsTheTinyFixtures) {
    TMediaProbe probe;
    const auto two = probe.Read(kMedia + "/episode 2.mkv");
    ASSERT_TRUE(two);
    EXPECT_EQ(two->Size, QFileInfo(kMedia + "/episode 2.mkv").size());
    EXPECT_EQ(two->Width, 64);
    EXPECT_EQ(two->Height, 48);
    ASSERT_TRUE(two->Duration);
    EXPECT_NEAR(static_cast<double>(*two->Duration), 1600, 200); // 1.5 s of video, audio frames round up
    EXPECT_EQ(two->Audio, "AAC jpn, AAC rus");
    EXPECT_EQ(two->EmbeddedSubtitles, "UTF-8 eng");

    const auto cyrillic = probe.Read(kMedia + "/" + kCyrillic);
    ASSERT_TRUE(cyrillic) << "a Cyrillic name with blanks";
    EXPECT_EQ(cyrillic->Audio, "AAC rus");
    EXPECT_EQ(cyrillic->EmbeddedSubtitles, "");

    EXPECT_FALSE(probe.Read(kMedia + "/broken.avi"));
    EXPECT_FALSE(probe.Read(kMedia + "/missing.mkv"));
}

class ScanTest : public ::testing::TestWithParam<test::TEngine> {
protected:
    TRun Scan(const QString& folder, const QString& title, const QStringList& more = {}) {
        return Tolvane(QStringList{"scan", folder, "--title", title, "--db", catalogue.Path()} + more);
    }
    TTestCatalog catalogue{GetParam()};
};
TOLVANE_ON_BOTH_ENGINES(ScanTest);

// A table replaced by one of the test's own: a file's tables have no views bound to them.
class ScanFileTest : public ScanTest {};
INSTANTIATE_TEST_SUITE_P(File, ScanFileTest, ::testing::Values(test::TEngine::File), test::EngineName);

TEST_P(ScanTest, AddsOneEpisodePerVideoInNaturalOrderAndSkipsWhatItCannotRead) {
    const TRun r = Scan(kMedia, QString::fromUtf8("Пролог"), {"--type", "OVA"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "tolvane: " + (kMedia + "/broken.avi").toStdString() + ": not a readable video file\n");
    EXPECT_NE(r.out.find("3 added, 0 already listed, 1 skipped"), std::string::npos) << r.out;

    const std::int64_t id = catalogue.Scalar("SELECT \"ID\" FROM \"Sp\"").toLongLong();
    EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Название")).toString(),
              QString::fromUtf8("Пролог"));
    EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Тип")).toString(), "OVA");
    EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Количество серий")).toString(), "3");
    const QStringList rows = Episodes(catalogue, id);
    ASSERT_EQ(rows.size(), 3);
    const auto size = [](const QString& name) {
        return QString::number(QFileInfo(kMedia + "/" + name).size());
    };
    const auto fields = [](const QString& row) { return row.split('|'); };
    EXPECT_EQ(fields(rows[0]).mid(0, 4), (QStringList{"episode 2.mkv", size("episode 2.mkv"), "64", "48"}));
    EXPECT_EQ(fields(rows[0]).mid(5), (QStringList{"AAC jpn, AAC rus", "UTF-8 eng", ""}));
    EXPECT_EQ(fields(rows[1]).mid(0, 2), (QStringList{"episode 10.mp4", size("episode 10.mp4")}));
    EXPECT_EQ(fields(rows[1]).mid(5), (QStringList{"AAC eng", "", ""}));
    EXPECT_EQ(fields(rows[2]).mid(0, 2), (QStringList{kCyrillic, size(kCyrillic)}));
    EXPECT_EQ(fields(rows[2]).mid(5), (QStringList{"AAC rus", "", "ASS, SRT"}));
    for (const QString& row : rows) EXPECT_NEAR(fields(row)[4].toDouble(), 1600, 200) << row.toStdString();
}

// A folder of `count` videos, copies of the fixtures in turn (an unreadable one among them).
QString ManyVideos(const QTemporaryDir& dir, int count) {
    const QStringList sources = {"episode 2.mkv", "episode 10.mp4", kCyrillic, "broken.avi"};
    const QString folder = dir.filePath("many");
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const QString& source = sources[i % sources.size()];
        QFile::copy(kMedia + "/" + source, folder + QString("/part %1.").arg(count - i) + QFileInfo(source).suffix());
    }
    return folder;
}

TEST(ParallelScanTest, ReadingOnSeveralThreadsStoresTheRowsOfOneThreadInTheSameOrder) {
    QTemporaryDir dir;
    const QString folder = ManyVideos(dir, 48);
    TTestCatalog serial, parallel;
    const TScanResult one = TFolderScan::Run({folder, serial.Path(), "Many", "TV", 1});
    std::vector<int> reported;
    const TScanResult four = TFolderScan::Run({folder, parallel.Path(), "Many", "TV", 4},
                                              [&](int k, int, const QString&) { reported.push_back(k); });
    EXPECT_EQ(one.Added, 36);
    EXPECT_EQ(four.Added, one.Added);
    EXPECT_EQ(four.Skipped, one.Skipped);
    const QStringList rows = Episodes(serial, one.TitleId);
    ASSERT_EQ(rows.size(), 36);
    // Part 1 cannot be read; 10 comes after 8 (and part 9 cannot be read either).
    EXPECT_TRUE(rows[0].startsWith("part 2.")) << rows[0].toStdString();
    EXPECT_TRUE(rows[6].startsWith("part 10.")) << rows[6].toStdString();
    EXPECT_EQ(Episodes(parallel, four.TitleId), rows);
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_LE(reported.back(), 48);
}

TEST(ParallelScanTest, CancellingWhileSeveralThreadsReadStopsTheReadingAndStoresNothing) {
    QTemporaryDir dir;
    const QString folder = ManyVideos(dir, 400);
    TTestCatalog catalogue;
    int reportedAfterCancel = 0;
    bool cancel = false; // the user's Cancel, pressed while the fifth file is read
    EXPECT_THROW(TFolderScan::Run(
                     {folder, catalogue.Path(), "Many", "TV", 4},
                     [&](int k, int, const QString&) {
                         reportedAfterCancel += cancel;
                         cancel = cancel || k >= 5;
                     },
                     [&] { return cancel; }),
                 EScanCancelled);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(reportedAfterCancel, 0) << "the reading went on after Cancel";
    EXPECT_EQ(Count(catalogue, "Sp"), 0);
    EXPECT_EQ(Count(catalogue, "Серии"), 0);
}

TEST_P(ScanFileTest, ATruncatedVideoIsReportedAndSkipped) {
    QTemporaryDir dir;
    QFile::copy(kMedia + "/episode 2.mkv", dir.filePath("whole.mkv"));
    QFile whole(kMedia + "/episode 2.mkv");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath("cut.mkv"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(3 * 1024));
    cut.close();

    const TRun r = Scan(dir.path(), "Cut");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "tolvane: " + dir.filePath("cut.mkv").toStdString() + ": truncated, skipped\n");
    EXPECT_NE(r.out.find("1 added, 0 already listed, 1 skipped"), std::string::npos) << r.out;
    const QStringList rows = Episodes(catalogue, catalogue.Scalar("SELECT \"ID\" FROM \"Sp\"").toLongLong());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith("whole.mkv|"));
}

// Root reads every file whatever its mode: the program runs as an ordinary user for this.
TEST_P(ScanFileTest, AVideoThatCannotBeReadSaysPermissionDenied) {
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked.mkv");
    QFile::copy(kMedia + "/episode 2.mkv", dir.filePath("open.mkv"));
    QFile::copy(kMedia + "/episode 2.mkv", locked);
    QFile::setPermissions(locked, {});
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                          QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup;
    QFile::setPermissions(dir.path(), everyone);
    QFile::setPermissions(QFileInfo(catalogue.Path()).path(), everyone);
    QFile::setPermissions(catalogue.Path(), everyone);

    const test::TProgramRun r = test::RunProgram(
        {"scan", dir.path(), "--title", "Locked", "--db", catalogue.Path()}, {.asUser = true});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "tolvane: " + locked.toStdString() + ": permission denied\n");
    EXPECT_NE(r.out.find("1 added, 0 already listed, 1 skipped"), std::string::npos) << r.out;
}

TEST_P(ScanTest, RescanAddsNothingTwiceAndAnExistingTitleGetsTheNewFiles) {
    QTemporaryDir dir;
    QFile::copy(kMedia + "/episode 2.mkv", dir.filePath("episode 2.mkv"));
    const std::int64_t id = catalogue.AddTitle("Nana", "TV", "2");
    ASSERT_EQ(Scan(dir.path(), "Nana").status, 0);
    QFile::copy(kMedia + "/episode 10.mp4", dir.filePath("episode 10.mp4"));
    const TRun again = Scan(dir.path(), "Nana");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("1 added, 1 already listed, 0 skipped"), std::string::npos) << again.out;
    EXPECT_EQ(Scan(dir.path(), "Nana").status, 0);
    EXPECT_EQ(Count(catalogue, "Sp"), 1);
    EXPECT_EQ(Episodes(catalogue, id).size(), 2);
    EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Количество серий")).toString(), "2");
}

TEST_P(ScanFileTest, AFailedWriteAddsNeitherTheTitleNorAnyEpisode) {
    // The catalogue refuses the third episode (the Cyrillic name, after the two Latin ones): the
    // two before it and the title go too. (A constraint, as the catalogue's triggers do not run
    // on our writes.)
    test::TRawDb raw(catalogue.Path());
    raw.Exec(QString::fromUtf8("DROP TABLE \"Серии\""));
    raw.Exec(QString::fromUtf8("CREATE TABLE \"Серии\" (\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Название\" "
                               "INTEGER, \"Серия\" VARCHAR(50) CONSTRAINT \"disk full\" CHECK (\"Серия\" NOT "
                               "LIKE 'Серия%'), \"Объём (байт)\" BIGINT, \"Ширина\" INTEGER, \"Высота\" INTEGER, "
                               "\"Длительность\" INTEGER, \"Звук\" VARCHAR(50), \"Субтитры встроенные\" "
                               "VARCHAR(50), \"Субтитры внешние\" VARCHAR(50))"));
    const TRun r = Scan(kMedia, "Full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("disk full"), std::string::npos) << r.err;
    EXPECT_EQ(Count(catalogue, "Sp"), 0);
    EXPECT_EQ(Count(catalogue, "Серии"), 0);
}

TEST_P(ScanTest, BadInputIsOneLineOfErrorAndAddsNothing) {
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty");
    const QString junk = dir.filePath("junk");
    QDir().mkpath(empty);
    QDir().mkpath(junk);
    QFile::copy(kMedia + "/broken.avi", junk + "/broken.avi");
    QFile::copy(kMedia + "/notes.txt", empty + "/notes.txt");
    const QString notCatalogue = kMedia + "/notes.txt";

    TTestCatalog readOnly;
    QFile::setPermissions(readOnly.Path(), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    const bool root = QFileInfo(readOnly.Path()).isWritable();

    struct Case {
        QStringList args;
        std::string fragment;
    };
    std::vector<Case> cases = {
        {{"scan", dir.filePath("missing"), "--title", "X", "--db", catalogue.Path()}, "no such folder"},
        {{"scan", notCatalogue, "--title", "X", "--db", catalogue.Path()}, "not a folder"},
        {{"scan", empty, "--title", "X", "--db", catalogue.Path()}, "no video files"},
        {{"scan", junk, "--title", "X", "--db", catalogue.Path()}, "no readable video files"},
        {{"scan", kMedia, "--title", "X", "--db", dir.filePath("missing.db")}, "no such file"},
        {{"scan", kMedia, "--title", "X", "--db", notCatalogue}, "not a catalogue"},
        {{"scan", kMedia, "--title", "X", "--type", "Serial", "--db", catalogue.Path()},
         "unknown type Serial"},
        {{"scan", kMedia, "--db", catalogue.Path()}, "needs --title"},
        {{"scan", "--title", "X", "--db", catalogue.Path()}, "needs a folder"},
    };
    if (!root) cases.push_back({{"scan", kMedia, "--title", "X", "--db", readOnly.Path()}, "read-only"});
    for (const Case& c : cases) {
        const TRun r = Tolvane(c.args);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.out, "") << c.fragment;
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(Count(catalogue, "Sp"), 0);
    EXPECT_EQ(Count(catalogue, "Серии"), 0);
}

} // namespace
} // namespace tolvane
