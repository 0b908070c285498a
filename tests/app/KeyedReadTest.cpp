// A source opened on a key filter reads that key's rows alone; what it shows must be what the
// source read whole shows for the same filter, whatever the catalogue keeps in its key column.

#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CatalogStore.h"
#include "app/ErrorReporter.h"
#include "app/FilterExpression.h"
#include "app/RecordSource.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

const QString kName = QString::fromUtf8("Название");

QStringList Column(TRecordSource& source, int field) {
    QStringList values;
    for (int k = 1; k <= source.RecordCount(); ++k) values << QString::fromStdString(source.TextAt(k, field));
    return values;
}

void Filter(TRecordSource& source, const QString& field, const std::string& value) {
    source.SetFilter(TFilterExpression::Equals(field, value));
    source.SetFiltered(true);
}

// The declared type of the episodes' title key column: the schema's, or one a catalogue made
// elsewhere may have, under which SQLite keeps texts as texts.
class KeyedRead : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        test::TRawDb raw(catalogue.Path());
        raw.Exec(QString::fromUtf8("DROP TABLE \"Серии\""));
        raw.Exec(
            QString::fromUtf8("CREATE TABLE \"Серии\" (\"ID\" INTEGER PRIMARY KEY, \"Название\" %1, "
                              "\"Серия\" TEXT, \"Объём (байт)\" BIGINT, \"Ширина\" INTEGER, \"Высота\" "
                              "INTEGER, \"Длительность\" INTEGER, \"Звук\" TEXT, \"Субтитры встроенные\" "
                              "TEXT, \"Субтитры внешние\" TEXT)")
                .arg(QString::fromUtf8(GetParam())));
        for (int i = 1; i <= 3; ++i) catalogue.AddTitle(QString("T%1").arg(i));
        raw.Exec(QString::fromUtf8(
            "INSERT INTO \"Серии\" (\"Название\", \"Серия\", \"Объём (байт)\") VALUES (2, 'b1', 10), "
            "(1, 'a1', 1), (2, 'b2', 20), (' 3', 's3', 3), (7.0, 'r7', 7), (7.4, 'r74', 74), ('abc', 'x', "
            "0), "
            "(X'3132', 'blob', 0), (NULL, 'null', 0), ('12', 't12', 12)"));
        store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    }

    test::TTestCatalog catalogue;
    TCatalogStore store;
};

TEST_P(KeyedRead, ShowsWhatTheWholeSourceShows) {
    TRecordSource whole(TCatalogSchema::Episodes());
    whole.Open(store);
    for (const std::string id : {"1", "2", "3", "7", "12", "0", "999", ""}) {
        Filter(whole, kName, id);
        TRecordSource keyed(TCatalogSchema::Episodes());
        Filter(keyed, kName, id);
        keyed.Open(store);
        EXPECT_EQ(Column(keyed, 2), Column(whole, 2)) << "opened on " << id;
        // and moved to it from another key
        Filter(keyed, kName, "2");
        Filter(keyed, kName, id);
        EXPECT_EQ(Column(keyed, 2), Column(whole, 2)) << "moved to " << id;
        EXPECT_EQ(keyed.RecNo(), whole.RecNo());
    }
    // Shown unfiltered, the keyed source reads every row.
    TRecordSource keyed(TCatalogSchema::Episodes());
    Filter(keyed, kName, "2");
    keyed.Open(store);
    keyed.SetFiltered(false);
    whole.SetFiltered(false);
    EXPECT_EQ(Column(keyed, 2), Column(whole, 2));
}

INSTANTIATE_TEST_SUITE_P(Declarations, KeyedRead, ::testing::Values("INTEGER", "REAL", "TEXT", ""));

