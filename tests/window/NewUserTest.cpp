// A new user keeps a catalogue from the window alone: makes it, adds two folders as two titles,
// deletes one and takes that back, exports the titles and plays an episode.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/AddFolderQuestion.h"
#include "app/window/FileChooser.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowSettings.h"

class TPlayer : public QObject {
    Q_OBJECT
public:
    QList<QUrl> played;
public slots:
    void Play(const QUrl& url) { played << url; }
};

namespace tolvane {
namespace {

const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";

TEST(NewUserTest, MakesAddsDeletesUndoesExportsAndPlaysFromTheWindowAlone) {
    TWindowSettings::Open()->clear();
    QTemporaryDir dir, second;
    for (const QString& name : {"episode 2.mkv", "episode 10.mp4"})
        ASSERT_TRUE(QFile::copy(kMedia + "/" + name, second.filePath(name)));
    QStringList errors;
    auto sink = TErrorReporter::SetSink([&errors](const QString& m) { errors << m; });
    QStringList files{dir.filePath("mine.db"), kMedia, second.path(), dir.filePath("titles.xlsx")};
    auto chooser = TFileChooser::SetAnswer(
        [&files](TFileQuestion, const QString&, const QString&, QString*) { return files.takeFirst(); });
    QList<TAddFolderChoice> choices{{"Prologue", "TV"}, {"Second", "OVA"}};
    auto question = TAddFolderQuestion::SetAnswer(
        [&choices](const QString&, const QString&) { return std::optional(choices.takeFirst()); });
    TPlayer player;
    QDesktopServices::setUrlHandler("file", &player, "Play");

    {
        TMainWindow window;
        window.OpenCatalog(dir.filePath("none.db")); // the first start: nothing there yet
        errors.clear();
        window.show();
        TMainMenu& menu = window.Menu();
        menu.Action("actionNew")->trigger();
        TCatalogForm& form = *window.Form();
        ASSERT_EQ(form.Conn.Path(), dir.filePath("mine.db"));
        menu.Action("actionAddFolder")->trigger();
        menu.Action("actionAddFolder")->trigger();
        ASSERT_EQ(form.GV->GetRowCount(), 2);
        EXPECT_EQ(form.ShownTitleName(), "Second");

        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        menu.Action("actionDeleteTitle")->trigger();
        ASSERT_EQ(form.GV->GetRowCount(), 1);
        menu.Action("actionUndo")->trigger();
        ASSERT_EQ(form.GV->GetRowCount(), 2);
        EXPECT_EQ(form.ShownTitleName(), "Second");
        EXPECT_EQ(form.DBGrid2->model()->rowCount(), 2);

        menu.Action("actionExport")->trigger();
        QFile book(dir.filePath("titles.xlsx"));
        ASSERT_TRUE(book.open(QIODevice::ReadOnly));
        EXPECT_TRUE(book.read(2) == "PK");

        form.DBGrid2->setCurrentIndex(form.DBGrid2->model()->index(1, 0));
        menu.Action("actionOpenEpisode")->trigger();
        window.close();
    }
    ASSERT_EQ(player.played.size(), 1);
    EXPECT_EQ(player.played[0], QUrl::fromLocalFile(second.filePath("episode 10.mp4")));
    // Nothing renamed by accident: the names as given.
    test::TRawDb raw(dir.filePath("mine.db"));
    EXPECT_EQ(raw.Scalar(QString::fromUtf8("SELECT group_concat(\"Название\", ',') FROM \"Sp\"")).toString(),
              "Prologue,Second");
    ASSERT_EQ(errors.size(), 1) << errors.join("; ").toStdString();
    EXPECT_TRUE(errors[0].contains("broken.avi")) << "the unreadable file of the first folder";

    QDesktopServices::unsetUrlHandler("file");
    TAddFolderQuestion::SetAnswer(std::move(question));
    TFileChooser::SetAnswer(std::move(chooser));
    TErrorReporter::SetSink(std::move(sink));
}

} // namespace
} // namespace tolvane

#include "NewUserTest.moc"
