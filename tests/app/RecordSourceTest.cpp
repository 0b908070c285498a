#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogError.h"
#include "app/CatalogStore.h"
#include "app/EpisodeFields.h"
#include "app/FilterExpression.h"
#include "app/RecordSource.h"
#include "grid/base/Errors.h"

namespace tolvane {
namespace {

using test::TEpisodeRow;
using test::TTestCatalog;

const QString kName = QString::fromUtf8("Название");

class RecordSourceTest : public ::testing::TestWithParam<test::TEngine> {
protected:
    void SetUp() override {
        naruto = catalogue.AddTitle(QString::fromUtf8("Наруто"), "TV", "220", "best");
        catalogue.AddTitle("Nana");
        catalogue.AddTitle("O'Brien's 100% [Cut]_*\\\"");
        ghost = catalogue.AddTitle("Ghost in the Shell", QVariant(), QVariant());
        catalogue.AddEpisode(naruto, {"01.mkv", 5'000'000'000LL, 1920, 1080, 1'440'000});
        catalogue.AddEpisode(naruto, {"02.mkv", 1'000LL, QVariant(), QVariant(), QVariant()});
        store.Open(catalogue.Path());
        titles.Open(store);
    }

    // The names the title source shows for a search text.
    QStringList Search(const std::string& text) {
        titles.SetFiltered(false);
        if (!text.empty()) {
            titles.SetFilter(TFilterExpression::Prefix(kName, text));
            titles.SetFiltered(true);
        }
        QStringList names;
        for (int k = 1; k <= titles.RecordCount(); ++k) names << QString::fromStdString(titles.TextAt(k, 1));
        return names;
    }

    TTestCatalog catalogue{GetParam()};
    TCatalogStore store;
    TRecordSource titles{TCatalogSchema::Titles()};
    std::int64_t naruto = 0;
    std::int64_t ghost = 0;
};

TOLVANE_ON_BOTH_ENGINES(RecordSourceTest);

TEST_P(RecordSourceTest, CountsAndPositionsWithinTheFilteredView) {
    EXPECT_EQ(titles.RecordCount(), 4);
    EXPECT_EQ(titles.RecNo(), 1);
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(ghost)));
    EXPECT_EQ(titles.RecordCount(), 4) << "a filter text alone changes nothing";
    titles.SetFiltered(true);
    EXPECT_EQ(titles.RecordCount(), 1);
    EXPECT_EQ(titles.RecNo(), 1);
    EXPECT_EQ(titles.AsText(1), "Ghost in the Shell");
    EXPECT_THROW(titles.SetRecNo(2), EListError);
    titles.SetFiltered(false);
    EXPECT_EQ(titles.RecordCount(), 4);
    titles.SetRecNo(3);
    EXPECT_EQ(titles.RecNo(), 3);
    titles.First();
    EXPECT_EQ(titles.RecNo(), 1);
}

TEST_P(RecordSourceTest, NullAndMissingRecordReadAsEmptyAndZero) {
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(ghost)));
    titles.SetFiltered(true);
    EXPECT_EQ(titles.AsText(2), "");
    EXPECT_EQ(titles.AsInteger(2), 0);
    titles.SetFilter(TFilterExpression::Equals("ID", "999"));
    EXPECT_FALSE(titles.HasRecord());
    EXPECT_EQ(titles.RecNo(), 0);
    EXPECT_EQ(titles.AsText(0), "");
    EXPECT_EQ(titles.AsInteger(0), 0);
    titles.SetFilter(TFilterExpression::Equals("ID", ""));
    EXPECT_EQ(titles.RecordCount(), 0) << "an empty ID text selects nothing";
}

TEST_P(RecordSourceTest, SearchIgnoresLetterCaseIncludingCyrillic) {
    EXPECT_EQ(Search("нар"), QStringList{QString::fromUtf8("Наруто")});
    EXPECT_EQ(Search("НАРУТО"), QStringList{QString::fromUtf8("Наруто")});
    EXPECT_EQ(Search("na"), QStringList{"Nana"});
    EXPECT_EQ(Search("GHOST IN"), QStringList{"Ghost in the Shell"});
    EXPECT_EQ(Search("").size(), 4);
    EXPECT_EQ(Search("ruto"), QStringList{}) << "a prefix, not a substring";
}

TEST_P(RecordSourceTest, SearchTakesEveryCharacterLiterally) {
    const QStringList special{"O'Brien's 100% [Cut]_*\\\""};
    EXPECT_EQ(Search("O'"), special);
    EXPECT_EQ(Search("o'brien's 100% [cut]_*\\\""), special);
    for (const char* wildcard : {"%", "_", "*", "[", "?", "\\", "\"", "'", "%'", "' OR '1'='1", "N%", "N_na"})
        EXPECT_EQ(Search(wildcard), QStringList{}) << wildcard;
    EXPECT_EQ(Search(std::string(100000, 'N')), QStringList{});
    EXPECT_EQ(Search("日本 😀"), QStringList{});
    // The catalogue survives all of it.
    EXPECT_EQ(catalogue.Scalar("SELECT count(*) FROM \"Sp\"").toInt(), 4);
}

TEST_P(RecordSourceTest, TotalsViewHasNullSumsForTitleWithoutEpisodes) {
    TRecordSource totals(TCatalogSchema::Totals());
    totals.Open(store);
    EXPECT_EQ(totals.RecordCount(), 4);
    totals.SetFilter(TFilterExpression::Equals("ID", std::to_string(naruto)));
    totals.SetFiltered(true);
    EXPECT_EQ(totals.AsText(1), "5000001000") << "a 64-bit size total prints all its digits";
    EXPECT_EQ(totals.AsInteger(2), 1'440'000);
    EXPECT_EQ(totals.AsText(3), std::to_string(naruto));
    totals.SetFilter(TFilterExpression::Equals("ID", std::to_string(ghost)));
    EXPECT_TRUE(totals.HasRecord());
    EXPECT_TRUE(totals.IsNull(1));
    EXPECT_EQ(totals.AsText(1), "");
    EXPECT_EQ(totals.AsInteger(2), 0);
}

TEST_P(RecordSourceTest, EpisodesCarryCalculatedFields) {
    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.OnCalcFields = [](TRecordSource& s) { TEpisodeFields::Calculate(s); };
    episodes.Open(store);
    episodes.SetFilter(TFilterExpression::Equals(kName, std::to_string(naruto)));
    episodes.SetFiltered(true);
    ASSERT_EQ(episodes.RecordCount(), 2);
    const int size = episodes.FieldIndex("Size");
    const int frame = episodes.FieldIndex(QString::fromUtf8("Размеры"));
    const int time = episodes.FieldIndex("Time");
    EXPECT_EQ(episodes.AsInteger(episodes.FieldIndex(QString::fromUtf8("Объём (байт)"))), 5'000'000'000LL);
    EXPECT_EQ(episodes.AsText(size), "  5 000 000 000 ");
    EXPECT_EQ(episodes.AsText(frame), "1920x1080");
    EXPECT_EQ(episodes.AsText(time), "00:24:00,000");
    episodes.SetRecNo(2);
    EXPECT_EQ(episodes.AsText(frame), "x");
    EXPECT_EQ(episodes.AsText(time), "00:00:00,000");
    EXPECT_EQ(episodes.AsText(size), "  1 000 ");
    EXPECT_THROW(episodes.SetCalcText(size, "no"), ECatalogError) << "only while a record is calculated";
}

TEST_P(RecordSourceTest, PendingEditIsStoredWhenTheFilterChanges) {
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(naruto)));
    titles.SetFiltered(true);
    titles.SetValue(4, QString::fromUtf8("it's 100% \"good\"; DROP TABLE Sp"));
    EXPECT_TRUE(titles.Modified());
    EXPECT_EQ(titles.AsText(4), "it's 100% \"good\"; DROP TABLE Sp") << "reads show the edit";
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Комментарий")).toString(), "best");
    titles.SetFilter(TFilterExpression::Equals("ID", std::to_string(ghost)));
    EXPECT_FALSE(titles.Modified());
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Комментарий")).toString(),
              "it's 100% \"good\"; DROP TABLE Sp");

