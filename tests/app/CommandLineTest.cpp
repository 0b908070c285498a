#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <sstream>

#include "RunCommand.h"
#include "TestCatalog.h"
#include "app/CommandLine.h"
#include "app/DemoCatalog.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

QStringList Lines(const std::string& text) {
    QStringList lines = QString::fromStdString(text).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray Digest(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void ExpectError(const TRun& r, const std::string& fragment) {
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(fragment), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
}

class CommandLineTest : public ::testing::TestWithParam<test::TEngine> {
protected:
    void SetUp() override {
        naruto = catalogue.AddTitle(QString::fromUtf8("Наруто"), "TV", "220");
        nana = catalogue.AddTitle("Nana", "OVA", "2");
        ghost = catalogue.AddTitle("Ghost", "Movie", QVariant());
        catalogue.AddEpisode(naruto, {"n01.mkv", 5'000'000'000LL, 1920, 1080, 1'440'000, "AAC"});
        catalogue.AddEpisode(naruto, {"n02.mkv", 1'000LL, QVariant(), QVariant(), 61'000, "FLAC"});
    }
    QString Db() const { return catalogue.Path(); }

    TTestCatalog catalogue{GetParam()};
    std::int64_t naruto = 0, nana = 0, ghost = 0;
};

TOLVANE_ON_BOTH_ENGINES(CommandLineTest);

TEST_P(CommandLineTest, ListsEveryTitleWithItsTotals) {
    const TRun r = Tolvane({"list", "--db", Db()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        Lines(r.out),
        (QStringList{QString::fromUtf8("%1\tНаруто\tTV\t220\t  5 000 001 000 \t00:25:01,000").arg(naruto),
                     QString("%1\tNana\tOVA\t2\t\t00:00:00,000").arg(nana),
                     QString("%1\tGhost\tMovie\t\t\t00:00:00,000").arg(ghost)}));
}

TEST_P(CommandLineTest, ListsWhatTheSearchBoxWouldList) {
    EXPECT_EQ(Lines(Tolvane({"list", "--db", Db(), QString::fromUtf8("нАр")}).out).size(), 1);
    EXPECT_EQ(Lines(Tolvane({"list", "--db", Db(), "n"}).out).size(), 1);
    EXPECT_EQ(Lines(Tolvane({"list", "--db", Db(), "%"}).out).size(), 0);
    EXPECT_EQ(Lines(Tolvane({"list", "--db", Db(), "'"}).out).size(), 0);
    const TRun dashed = Tolvane({"list", "--db", Db(), "--", "-x"});
    EXPECT_EQ(dashed.status, 0) << dashed.err;
}

TEST_P(CommandLineTest, ShowsEpisodesAsTheGridDoes) {
    const TRun r = Tolvane({"show", "--db", Db(), QString::number(naruto)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out),
              (QStringList{QString::fromUtf8("Серия\tОбъём (байт)\tРазмеры\tДлительность\tЗвук\tСуб In\tExt"),
                           "n01.mkv\t  5 000 000 000 \t1920x1080\t00:24:00,000\tAAC\t\t",
                           "n02.mkv\t  1 000 \tx\t00:01:01,000\tFLAC\t\t"}));
}

TEST_P(CommandLineTest, TitleWithoutEpisodesShowsTheHeaderAlone) {
    const TRun r = Tolvane({"show", "--db", Db(), QString::number(ghost)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Lines(r.out).size(), 1);
}

TEST_P(CommandLineTest, ErrorsAreOneLineAndStatusOne) {
    ExpectError(Tolvane({"show", "--db", Db(), "999"}), (Db() + ": no title with ID 999").toStdString());
    ExpectError(Tolvane({"show", "--db", Db(), "abc"}), "ID must be a whole number");
    ExpectError(Tolvane({"show", "--db", Db()}), "show needs a title ID");
    ExpectError(Tolvane({"list", "--db", catalogue.Folder("none.db")}),
                (catalogue.Folder("none.db") + ": no such file").toStdString());
    ExpectError(Tolvane({"list", "--bogus"}), "unknown option --bogus");
    ExpectError(Tolvane({"list", "--db"}), "--db needs a value");
    ExpectError(Tolvane({"list", "--db", Db(), "a", "b"}), "unexpected argument b");
    ExpectError(Tolvane({"--frobnicate"}), "unknown option --frobnicate");
    const QString foreign = catalogue.Folder("foreign.db");
    { test::TRawDb(foreign).Exec("CREATE TABLE t (x)"); }
    ExpectError(Tolvane({"show", "--db", foreign, "1"}), (foreign + ": not a catalogue").toStdString());
    EXPECT_FALSE(QFileInfo::exists(catalogue.Folder("none.db")));
}

// Options spelled as Qt programs take them, and help asked for anywhere.
TEST_P(CommandLineTest, OptionsTakeEverySpellingOfAQtProgram) {
    const std::string listed = Tolvane({"list", "--db", Db()}).out;
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(Tolvane({"list", "--db=" + Db()}).out, listed);
    EXPECT_EQ(Tolvane({"list", "-db", Db(), "-platformtheme", "none"}).out, listed);
    EXPECT_EQ(Tolvane({"list", QString::fromUtf8("--db=") + Db(), "-style=Fusion", "Н"}).out,
              Lines(listed).first().toStdString() + "\n");
    for (const QStringList& args : {QStringList{"list", "--help"}, QStringList{"show", "-h", "1"},
                                    QStringList{"--read-only", "--help"}, QStringList{"-help"}}) {
        const TRun r = Tolvane(args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << r.err;
        EXPECT_NE(r.out.find("tolvane export"), std::string::npos) << args.join(' ').toStdString();
    }
    ExpectError(Tolvane({"--read-only=yes", Db()}), "--read-only takes no value");
    ExpectError(Tolvane({"list", "--db", Db(), "--db", Db()}), "--db given twice");
}

// What only a file shows: its SQL is SQLite's own.
class CommandLineFileTest : public CommandLineTest {};
INSTANTIATE_TEST_SUITE_P(File, CommandLineFileTest, ::testing::Values(test::TEngine::File), test::EngineName);

// A catalogue made elsewhere sums its episodes as integers; for the title listed last the sum
// overflows, after the lines before it were made.
TEST_P(CommandLineFileTest, ListPrintsEveryLineOrNone) {
    test::TRawDb raw(Db());
    raw.Exec("DROP VIEW \"Rjk\"");
    raw.Exec(QString::fromUtf8(R"sql(CREATE VIEW "Rjk" AS SELECT s."Название" AS "Название",
        SUM(e."Объём (байт)") AS "Sum-Объём(байт)", SUM(e."Длительность") AS "Sum-Длительность",
        s."ID" AS "ID" FROM "Sp" s LEFT JOIN "Серии" e ON e."Название" = s."ID" GROUP BY s."ID")sql"));
    const std::int64_t huge = catalogue.AddTitle("Zeta");
    catalogue.AddEpisode(huge, {"z1.mkv", 9'000'000'000'000'000'000LL, 640, 480, 1'000});
    catalogue.AddEpisode(huge, {"z2.mkv", 9'000'000'000'000'000'000LL, 640, 480, 1'000});
    const TRun r = Tolvane({"list", "--db", Db()});
    ExpectError(r, "integer overflow");
}

TEST_P(CommandLineTest, ReadingNeverWritesTheCatalogue) {
    const QByteArray before = Digest(Db());
    Tolvane({"list", "--db", Db()});
    Tolvane({"show", "--db", Db(), "1"});
    const TRun shot =
        Tolvane({"--screenshot", catalogue.Folder("a.png"), "--search", "N", "--select", "0", Db()});
    EXPECT_EQ(shot.status, 0) << shot.err;
    EXPECT_EQ(Digest(Db()), before);
}

TEST_P(CommandLineTest, ScreenshotRendersTheWindow) {
    const QString png = catalogue.Folder("shot.png");
    const TRun r = Tolvane({"--screenshot", png, "--search", QString::fromUtf8("на"), Db()});
    EXPECT_EQ(r.status, 0) << r.err;
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 400);
    EXPECT_GT(image.height(), 300);
}

TEST_P(CommandLineTest, ScreenshotErrors) {
    ExpectError(Tolvane({"--screenshot", catalogue.Folder("x.png"), catalogue.Folder("none.db")}),
                "no such file");
    ExpectError(Tolvane({"--screenshot", catalogue.Folder("x.png"), "--select", "7", Db()}),
                "row 7 out of range");
    ExpectError(Tolvane({"--screenshot", catalogue.Folder("x.png"), "--select", "one", Db()}),
                "ROW must be a whole number");
    ExpectError(Tolvane({"--screenshot"}), "needs a PNG file name");
    ExpectError(Tolvane({"--screenshot", catalogue.Folder("no/such/dir/x.png"), Db()}), "cannot write");
}

TEST_P(CommandLineTest, DemoCatalogueHasTwoHundredFiftyVariedTitles) {
    const QString path = catalogue.Folder("demo.db");
    const TRun r = Tolvane({"demo", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const QStringList titles = Lines(Tolvane({"list", "--db", path}).out);
    ASSERT_EQ(titles.size(), TDemoCatalog::TitleCount);
    QSet<QString> types;
    bool cyrillic = false, latin = false, apostrophe = false;
    for (const QString& line : titles) {
        const QStringList cells = line.split('\t');
        ASSERT_EQ(cells.size(), 6);
        types << cells[2];
        cyrillic |= cells[1].contains(QRegularExpression("[А-Яа-яЁё]"));
        latin |= cells[1].contains(QRegularExpression("^[A-Za-z]"));
        apostrophe |= cells[1].contains('\'');
        EXPECT_LE(cells[1].size(), 50);
    }
    EXPECT_EQ(types, (QSet<QString>{"TV", "OVA", "Movie"}));
    EXPECT_TRUE(cyrillic && latin && apostrophe);

    test::TRawDb raw(path);
    EXPECT_GT(
        raw.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE \"Объём (байт)\" > 4294967296"))
            .toInt(),
        0);
    EXPECT_GT(
        raw.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE \"Ширина\" IS NULL")).toInt(), 0);
    EXPECT_GT(raw.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Rjk\" WHERE \"Sum-Объём(байт)\" IS NULL"))
                  .toInt(),
              0);
    EXPECT_EQ(raw.Scalar(QString::fromUtf8(
                             "SELECT max(n) FROM (SELECT count(e.\"ID\") AS n FROM \"Sp\" s LEFT JOIN "
                             "\"Серии\" e ON e.\"Название\" = s.\"ID\" GROUP BY s.\"ID\")"))
                      .toInt() <= 26,
              true);
    // Titles sharing a prefix.
    EXPECT_GT(Lines(Tolvane({"list", "--db", path, QString::fromUtf8("Нар")}).out).size(), 1);
}

// A few listed titles have their totals read by key, many in one pass: the lines are the same.
TEST_P(CommandLineTest, ListShowsTheSameTotalsForAFewTitlesAsForAll) {
    const QString path = catalogue.Folder("demo.db");
    ASSERT_EQ(Tolvane({"demo", path}).status, 0);
    const QStringList all = Lines(Tolvane({"list", "--db", path}).out);
    for (const char* prefix : {"Нар", "Gh", "O'"}) {
        const QStringList few = Lines(Tolvane({"list", "--db", path, QString::fromUtf8(prefix)}).out);
        ASSERT_FALSE(few.isEmpty()) << prefix;
        ASSERT_LE(few.size(), 16) << prefix;
        for (const QString& line : few) EXPECT_TRUE(all.contains(line)) << line.toStdString();
    }
}

TEST_P(CommandLineTest, DemoIsDeterministicAndRefusesToOverwrite) {
    const QString a = catalogue.Folder("a.db");
    const QString b = catalogue.Folder("b.db");
    ASSERT_EQ(Tolvane({"demo", a}).status, 0);
    ASSERT_EQ(Tolvane({"demo", b}).status, 0);
    EXPECT_EQ(Tolvane({"list", "--db", a}).out, Tolvane({"list", "--db", b}).out);
    const QByteArray before = Digest(a);
    ExpectError(Tolvane({"demo", a}), (a + ": already exists").toStdString());
    EXPECT_EQ(Digest(a), before);
}

} // namespace
} // namespace tolvane
