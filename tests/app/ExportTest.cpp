#include <QFile>
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

TEST(HelpTest, ListsEveryCommand) {
    const TRun r = Tolvane({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"demo", "list", "show", "export", "--screenshot"})
        EXPECT_NE(r.out.find(std::string("tolvane ") + command), std::string::npos) << command;
}

} // namespace
} // namespace tolvane