    titles.SetValue(2, "OVA");
    titles.SetFiltered(false);
    EXPECT_EQ(catalogue.TitleField(ghost, QString::fromUtf8("Тип")).toString(), "OVA");
}

TEST_P(RecordSourceTest, PendingEditIsStoredOnMoveAndDroppedOnClose) {
    titles.SetValue(3, "13");
    titles.SetRecNo(2);
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Количество серий")).toString(), "13");
    titles.SetValue(3, "99");
    titles.Close();
    EXPECT_EQ(catalogue.TitleField(2, QString::fromUtf8("Количество серий")).toString(), "12");
}

TEST_P(RecordSourceTest, EditsRespectTheSchema) {
    EXPECT_THROW(titles.SetValue(0, 7), ECatalogError) << "the key";
    EXPECT_THROW(titles.SetValue(1, "renamed"), ECatalogError) << "the name is read-only";
    EXPECT_THROW(titles.SetValue(4, QString(51, 'x')), ECatalogError);
    titles.SetValue(4, QString(50, QChar(0x0416)));
    titles.Post();
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Комментарий")).toString(),
              QString(50, QChar(0x0416)));

    TRecordSource totals(TCatalogSchema::Totals());
    totals.Open(store);
    EXPECT_THROW(totals.SetValue(0, "x"), ECatalogError);
}

