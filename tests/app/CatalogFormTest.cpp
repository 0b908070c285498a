#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kComment = QString::fromUtf8("Комментарий");

class CatalogFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
    }
    void TearDown() override {
        form.reset();
        TErrorReporter::SetSink(std::move(previous_));
    }

    // Naruto (2 episodes), Nana (1 episode), Ghost (none), in this order.
    void Fill() {
        naruto = catalogue.AddTitle(QString::fromUtf8("Наруто"), "TV", "220", "best");
        nana = catalogue.AddTitle("Nana", "TV", "47");
        ghost = catalogue.AddTitle("Ghost", "Movie", "1");
        catalogue.AddEpisode(naruto, {"n01.mkv", 5'000'000'000LL, 1920, 1080, 1'440'000});
        catalogue.AddEpisode(naruto, {"n02.mkv", 1'000'000'000LL, 1920, 1080, 1'500'000});
        catalogue.AddEpisode(nana, {"nana01.avi", 700'000'000LL, QVariant(), QVariant(), 1'380'000});
    }
    void Open(const QString& path) { form = std::make_unique<TCatalogForm>(path); }
    void Open() { Open(catalogue.Path()); }

    QStringList ListedNames() const {
        QStringList names;
        for (int r = 0; r < form->GV->GetRowCount(); ++r) names << form->GV->GetCellText(1, r);
        return names;
    }
    QStringList EpisodeFiles() const {
        QStringList files;
        const auto* model = form->DBGrid2->model();
        for (int r = 0; r < model->rowCount(); ++r) files << model->index(r, 0).data().toString();
        return files;
    }

    TTestCatalog catalogue;
    std::unique_ptr<TCatalogForm> form;
    QStringList errors;
    std::int64_t naruto = 0, nana = 0, ghost = 0;

private:
    TErrorReporter::TSink previous_;
};

TEST_F(CatalogFormTest, OpensOnTheFirstTitle) {
    Fill();
    Open();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(form->windowTitle(), "Tolvane");
    EXPECT_EQ(form->SBarPanel->text(), QString::fromUtf8("Всего: 3"));
    EXPECT_EQ(ListedNames(), (QStringList{QString::fromUtf8("Наруто"), "Nana", "Ghost"}));
    EXPECT_EQ(form->GV->GetCellText(0, 1), QString::number(nana));
    EXPECT_EQ(form->Name.RecordCount(), 3) << "unfiltered after creation";
    EXPECT_EQ(EpisodeFiles(), (QStringList{"n01.mkv", "n02.mkv"}));
    EXPECT_EQ(form->ESize->text(), "  6 000 000 000 ");
    EXPECT_EQ(form->ETime->text(), "00:49:00,000");
    EXPECT_EQ(form->CBType->currentText(), "TV");
    EXPECT_EQ(form->ECount->text(), "220");
    EXPECT_EQ(form->EKoment->text(), "best");
}

TEST_F(CatalogFormTest, EpisodeGridShowsTheVisibleFieldsWithTheirLabels) {
    Fill();
    Open();
    const auto* model = form->DBGrid2->model();
    QStringList labels;
    for (int c = 0; c < model->columnCount(); ++c) labels << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(labels.join('|'), QString::fromUtf8("Серия|Объём (байт)|Размеры|Длительность|Звук|Суб In|Ext"));
    EXPECT_EQ(model->index(0, 1).data().toString(), "  5 000 000 000 ");
    EXPECT_EQ(model->index(0, 2).data().toString(), "1920x1080");
    EXPECT_EQ(model->index(0, 3).data().toString(), "00:24:00,000");
    EXPECT_TRUE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, 3)) & Qt::ItemIsEditable);
}

TEST_F(CatalogFormTest, EpisodeEditIsWrittenBack) {
    Fill();
    Open();
    auto* model = form->DBGrid2->model();
    ASSERT_TRUE(model->setData(model->index(1, 0), "it's episode 2"));
    EXPECT_EQ(
        catalogue.Scalar(QString::fromUtf8("SELECT \"Серия\" FROM \"Серии\" WHERE \"Серия\" LIKE 'it%'"))
            .toString(),
        "it's episode 2");
    EXPECT_EQ(model->index(1, 0).data().toString(), "it's episode 2");
    EXPECT_FALSE(model->setData(model->index(1, 2), "1x1")) << "calculated";
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CatalogFormTest, SearchNarrowsAndSelectsTheFirstMatch) {
    Fill();
    Open();
    form->EFound->setText("na");
    EXPECT_EQ(ListedNames(), QStringList{"Nana"});
    EXPECT_EQ(form->GV->CurrentRow(), 0);
    EXPECT_EQ(form->Name.Filter(), "ID = " + std::to_string(nana));
    EXPECT_EQ(EpisodeFiles(), QStringList{"nana01.avi"});
    EXPECT_EQ(form->ECount->text(), "47");
    EXPECT_EQ(form->SBarPanel->text(), QString::fromUtf8("Всего: 3")) << "the count is set once";

    form->EFound->setText(QString::fromUtf8("нар"));
    EXPECT_EQ(ListedNames(), QStringList{QString::fromUtf8("Наруто")});
    EXPECT_EQ(EpisodeFiles(), (QStringList{"n01.mkv", "n02.mkv"}));
    EXPECT_TRUE(errors.isEmpty());
}