TEST(KeyedReadTotals, ReadsOneTitlesTotalsAndTheTitleByKey) {
    test::TTestCatalog catalogue;
    const auto a = catalogue.AddTitle("A");
    const auto b = catalogue.AddTitle("B");
    catalogue.AddEpisode(b, {"b.mkv", 5'000'000'000LL, 1, 1, 1000});
    catalogue.AddEpisode(b, {"c.mkv", 1'000LL, 1, 1, 500});
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    TRecordSource totals(TCatalogSchema::Totals());
    Filter(totals, "ID", std::to_string(b));
    totals.Open(store);
    EXPECT_EQ(Column(totals, 1), QStringList{"5000001000"});
    Filter(totals, "ID", std::to_string(a));
    EXPECT_EQ(Column(totals, 1), QStringList{""});
    EXPECT_EQ(Column(totals, 0), QStringList{"A"});

    TRecordSource titles(TCatalogSchema::Titles());
    Filter(titles, "ID", std::to_string(b));
    titles.Open(store);
    EXPECT_EQ(Column(titles, 1), QStringList{"B"});
}

TEST(KeyedReadEdits, AnEditStoredOnOneKeyShowsUnderTheOther) {
    test::TTestCatalog catalogue;
    const auto a = catalogue.AddTitle("A");
    const auto b = catalogue.AddTitle("B");
    catalogue.AddEpisode(a, {"a1.mkv", 1, 1, 1, 1});
    catalogue.AddEpisode(a, {"a2.mkv", 1, 1, 1, 1});
    TCatalogStore store;
    store.Open(catalogue.Path());
    TRecordSource episodes(TCatalogSchema::Episodes());
    Filter(episodes, kName, std::to_string(a));
    episodes.Open(store);
    episodes.SetValue(1, QString::number(b));
    Filter(episodes, kName, std::to_string(b)); // stores the edit
    EXPECT_EQ(Column(episodes, 2), QStringList{"a1.mkv"});
    Filter(episodes, kName, std::to_string(a));
    EXPECT_EQ(Column(episodes, 2), QStringList{"a2.mkv"});
    // An edit of a row read for one key, shown again for the same key.
    episodes.SetValue(2, "renamed.mkv");
    episodes.Post();
    Filter(episodes, kName, std::to_string(a));
    EXPECT_EQ(Column(episodes, 2), QStringList{"renamed.mkv"});
}

QByteArray Digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// The viewer keeps the file as the user's: opened read-only and without the episode index, it
// neither adds one nor changes a byte, whatever it is asked.
TEST(KeyedReadWindow, ReadOnlyCatalogueStaysAsItWas) {
    test::TTestCatalog catalogue;
    const auto a = catalogue.AddTitle("Alpha");
    const auto b = catalogue.AddTitle("Beta");
    catalogue.AddEpisode(a, {"a.mkv", 1, 1, 1, 1});
    catalogue.AddEpisode(b, {"b1.mkv", 1, 1, 1, 1});
    catalogue.AddEpisode(b, {"b2.mkv", 1, 1, 1, 1});
    test::TRawDb(catalogue.Path()).Exec(QString::fromUtf8("DROP INDEX \"Серии по названию\""));
    const QByteArray before = Digest(catalogue.Path());

    QStringList errors;
    const auto previous = TErrorReporter::SetSink([&errors](const QString& m) { errors << m; });
    {
        TCatalogForm form(catalogue.Path(), TOpenMode::omReadOnly);
        EXPECT_EQ(form.DBGrid2->model()->rowCount(), 1);
        form.GV->ClickRow(1);
        EXPECT_EQ(form.DBGrid2->model()->rowCount(), 2);
        EXPECT_EQ(form.Series.Filter(), "Название = " + std::to_string(b));
        form.EFound->setText("b");
        EXPECT_EQ(form.GV->GetRowCount(), 1);
        form.EFound->setText("");
        EXPECT_EQ(form.GV->GetRowCount(), 2);
        form.close();
    }
    TErrorReporter::SetSink(previous);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(Digest(catalogue.Path()), before);
    EXPECT_EQ(catalogue.Scalar("SELECT count(*) FROM sqlite_master WHERE type = 'index'").toInt(), 0);
}

} // namespace
} // namespace tolvane