TEST_P(RecordSourceTest, EditOfARecordDeletedMeanwhileIsNotReportedAsStored) {
    catalogue.Scalar("DELETE FROM \"Sp\" WHERE \"ID\" = ?", {QVariant::fromValue<qlonglong>(naruto)});
    titles.SetValue(4, "lost?");
    EXPECT_THROW(titles.Post(), ECatalogError);
    EXPECT_TRUE(titles.Modified()) << "the edit stays pending";
}

TEST_P(RecordSourceTest, EditOfADuplicatedKeyChangesNoOtherRecord) {
    // A catalogue made elsewhere whose key is not unique.
    test::TRawDb raw(catalogue.Path());
    raw.Exec("ALTER TABLE \"Sp\" RENAME TO \"Old\"");
    raw.Exec(QString::fromUtf8("CREATE TABLE \"Sp\" (\"ID\" INTEGER, \"Название\" TEXT, \"Тип\" TEXT, "
                               "\"Количество серий\" TEXT, \"Комментарий\" TEXT)"));
    raw.Exec(
        QString::fromUtf8("INSERT INTO \"Sp\" VALUES (1, 'A', 'TV', '1', 'a'), (1, 'B', 'TV', '1', 'b')"));
    titles.Open(store);
    titles.SetValue(4, "changed");
    EXPECT_THROW(titles.Post(), ECatalogError);
    EXPECT_EQ(
        catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Sp\" WHERE \"Комментарий\" = 'changed'"))
            .toInt(),
        0);
}

TEST_P(RecordSourceTest, PostedEditFeedsLaterSearches) {
    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.OnCalcFields = [](TRecordSource& s) { TEpisodeFields::Calculate(s); };
    episodes.Open(store);
    const int bytes = episodes.FieldIndex(QString::fromUtf8("Объём (байт)"));
    episodes.SetValue(bytes, "3000000000");
    episodes.Post();
    EXPECT_EQ(episodes.AsText(episodes.FieldIndex("Size")), "  3 000 000 000 ")
        << "recalculated after the write";
    EXPECT_THROW(episodes.SetValue(bytes, "lots"), ECatalogError);
    EXPECT_THROW(episodes.SetValue(episodes.FieldIndex(QString::fromUtf8("Ширина")), "3000000000"),
                 ECatalogError)
        << "a 32-bit field";
}

TEST_P(RecordSourceTest, ChangesAreNotified) {
    int views = 0;
    int records = 0;
    titles.OnViewChanged = [&] { ++views; };
    titles.OnRecordChanged = [&] { ++records; };
    titles.SetFilter("ID = 1");
    EXPECT_EQ(views, 0);
    titles.SetFiltered(true);
    EXPECT_EQ(views, 1);
    EXPECT_EQ(records, 1);
    titles.DisableControls();
    titles.SetFiltered(false);
    titles.SetRecNo(2);
    titles.SetRecNo(3);
    EXPECT_EQ(records, 1);
    titles.EnableControls();
    EXPECT_EQ(records, 2);
}

