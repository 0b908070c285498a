// Title ▸ Add Folder… and a folder dropped on the window: the scan runs beside the window with its
// progress dialog, Cancel leaves the catalogue as it was, and the title is shown at the end.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <QImage>

#include "app/TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CommandLine.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/AddFolderQuestion.h"
#include "app/window/FileChooser.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowSettings.h"
#include "window/ShownWindow.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";
const QString kTitle = QString::fromUtf8("Название");

class AddFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        TWindowSettings::Open()->clear();
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
        previousFile_ = TFileChooser::SetAnswer(
            [this](TFileQuestion, const QString&, const QString&, QString*) { return folder; });
        previousQuestion_ = TAddFolderQuestion::SetAnswer([this](const QString& asked, const QString& current) {
            askedFolder = asked;
            currentTitle = current;
            return choice;
        });
        nana = catalogue.AddTitle("Nana", "TV", "47");
        catalogue.AddEpisode(nana, {"nana01.avi", 700'000'000LL, 640, 480, 1'380'000});
    }
    void TearDown() override {
        window.reset();
        TAddFolderQuestion::SetAnswer(std::move(previousQuestion_));
        TFileChooser::SetAnswer(std::move(previousFile_));
        TErrorReporter::SetSink(std::move(previous_));
    }
    void Open() {
        window = test::ShownWindow(catalogue.Path());
    }
    TCatalogForm& Form() { return *window->Form(); }
    // Every title and episode as text, to tell whether anything changed.
    QString Contents() {
        test::TRawDb raw(catalogue.Path());
        QString all;
        for (const QString& sql : {QString("SELECT * FROM \"Sp\" ORDER BY 1"),
                                   QString::fromUtf8("SELECT * FROM \"Серии\" ORDER BY 1, 2")}) {
            QSqlQuery q(raw.Db());
            q.exec(sql);
            while (q.next())
                for (int c = 0; c < q.record().count(); ++c) all += q.value(c).toString() + "|";
            all += "\n";
        }
        return all;
    }
    int EpisodesOf(std::int64_t id) {
        return catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE \"Название\" = ?"), {qlonglong(id)})
            .toInt();
    }

    TTestCatalog catalogue;
    std::unique_ptr<TMainWindow> window;
    QStringList errors;
    QString folder = kMedia;
    std::optional<TAddFolderChoice> choice = TAddFolderChoice{"Media", "OVA"};
    QString askedFolder, currentTitle;
    std::int64_t nana = 0;

private:
    TErrorReporter::TSink previous_;
    TFileChooser::TAnswer previousFile_;
    TAddFolderQuestion::TAnswer previousQuestion_;
};

TEST_F(AddFolderTest, ANewTitleIsAddedShownAndItsUnreadableFilesListed) {
    Open();
    window->Menu().Action("actionAddFolder")->trigger();
    EXPECT_EQ(askedFolder, kMedia);
    EXPECT_EQ(currentTitle, "Nana");
    const std::int64_t id =
        catalogue.Scalar("SELECT \"ID\" FROM \"Sp\" WHERE " + TCatalogSchema::Quoted(kTitle) + " = 'Media'").toLongLong();
    ASSERT_GT(id, nana);
    EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Тип")).toString(), "OVA");
    EXPECT_EQ(EpisodesOf(id), 3);
    // Shown: selected in the list, its episodes in the table.
    EXPECT_EQ(Form().ShownTitleId(), id);
    EXPECT_EQ(Form().GV->GetCellText(0, Form().GV->CurrentRow()), QString::number(id));
    EXPECT_EQ(Form().DBGrid2->model()->rowCount(), 3);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("broken.avi")) << errors[0].toStdString();
}

