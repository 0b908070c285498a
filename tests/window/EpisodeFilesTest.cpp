// Title ▸ Open Episode, Enter on an episode and Show in Folder: the files of the title's recorded
// folder handed to the desktop (here a handler the test installs), and a clear word when the
// folder is not known or the file is gone.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QPalette>
#include <QBrush>
#include <QFile>
#include <QKeyEvent>
#include <QTableView>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

#include "app/TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/AddFolderQuestion.h"
#include "app/window/FileChooser.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowSettings.h"
#include "window/ShownWindow.h"

// Stands in for the desktop's player and file manager.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";

class EpisodeFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TWindowSettings::Open()->clear();
        QDesktopServices::setUrlHandler("file", &catcher, "Open");
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
        previousFile_ = TFileChooser::SetAnswer(
            [this](TFileQuestion, const QString&, const QString&, QString*) { return folder.path(); });
        previousQuestion_ = TAddFolderQuestion::SetAnswer(
            [](const QString&, const QString&) { return TAddFolderChoice{"Media", "TV"}; });
        for (const QString& name : QDir(kMedia).entryList(QDir::Files))
            QFile::copy(kMedia + "/" + name, folder.filePath(name));
        catalogue.AddTitle("Nana", "TV", "47");
        window = test::ShownWindow(catalogue.Path());
    }
    void TearDown() override {
        window.reset();
        QDesktopServices::unsetUrlHandler("file");
        TAddFolderQuestion::SetAnswer(std::move(previousQuestion_));
        TFileChooser::SetAnswer(std::move(previousFile_));
        TErrorReporter::SetSink(std::move(previous_));
    }
    TCatalogForm& Form() { return *window->Form(); }
    void Enter(int row) {
        QTableView* table = Form().DBGrid2;
        table->setFocus();
        table->setCurrentIndex(table->model()->index(row, 3));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(table, &press);
    }

    TUrlCatcher catcher;
    QTemporaryDir folder;
    TTestCatalog catalogue;
    std::unique_ptr<TMainWindow> window;
    QStringList errors;

private:
    TErrorReporter::TSink previous_;
    TFileChooser::TAnswer previousFile_;
    TAddFolderQuestion::TAnswer previousQuestion_;
};

TEST_F(EpisodeFilesTest, EnterOpensTheEpisodesFileAndShowInFolderItsFolder) {
    window->Menu().Action("actionAddFolder")->trigger();
    errors.clear(); // broken.avi
    QAbstractItemModel& episodes = *Form().DBGrid2->model();
    ASSERT_EQ(episodes.rowCount(), 3);
    for (int row : {0, 2}) {
        Enter(row);
        ASSERT_EQ(catcher.urls.size(), 1);
        EXPECT_EQ(catcher.urls.takeFirst(),
                  QUrl::fromLocalFile(folder.filePath(episodes.index(row, 0).data().toString())));
    }
    window->Menu().Action("actionOpenEpisode")->trigger();
    EXPECT_EQ(catcher.urls.size(), 1);
    catcher.urls.clear();
    window->Menu().Action("actionShowInFolder")->trigger();
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(QDir(folder.path()).absolutePath())});
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // The file is gone (a drive taken away).
    const QString name = episodes.index(1, 0).data().toString();
    ASSERT_TRUE(QFile::remove(folder.filePath(name)));
    catcher.urls.clear();
    Enter(1);
    EXPECT_TRUE(catcher.urls.isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(name + " is not there any more")) << errors[0].toStdString();
}

TEST_F(EpisodeFilesTest, EpisodesWhoseFilesAreMissingAreGreyedInThePalettesDisabledTextColour) {
    window->Menu().Action("actionAddFolder")->trigger();
    errors.clear(); // broken.avi
    QAbstractItemModel& episodes = *Form().DBGrid2->model();
    ASSERT_EQ(episodes.rowCount(), 3);
    ASSERT_TRUE(QFile::remove(folder.filePath(episodes.index(1, 0).data().toString())));
    const auto show = [this](const QString& name) {
        for (int r = 0; r < Form().GV->GetRowCount(); ++r)
            if (Form().GV->GetCellText(1, r) == name) Form().GV->SetCurrentRow(r);
        ASSERT_EQ(Form().ShownTitleName(), name);
    };
    show("Nana");
    show("Media");
    // The rows are checked as they are drawn, and grey once the answer is in.
    const auto greyed = [&] {
        QList<int> rows;
        for (int r = 0; r < episodes.rowCount(); ++r) {
            const QVariant colour = episodes.index(r, 2).data(Qt::ForegroundRole);
            if (colour.isValid()) rows << r;
        }
        return rows;
    };
    QElapsedTimer waited;
    waited.start();
    while (greyed().isEmpty() && waited.elapsed() < 10'000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(greyed(), QList<int>{1});
    const QPalette light = QApplication::palette();
    EXPECT_EQ(episodes.index(1, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
              light.color(QPalette::Disabled, QPalette::Text));

    QPalette dark(QColor(45, 45, 45));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 128));
    QApplication::setPalette(dark);
    const QColor underDark = episodes.index(1, 0).data(Qt::ForegroundRole).value<QBrush>().color();
    QApplication::setPalette(light);
    EXPECT_EQ(underDark, QColor(120, 120, 128));

    // A title whose folder is not known greys nothing.
    show("Nana");
    catalogue.AddEpisode(Form().ShownTitleId(), {"nowhere.mkv", 1LL, 640, 480, 1});
    Form().CheckForChanges();
    ASSERT_EQ(episodes.rowCount(), 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    EXPECT_TRUE(greyed().isEmpty());
}

TEST_F(EpisodeFilesTest, ATitleWhoseFolderIsNotKnownSaysHowToMakeItKnown) {
    ASSERT_EQ(Form().ShownTitleName(), "Nana");
    for (const char* action : {"actionOpenEpisode", "actionShowInFolder"}) {
        errors.clear();
        window->Menu().Action(action)->trigger();
        ASSERT_EQ(errors.size(), 1) << action;
        EXPECT_TRUE(errors[0].contains("not known — add it again")) << errors[0].toStdString();
    }
    EXPECT_TRUE(catcher.urls.isEmpty());
}

} // namespace
} // namespace tolvane

#include "EpisodeFilesTest.moc"