TEST_P(RecordSourceTest, EpisodeFilterFollowsStoredEditsOfTheTitleKey) {
    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.Open(store);
    auto files = [&](std::int64_t title) {
        episodes.SetFilter(TFilterExpression::Equals(kName, std::to_string(title)));
        episodes.SetFiltered(true);
        QStringList names;
        for (int k = 1; k <= episodes.RecordCount(); ++k)
            names << QString::fromStdString(episodes.TextAt(k, 2));
        return names;
    };
    EXPECT_EQ(files(naruto), QStringList({"01.mkv", "02.mkv"}));
    EXPECT_EQ(files(ghost), QStringList());

    // Moves the first episode to another title: both filters see the stored edit.
    files(naruto);
    episodes.SetValue(1, QString::number(ghost));
    EXPECT_EQ(files(ghost), QStringList({"01.mkv"})) << "stored by the filter change";
    EXPECT_EQ(files(naruto), QStringList({"02.mkv"}));

    // And back, behind the other one in the source's order.
    files(ghost);
    episodes.SetValue(1, QString::number(naruto));
    episodes.Post();
    EXPECT_EQ(files(naruto), QStringList({"01.mkv", "02.mkv"}));
    EXPECT_EQ(files(ghost), QStringList());

    // A title key made null matches no title at all.
    files(naruto);
    episodes.SetValue(1, QVariant());
    episodes.Post();
    EXPECT_EQ(files(naruto), QStringList({"02.mkv"}));
    EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE \"Название\" IS NULL"))
                  .toInt(),
              1);
}

// What only a file can hold: SQLite keeps any value in any column.
class RecordSourceFileTest : public RecordSourceTest {};
INSTANTIATE_TEST_SUITE_P(File, RecordSourceFileTest, ::testing::Values(test::TEngine::File),
                         test::EngineName);

TEST_P(RecordSourceFileTest, TextInAKeyFieldMatchesOnlyTheNumberItSpells) {
    // SQLite keeps a text that is no number as text even in an INTEGER column.
    test::TRawDb raw(catalogue.Path());
    raw.Exec(QString::fromUtf8("INSERT INTO \"Серии\" (\"Название\", \"Серия\") VALUES ('abc', 'x.mkv'), "
                               "(' 7', 'y.mkv'), (X'3132', 'z.mkv')"));
    TRecordSource episodes(TCatalogSchema::Episodes());
    episodes.Open(store);
    for (const char* id : {"0", "7", "12"}) {
        episodes.SetFilter(TFilterExpression::Equals(kName, id));
        episodes.SetFiltered(true);
        QStringList files;
        for (int k = 1; k <= episodes.RecordCount(); ++k)
            files << QString::fromStdString(episodes.TextAt(k, 2));
        EXPECT_EQ(files, QStringList(std::string(id) == "7" ? QStringList{"y.mkv"} : QStringList{})) << id;
    }
}

TEST_P(RecordSourceTest, CalculatedFieldsAreFilledOnFirstReadAndAfterAStoredEdit) {
    TRecordSource episodes(TCatalogSchema::Episodes());
    int calculations = 0;
    episodes.OnCalcFields = [&](TRecordSource& s) {
        ++calculations;
        TEpisodeFields::Calculate(s);
    };
    episodes.Open(store);
    EXPECT_EQ(calculations, 0) << "nothing is calculated before it is read";
    const int frame = episodes.FieldIndex(QString::fromUtf8("Размеры"));
    const int width = episodes.FieldIndex(QString::fromUtf8("Ширина"));
    EXPECT_EQ(episodes.AsText(width), "1920");
    EXPECT_EQ(calculations, 0) << "a stored field needs no calculation";
    EXPECT_EQ(episodes.AsText(frame), "1920x1080");
    EXPECT_EQ(episodes.TextAt(1, frame), "1920x1080");
    EXPECT_EQ(calculations, 1);
    EXPECT_EQ(episodes.TextAt(2, frame), "x");
    EXPECT_EQ(calculations, 2);

    episodes.SetValue(width, "1280");
    EXPECT_EQ(episodes.AsText(frame), "1920x1080") << "calculated again when the edit is stored";
    episodes.Post();
    EXPECT_EQ(episodes.AsText(frame), "1280x1080");
    EXPECT_EQ(episodes.TextAt(1, frame), "1280x1080");
    EXPECT_EQ(calculations, 3);

    // An edit begun on a record not yet calculated shows its calculated fields all the same.
    episodes.Close();
    episodes.Open(store);
    episodes.SetValue(width, "640");
    EXPECT_EQ(episodes.AsText(frame), "1280x1080");
}