// A keystroke whose titles are the ones listed keeps the rows; one that lists as many other
// titles does not. Either way the first title is current and shown, from any row.
TEST_F(CatalogFormTest, SearchListingAsManyTitlesShowsTheFirst) {
    Fill();
    const std::int64_t nanami = catalogue.AddTitle("Nanami", "OVA", "2");
    catalogue.AddTitle("Gantz", "TV", "26");
    catalogue.AddEpisode(nanami, {"nanami01.mkv", 1'000'000LL, 640, 480, 60'000});
    const struct {
        const char *From, *To;
        int Clicked;
        QStringList Listed;
    } steps[] = {{"Na", "Nan", 1, {"Nana", "Nanami"}},
                 {"Na", "Nan", 0, {"Nana", "Nanami"}},
                 {"G", "Na", 1, {"Nana", "Nanami"}},
                 {"Nan", "G", 1, {"Ghost", "Gantz"}}};
    Open();
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.From) + " -> " + step.To);
        form->EFound->setText(step.From);
        form->GV->ClickRow(step.Clicked);
        form->EFound->setText(step.To);
        EXPECT_EQ(ListedNames(), step.Listed);
        EXPECT_EQ(form->GV->CurrentRow(), 0);
        const bool nanaFirst = step.Listed.first() == "Nana";
        EXPECT_EQ(form->Name.Filter(), "ID = " + std::to_string(nanaFirst ? nana : ghost));
        EXPECT_EQ(EpisodeFiles(), nanaFirst ? QStringList{"nana01.avi"} : QStringList{});
        EXPECT_EQ(form->ECount->text(), nanaFirst ? "47" : "1");
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CatalogFormTest, SearchWithoutMatchKeepsTheLastEpisodes) {
    Fill();
    Open();
    form->EFound->setText("Nan");
    form->EFound->setText("Nanx");
    EXPECT_EQ(form->GV->GetRowCount(), 0);
    EXPECT_EQ(EpisodeFiles(), QStringList{"nana01.avi"});
    EXPECT_EQ(form->ESize->text(), "700 000 000 ");
    EXPECT_EQ(form->ECount->text(), "") << "the bound boxes show an empty record";
    EXPECT_FALSE(form->ECount->isEnabled()) << "nothing typed there could be stored";
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CatalogFormTest, ClearingTheSearchSelectsTheFirstTitleAgain) {
    Fill();
    Open();
    form->EFound->setText("Gh");
    EXPECT_EQ(form->ECount->text(), "1");
    form->EFound->setText("");
    EXPECT_EQ(ListedNames().size(), 3);
    EXPECT_EQ(form->GV->CurrentRow(), 0);
    EXPECT_EQ(form->Name.Filter(), "ID = " + std::to_string(naruto));
    EXPECT_EQ(form->ECount->text(), "220");
    EXPECT_EQ(EpisodeFiles().size(), 2);
}

TEST_F(CatalogFormTest, TitleWithoutEpisodesHasEmptyTotals) {
    Fill();
    Open();
    form->GV->ClickRow(2);
    EXPECT_EQ(form->GV->CurrentRow(), 2);
    EXPECT_EQ(EpisodeFiles(), QStringList{});
    EXPECT_EQ(form->ESize->text(), "");
    EXPECT_EQ(form->ETime->text(), "00:00:00,000");
}

TEST_F(CatalogFormTest, SelectingTitleTwelveSetsTheThreeFilters) {
    for (int i = 1; i <= 12; ++i) catalogue.AddTitle(QString("Title %1").arg(i));
    Open();
    form->GV->SetCurrentRow(11);
    EXPECT_EQ(form->GV->GetCellText(0, 11), "12");
    EXPECT_EQ(form->Name.Filter(), "ID = 12");
    EXPECT_EQ(form->Series.Filter(), "Название = 12");
    EXPECT_EQ(form->RJk.Filter(), "ID = 12");
    EXPECT_TRUE(form->Name.Filtered() && form->Series.Filtered() && form->RJk.Filtered());
}

TEST_F(CatalogFormTest, EditsAreStoredWhenAnotherTitleIsSelected) {
    Fill();
    Open();
    form->EKoment->setText("watched");
    form->CBType->setEditText("OVA");
    form->ECount->setText("221");
    EXPECT_EQ(catalogue.TitleField(naruto, kComment).toString(), "best")
        << "pending until the filter changes";
    form->GV->ClickRow(1);
    EXPECT_EQ(catalogue.TitleField(naruto, kComment).toString(), "watched");
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Тип")).toString(), "OVA");
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Количество серий")).toString(), "221");
    EXPECT_EQ(form->EKoment->text(), "") << "Nana has no comment";
    form->GV->ClickRow(0);
    EXPECT_EQ(form->EKoment->text(), "watched");
}