TEST_F(AddFolderTest, CancelInTheMiddleLeavesTheCatalogueAsItWas) {
    // Enough files that Cancel comes while they are read.
    QTemporaryDir many;
    for (int k = 1; k <= 200; ++k)
        ASSERT_TRUE(QFile::copy(kMedia + "/episode 2.mkv", many.filePath(QString("e%1.mkv").arg(k))));
    folder = many.path();
    Open();
    const QString before = Contents();
    int seenValue = -1, seenMaximum = -1;
    bool repainted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = window->findChild<QProgressDialog*>("AddFolderProgress");
        if (!dialog || !dialog->isVisible() || dialog->value() < 20) return;
        seenValue = dialog->value();
        seenMaximum = dialog->maximum();
        // The window still paints while the folder is read.
        repainted = !Form().grab().isNull();
        poll.stop();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == "Cancel") button->click();
    });
    poll.start(5);
    window->Menu().Action("actionAddFolder")->trigger();
    EXPECT_GE(seenValue, 20);
    EXPECT_LT(seenValue, 200) << "Cancel came after the last file";
    EXPECT_EQ(seenMaximum, 200);
    EXPECT_TRUE(repainted);
    EXPECT_EQ(Contents(), before);
    EXPECT_EQ(Form().ShownTitleId(), nana);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(AddFolderTest, AFolderDroppedOnTheWindowGoesToTheTitleChosen) {
    Open();
    choice = TAddFolderChoice{"Nana", {}}; // the current title
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kMedia)});
    const QPoint at = Form().DBGrid2->mapTo(window.get(), QPoint(20, 20));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    for (int k = 0; k < 5 && askedFolder.isEmpty(); ++k) QCoreApplication::processEvents();
    EXPECT_EQ(askedFolder, kMedia);
    EXPECT_EQ(EpisodesOf(nana), 4);
    EXPECT_EQ(Form().DBGrid2->model()->rowCount(), 4);

    // A file, or two folders, are not taken.
    for (const QList<QUrl>& urls : {QList<QUrl>{QUrl::fromLocalFile(kMedia + "/notes.txt")},
                                    QList<QUrl>{QUrl::fromLocalFile(kMedia), QUrl::fromLocalFile(kMedia)}}) {
        data.setUrls(urls);
        QDragEnterEvent refused(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &refused);
        EXPECT_FALSE(refused.isAccepted());
    }
}

TEST_F(AddFolderTest, AnAddedFolderIsUndoneUnlessItsEpisodesWereChangedElsewhere) {
    Open();
    window->Menu().Action("actionAddFolder")->trigger(); // a new title, "Media"
    const std::int64_t media = Form().ShownTitleId();
    choice = TAddFolderChoice{"Nana", {}};
    Form().SelectTitle(nana);
    window->Menu().Action("actionAddFolder")->trigger(); // to Nana
    ASSERT_EQ(EpisodesOf(nana), 4);

    window->History().undo();
    EXPECT_EQ(EpisodesOf(nana), 1);
    EXPECT_EQ(Form().DBGrid2->model()->rowCount(), 1);
    window->History().undo();
    EXPECT_TRUE(catalogue.TitleField(media, kTitle).isNull());
    EXPECT_EQ(EpisodesOf(media), 0);
    window->History().redo();
    window->History().redo();
    EXPECT_EQ(EpisodesOf(media), 3);
    EXPECT_EQ(EpisodesOf(nana), 4);
    errors.clear(); // broken.avi, twice

    // Another program changes one of the added episodes: undoing tells so and keeps them.
    test::TRawDb(catalogue.Path())
        .Exec(QString::fromUtf8("UPDATE \"Серии\" SET \"Звук\" = 'OPUS' WHERE \"Название\" = ? AND \"Серия\" <> 'nana01.avi'"),
              {qlonglong(nana)});
    window->History().undo();
    EXPECT_EQ(EpisodesOf(nana), 4);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("changed elsewhere")) << errors[0].toStdString();
}

TEST_F(AddFolderTest, TheScreenshotCommandShowsTheProgressHalfwayTheSameEachTimeAndStoresNothing) {
    const QString before = Contents();
    QTemporaryDir pictures;
    QList<QImage> taken;
    for (const char* name : {"a.png", "b.png"}) {
        std::ostringstream out, err;
        const QString png = pictures.filePath(name);
        EXPECT_EQ(TCommandLine::Run({"--screenshot", png, "--add-folder", kMedia, catalogue.Path()}, out, err), 0)
            << err.str();
        taken << QImage(png);
    }
    ASSERT_FALSE(taken[0].isNull());
    EXPECT_EQ(taken[0], taken[1]);
    EXPECT_EQ(Contents(), before);

    // The same window without the dialog: the dialog is what differs.
    std::ostringstream out, err;
    const QString plain = pictures.filePath("plain.png");
    ASSERT_EQ(TCommandLine::Run({"--screenshot", plain, catalogue.Path()}, out, err), 0) << err.str();
    EXPECT_GT(taken[0].height(), QImage(plain).height()) << "the menu bar is shown";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

} // namespace
} // namespace tolvane