TEST_P(RecordSourceTest, RowsComeInKeyOrderWhateverOrderTheViewDeliversThem) {
    test::TRawDb raw(catalogue.Path());
    raw.Exec("DROP VIEW \"Rjk\"");
    raw.Exec(QString::fromUtf8("CREATE VIEW \"Rjk\" AS SELECT \"Название\", 0.0 AS \"Sum-Объём(байт)\", "
                               "0.0 AS \"Sum-Длительность\", \"ID\" FROM \"Sp\" ORDER BY \"ID\" DESC"));
    TRecordSource totals(TCatalogSchema::Totals());
    totals.Open(store);
    ASSERT_EQ(totals.RecordCount(), 4);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(totals.TextAt(k, 3), std::to_string(k));
    totals.SetFilter(TFilterExpression::Equals("ID", std::to_string(ghost)));
    totals.SetFiltered(true);
    EXPECT_EQ(totals.AsText(0), "Ghost in the Shell");
}

} // namespace
} // namespace tolvane

namespace tolvane {
namespace {

// Reading one title's episodes by the bound key must find what reading every episode and
// filtering them finds, whatever type the file declares for the key and however it stored it.
TEST(RecordSourceKeyRead, FindsWhatTheWholeReadFindsForEveryDeclaredKeyType) {
    for (const char* type : {"INTEGER", "INT", "TEXT", "", "BLOB", "REAL", "NUMERIC"}) {
        SCOPED_TRACE(type);
        TTestCatalog catalogue;
        {
            test::TRawDb raw(catalogue.Path());
            raw.Exec("DROP VIEW \"Rjk\"");
            raw.Exec(QString::fromUtf8("DROP TABLE \"Серии\""));
            raw.Exec(QString::fromUtf8("CREATE TABLE \"Серии\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" %1, "
                                       "\"Серия\" TEXT, \"Объём (байт)\" INT, \"Ширина\" INT, \"Высота\" INT, "
                                       "\"Длительность\" INT, \"Звук\" TEXT, \"Субтитры встроенные\" TEXT, "
                                       "\"Субтитры внешние\" TEXT)")
                         .arg(QLatin1String(type)));
            raw.Exec(QString::fromUtf8("CREATE VIEW \"Rjk\" AS SELECT \"Название\", 0.0 AS \"Sum-Объём(байт)\", "
                                       "0.0 AS \"Sum-Длительность\", \"ID\" FROM \"Sp\""));
            raw.Exec(QString::fromUtf8("INSERT INTO \"Серии\" (\"Название\", \"Серия\") VALUES (5, 'int.mkv'), "
                                       "('5', 'text.mkv'), ('05', 'zero.mkv'), (5.0, 'real.mkv'), (6, 'other.mkv')"));
        }
        TCatalogStore store;
        store.Open(catalogue.Path());
        const auto files = [](TRecordSource& source) {
            QStringList names;
            for (int k = 1; k <= source.RecordCount(); ++k) names << QString::fromStdString(source.TextAt(k, 2));
            names.sort();
            return names;
        };
        TRecordSource whole(TCatalogSchema::Episodes());
        whole.Open(store);
        whole.SetFilter(TFilterExpression::Equals(kName, "5"));
        whole.SetFiltered(true);
        TRecordSource keyed(TCatalogSchema::Episodes());
        keyed.SetFilter(TFilterExpression::Equals(kName, "5"));
        keyed.SetFiltered(true);
        keyed.Open(store);
        EXPECT_FALSE(files(whole).isEmpty());
        EXPECT_EQ(files(keyed), files(whole));
    }
}

} // namespace
} // namespace tolvane
