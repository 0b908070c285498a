#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

#include "RunCommand.h"
#include "TestCatalog.h"
#include "app/CommandLine.h"
#include "app/export/DelimitedText.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

std::string U(const char* text) {
    return text;
}

class ExportTest : public ::testing::TestWithParam<test::TEngine> {
protected:
    void SetUp() override {
        naruto = catalogue.AddTitle(QString::fromUtf8("Наруто"), "TV", "220", QString::fromUtf8("Смотреть"));
        ghost = catalogue.AddTitle("Ghost, \"the\" Shell", "Movie", QVariant());
        catalogue.AddEpisode(naruto, {"n01.mkv", 5'000'000'000LL, 1920, 1080, 1'440'000, "AAC\tjpn"});
        catalogue.AddEpisode(naruto, {"n02, end.mkv", QVariant(), QVariant(), QVariant(), 61'000, "FLAC"});
    }
    TTestCatalog catalogue{GetParam()};
    std::int64_t naruto = 0, ghost = 0;
};

TOLVANE_ON_BOTH_ENGINES(ExportTest);

TEST_P(ExportTest, TitlesWithTheirTotalsAsCsv) {
    const TRun r = Tolvane({"export", "--db", catalogue.Path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, U("ID,Название,Тип,Количество серий,Комментарий,Sum-Объём(байт),Sum-Длительность\r\n") +
                         std::to_string(naruto) + U(",Наруто,TV,220,Смотреть,5000000000,1501000\r\n") +
                         std::to_string(ghost) + ",\"Ghost, \"\"the\"\" Shell\",Movie,,,,\r\n");
}

TEST_P(ExportTest, OneTitlesEpisodesWithStoredAndCalculatedFieldsAsTsv) {
    const TRun r =
        Tolvane({"export", "--db", catalogue.Path(), "--title", QString::number(naruto), "--format", "tsv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string id = std::to_string(naruto);
    const std::string first =
        std::to_string(catalogue.Scalar("SELECT min(\"ID\") FROM \"Серии\"").toLongLong());
    const std::string second =
        std::to_string(catalogue.Scalar("SELECT max(\"ID\") FROM \"Серии\"").toLongLong());
    EXPECT_EQ(r.out,
              U("ID\tНазвание\tСерия\tSize\tОбъём (байт)\tРазмеры\tШирина\tВысота\tTime\tДлительность\t"
                "Звук\tСубтитры встроенные\tСубтитры внешние\n") +
                  first + "\t" + id +
                  "\tn01.mkv\t  5 000 000 000 \t5000000000\t1920x1080\t1920\t1080\t"
                  "00:24:00,000\t1440000\tAAC\\tjpn\t\t\n" +
                  second + "\t" + id + "\tn02, end.mkv\t\t\tx\t\t\t00:01:01,000\t61000\tFLAC\t\t\n");
}

TEST_P(ExportTest, TitleWithoutEpisodesGivesTheHeaderAlone) {
    const TRun r = Tolvane({"export", "--db", catalogue.Path(), "--title", QString::number(ghost)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST(DelimitedTextTest, QuotesOrEscapesOnlyWhatNeedsIt) {
    struct Case {
        std::string text, csv, tsv;
    } cases[] = {
        {"", "", ""},
        {"plain text", "plain text", "plain text"},
        {"a,b", "\"a,b\"", "a,b"},
        {"say \"hi\"", "\"say \"\"hi\"\"\"", "say \"hi\""},
        {"two\nlines\r", "\"two\nlines\r\"", "two\\nlines\\r"},
        {"tab\there", "tab\there", "tab\\there"},
        {"back\\slash", "back\\slash", "back\\\\slash"},
        {U("Объём, байт"), U("\"Объём, байт\""), U("Объём, байт")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TDelimitedText::Field(c.text, TTextFormat::tfCsv), c.csv) << c.text;
        EXPECT_EQ(TDelimitedText::Field(c.text, TTextFormat::tfTsv), c.tsv) << c.text;
    }
}

TEST_P(ExportTest, BadInputIsOneLineOfErrorAndNoOutput) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.txt");
    {
        QFile f(text);
        f.open(QIODevice::WriteOnly);
        f.write("this is not a catalogue, just some words that go on for a while\n");
    }
    const struct {
        QStringList args;
        std::string fragment;
    } cases[] = {
        {{"export", "--db", dir.filePath("missing.db")}, "no such file"},
        {{"export", "--db", text}, "not a catalogue"},
        {{"export", "--db", catalogue.Path(), "--title", "999"}, "no title with ID 999"},
        {{"export", "--db", catalogue.Path(), "--title", "x"}, "whole number"},
        {{"export", "--db", catalogue.Path(), "--format", "xml"}, "unknown format xml"},
        {{"export", "--db", catalogue.Path(), "extra"}, "unexpected argument"},
    };
    for (const auto& c : cases) {
        const TRun r = Tolvane(c.args);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.out, "") << c.fragment;
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// The cells of a workbook as "sheet<TAB>cell<TAB>kind<TAB>value" lines, read from its XML.
QStringList WorkbookCells(const QString& path) {
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PYTHONIOENCODING", "utf-8");
    python.setProcessEnvironment(env);
    python.start("python3", {QString(TOLVANE_TEST_DATA) + "/../support/xlsx-cells.py", path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        ADD_FAILURE() << "python3: " << python.errorString().toStdString() << " "
                      << python.readAllStandardError().toStdString();
    QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split('\n');
    lines.removeAll(QString());
    return lines;
}

// A server's texts hold no NUL, and a file's output is the same on either engine.
class ExportFileTest : public ExportTest {};
INSTANTIATE_TEST_SUITE_P(File, ExportFileTest, ::testing::Values(test::TEngine::File), test::EngineName);

TEST_P(ExportFileTest, WorkbookHasNumbersAsNumbersAndEveryTextAsTextNeverAFormula) {
    const std::int64_t formulas = catalogue.AddTitle("=1+1", "+7", "-3", "@SUM(A1:A2)");
    catalogue.AddTitle(QString("a\x1b[2Jb") + QChar(0) + "c");
    catalogue.AddEpisode(formulas, {"=HYPERLINK(\"http://x\")", 1'500LL, 640, 480, 61'000, "-1"});
    QTemporaryDir dir;
    const QString titles = dir.filePath("titles.xlsx");
    const QString episodes = dir.filePath(QString::fromUtf8("серии.xlsx"));
    const TRun a = Tolvane({"export", "--db", catalogue.Path(), "--format", "xlsx", "--output", titles});
    ASSERT_EQ(a.status, 0) << a.err;
    const TRun b = Tolvane({"export", "--db", catalogue.Path(), "--title", QString::number(formulas),
                            "--format", "xlsx", "--output", episodes});
    ASSERT_EQ(b.status, 0) << b.err;

    const QStringList sheet = WorkbookCells(titles);
    const QString id = QString::number(formulas);
    for (const QString& cell :
         {QString::fromUtf8("Sp\tB1\ttext\tНазвание"), QString::fromUtf8("Sp\tB2\ttext\tНаруто"),
          QString::fromUtf8("Sp\tE2\ttext\tСмотреть"), QString("Sp\tA4\tnumber\t") + id,
          QString("Sp\tB4\ttext\t=1+1"), QString("Sp\tC4\ttext\t+7"), QString("Sp\tD4\ttext\t-3"),
          QString("Sp\tE4\ttext\t@SUM(A1:A2)"), QString("Sp\tF2\tnumber\t5000000000"),
          QString("Sp\tG4\tnumber\t61000"), QString("Sp\tD2\ttext\t220"),
          QString("Sp\tB5\ttext\ta_x001B_[2Jb_x0000_c")})
        EXPECT_TRUE(sheet.contains(cell)) << cell.toStdString() << "\n" << sheet.join('\n').toStdString();
    for (const QString& cell : sheet) EXPECT_FALSE(cell.contains("\tformula\t")) << cell.toStdString();

    const QStringList rows = WorkbookCells(episodes);
    for (const QString& cell :
         {QString::fromUtf8("Серии\tC2\ttext\t=HYPERLINK(\"http://x\")"),
          QString::fromUtf8("Серии\tD2\ttext\t  1 500 "), QString::fromUtf8("Серии\tE2\tnumber\t1500"),
          QString::fromUtf8("Серии\tK2\ttext\t-1")})
        EXPECT_TRUE(rows.contains(cell)) << cell.toStdString() << "\n" << rows.join('\n').toStdString();
}

TEST_P(ExportFileTest, AFileIsWrittenWholeAndNeverReplaced) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("kept.csv");
    {
        QFile f(existing);
        f.open(QIODevice::WriteOnly);
        f.write("mine\n");
    }
    const struct {
        QStringList args;
        std::string fragment;
    } refused[] = {
        {{"--format", "xlsx"}, "--format xlsx needs --output FILE"},
        {{"--output", existing}, "kept.csv: already exists"},
        {{"--format", "xlsx", "--output", existing}, "kept.csv: already exists"},
        {{"--output", dir.filePath("no/such/folder/a.csv")}, "no such folder"},
        {{"--format", "ods", "--output", dir.filePath("a.ods")}, "unknown format ods"},
    };
    for (const auto& c : refused) {
        const TRun r = Tolvane(QStringList{"export", "--db", catalogue.Path()} + c.args);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.out, "") << c.fragment;
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
    }
    QFile kept(existing);
    kept.open(QIODevice::ReadOnly);
    EXPECT_EQ(kept.readAll(), "mine\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.csv"})
        << "no part left";

    // What goes to a file is what goes to a pipe.
    const QString csv = dir.filePath("titles.csv");
    const TRun written = Tolvane({"export", "--db", catalogue.Path(), "--output", csv});
    ASSERT_EQ(written.status, 0) << written.err;
    QFile f(csv);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll().toStdString(), Tolvane({"export", "--db", catalogue.Path()}).out);
}

TEST(HelpTest, ListsEveryCommand) {
    const TRun r = Tolvane({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"demo", "list", "show", "export", "--screenshot"})
        EXPECT_NE(r.out.find(std::string("tolvane ") + command), std::string::npos) << command;
}

} // namespace
} // namespace tolvane