TEST_F(CatalogFormTest, EditIsStoredWhenTheSearchChanges) {
    Fill();
    Open();
    form->EKoment->setText("searched away");
    form->EFound->setText("G");
    EXPECT_EQ(catalogue.TitleField(naruto, kComment).toString(), "searched away");
}

TEST_F(CatalogFormTest, EditIsStoredWhenTheWindowCloses) {
    Fill();
    Open();
    form->EKoment->setText("closing");
    form->close();
    EXPECT_EQ(catalogue.TitleField(naruto, kComment).toString(), "closing");
    EXPECT_FALSE(form->Conn.IsOpen());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CatalogFormTest, EditIsStoredWhenTheWindowIsDestroyed) {
    Fill();
    Open();
    form->ECount->setText("3");
    form.reset();
    EXPECT_EQ(catalogue.TitleField(naruto, QString::fromUtf8("Количество серий")).toString(), "3");
}

TEST_F(CatalogFormTest, BoundBoxesHoldAtMostFiftyCharacters) {
    Fill();
    Open();
    form->EKoment->setText(QString(80, 'k'));
    form->close();
    EXPECT_EQ(catalogue.TitleField(naruto, kComment).toString(), QString(50, 'k'));
}

TEST_F(CatalogFormTest, MissingCatalogueOpensAnEmptyWindow) {
    const QString path = catalogue.Folder("nothing.db");
    Open(path);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], path + ": no such file");
    EXPECT_EQ(form->SBarPanel->text(), QString::fromUtf8("Всего:"));
    EXPECT_EQ(form->ESize->text(), "Size");
    EXPECT_EQ(form->ETime->text(), "Time");
    EXPECT_EQ(form->GV->GetRowCount(), 0);
    form->EFound->setText("a");
    EXPECT_EQ(errors.size(), 1) << "searching an unopened catalogue does nothing";
    form->close();
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(CatalogFormTest, ForeignFileOpensAnEmptyWindow) {
    const QString path = catalogue.Folder("other.db");
    { test::TRawDb(path).Exec("CREATE TABLE t (x)"); }
    Open(path);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(path + ": not a catalogue")) << errors[0].toStdString();
    EXPECT_EQ(form->GV->GetRowCount(), 0);
}

TEST_F(CatalogFormTest, EmptyCatalogueShowsZeroAndNoError) {
    Open();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(form->SBarPanel->text(), QString::fromUtf8("Всего: 0"));
    EXPECT_EQ(form->GV->GetRowCount(), 0);
    EXPECT_EQ(form->DBGrid2->model()->rowCount(), 0);
    form->EFound->setText("x");
    form->EFound->setText("");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CatalogFormTest, TitlesWithKeysBeyondADoubleAreSelectedExactly) {
    test::TRawDb raw(catalogue.Path());
    const QString insert =
        QString::fromUtf8("INSERT INTO \"Sp\" (\"ID\", \"Название\", \"Комментарий\") VALUES (?, ?, ?)");
    raw.Exec(insert, {QVariant::fromValue<qlonglong>(1234567890123456LL), "Sixteen", "16 digits"});
    raw.Exec(insert, {QVariant::fromValue<qlonglong>(9007199254740993LL), "Beyond", "2^53 + 1"});
    raw.Exec(insert, {QVariant::fromValue<qlonglong>(9007199254740992LL), "Below", "2^53"});
    Open();
    ASSERT_EQ(form->GV->GetRowCount(), 3);
    EXPECT_EQ(form->GV->GetCellText(0, 0), "1234567890123456");
    for (int row : {1, 0, 2}) {
        form->GV->SetCurrentRow(row);
        EXPECT_EQ(form->EKoment->text(), (QStringList{"16 digits", "2^53", "2^53 + 1"}[row])) << row;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(CatalogFormTest, HostileSearchTextsAreMatchedLiterally) {
    Fill();
    const auto special = catalogue.AddTitle("O'Brien 100% [x]_*\\\"");
    Open();
    for (const char* text : {"'", "%", "_", "*", "[", "\\", "\"", "' OR 1=1 --", "%'", "N_n", "Na%"}) {
        form->EFound->setText(QString::fromUtf8(text));
        EXPECT_EQ(form->GV->GetRowCount(), 0) << text;
    }
    form->EFound->setText(QString(10000, 'N'));
    EXPECT_EQ(form->GV->GetRowCount(), 0);
    form->EFound->setText(QString::fromUtf8("o'brien 100% [X]_*\\\""));
    ASSERT_EQ(form->GV->GetRowCount(), 1);
    EXPECT_EQ(form->Name.Filter(), "ID = " + std::to_string(special));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(catalogue.Scalar("SELECT count(*) FROM \"Sp\"").toInt(), 4);
}

} // namespace
} // namespace tolvane
