// The viewer as a real process: an episode cell being edited when the program is told to end is
// stored, a scan by another process shows in the open window, and a signal during the start-up
// error box ends the program. Each child is this test program started again with its test
// selected.
#include <QApplication>
#include <QFile>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTableView>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

#include "TestCatalog.h"
#include "app/Application.h"
#include "app/CatalogForm.h"
#include "app/window/MainWindow.h"
#include "app/CommandLine.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

const char* const kChildCatalog = "TOLVANE_TEST_ENDING_CATALOG";
const char* const kChildEnd = "TOLVANE_TEST_ENDING_HOW";
const QString kMedia = QString(TOLVANE_TEST_DATA) + "/media";
const QString kAudio = QString::fromUtf8("Звук");

TCatalogForm* TheForm() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = TMainWindow::FormOf(w)) return f;
    return nullptr;
}

int ColumnOf(const QAbstractItemModel& model, const QString& label) {
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString() == label) return c;
    return -1;
}

// Starts this program again on one child test, with the catalogue (and more) in its environment.
class TChild {
public:
    TChild(const char* filter, const QString& catalogue, const QString& how = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildCatalog, catalogue);
        if (!how.isEmpty()) env.insert(kChildEnd, how);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QCoreApplication::applicationFilePath(), {QString("--gtest_filter=") + filter});
        process.waitForStarted();
    }
    ~TChild() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool WaitFor(const QByteArray& line) {
        while (!output.contains(line) && process.state() == QProcess::Running && process.waitForReadyRead(60000))
            output += process.readAll();
        return output.contains(line);
    }
    bool Finish(int ms) {
        const bool done = process.waitForFinished(ms);
        output += process.readAll();
        return done;
    }

    QProcess process;
    QByteArray output;
};

// The child: the program's own run of the window, "OPUS" typed over the first episode's audio
// in its cell editor, not confirmed; it says "ready" and waits to be ended (or ends itself).
TEST(EditEndingChild, RunsTheWindowWithAnOpenCellEditor) {
    const QString path = qEnvironmentVariable(kChildCatalog);
    if (path.isEmpty() || !qEnvironmentVariableIsSet(kChildEnd)) GTEST_SKIP() << "runs as a child";
    const QString how = qEnvironmentVariable(kChildEnd);
    QTimer::singleShot(0, [how] {
        TCatalogForm* form = TheForm();
        if (!form) {
            std::cout << "no window" << std::endl;
            return;
        }
        QTableView* table = form->DBGrid2;
        const QModelIndex cell = table->model()->index(0, ColumnOf(*table->model(), kAudio));
        table->setFocus();
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(cell));
        if (!editor) {
            std::cout << "no editor" << std::endl;
            return;
        }
        editor->selectAll();
        for (QChar c : QString("OPUS")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(editor, &press);
        }
        std::cout << "ready" << std::endl;
        if (how == "close") form->window()->close(); // as Alt+F4 does
        if (how == "quit") QCoreApplication::quit(); // as the session's end does
    });
    EXPECT_EQ(TApplication::RunCatalogWindow(path), 0);
}

TEST(EditEndingTest, AnOpenEpisodeCellEditIsStoredWhenTheProgramEnds) {
    const struct {
        const char* how;
        int signal;
    } ends[] = {{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"close", 0}, {"quit", 0}};
    for (const auto& end : ends) {
        SCOPED_TRACE(end.how);
        test::TTestCatalog catalogue;
        const auto id = catalogue.AddTitle("Nana");
        catalogue.AddEpisode(id, {"01.mkv", 100, 640, 480, 1000, "AAC"});
        TChild child("EditEndingChild.*", catalogue.Path(), end.how);
        ASSERT_TRUE(child.WaitFor("ready\n")) << child.output.toStdString();
        if (end.signal) ::kill(pid_t(child.process.processId()), end.signal);
        ASSERT_TRUE(child.Finish(60000)) << child.output.toStdString();
        EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit) << child.output.toStdString();
        EXPECT_EQ(child.process.exitCode(), 0) << child.output.toStdString();
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT \"Звук\" FROM \"Серии\"")).toString(), "OPUS");
    }
}

// The child: `tolvane scan` of the test media into a title.
TEST(ScanChild, ScansTheMediaFolder) {
    const QString path = qEnvironmentVariable(kChildCatalog);
    if (path.isEmpty() || qEnvironmentVariableIsSet(kChildEnd)) GTEST_SKIP() << "runs as a child";
    std::ostringstream out, err;
    EXPECT_EQ(TCommandLine::Run({"scan", kMedia, "--title", "Nana", "--db", path}, out, err), 0) << err.str();
}

TEST(EditEndingTest, AScanByAnotherProcessShowsInTheOpenWindow) {
    test::TTestCatalog catalogue;
    const auto id = catalogue.AddTitle("Nana", "TV", "12");
    catalogue.AddTitle("Naruto");
    catalogue.AddEpisode(id, {"00.mkv", 100, 640, 480, 1000, "AAC"});
    QStringList errors;
    const auto previous = TErrorReporter::SetSink([&](const QString& m) { errors << m; });
    {
        TCatalogForm form(catalogue.Path());
        form.show();
        QApplication::setActiveWindow(&form);
        form.EFound->setText("Na");
        form.ECount->setText("13"); // pending, not stored
        ASSERT_EQ(form.DBGrid2->model()->rowCount(), 1);

        TChild child("ScanChild.*", catalogue.Path());
        ASSERT_TRUE(child.Finish(60000)) << child.output.toStdString();
        ASSERT_EQ(child.process.exitCode(), 0) << child.output.toStdString();
        test::TRawDb(catalogue.Path()).Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Nausicaa')"));

        // Noticed while the window is active, within about two seconds.
        QElapsedTimer clock;
        clock.start();
        while (form.DBGrid2->model()->rowCount() == 1 && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_LT(clock.elapsed(), 2500);
        EXPECT_EQ(form.DBGrid2->model()->rowCount(), 4); // three readable videos added
        EXPECT_EQ(form.SBarPanel->text(), QString::fromUtf8("Всего: 3"));
        EXPECT_EQ(form.GV->GetRowCount(), 3);
        EXPECT_EQ(form.EFound->text(), "Na");
        EXPECT_EQ(form.GV->GetCellText(1, form.GV->CurrentRow()), "Nana");
        EXPECT_EQ(form.ECount->text(), "13");
        EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Количество серий")).toString(), "12");
        form.close();
        EXPECT_EQ(catalogue.TitleField(id, QString::fromUtf8("Количество серий")).toString(), "13");
    }
    TErrorReporter::SetSink(previous);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

// The program shows the form inside its main window: activating that window starts the watch.
TEST(EditEndingTest, AChangeShowsInAFormPlacedInAnotherWindow) {
    test::TTestCatalog catalogue;
    catalogue.AddTitle("Nana");
    QWidget window;
    auto* form = new TCatalogForm(catalogue.Path());
    form->setParent(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_EQ(form->GV->GetRowCount(), 1);
    test::TRawDb(catalogue.Path()).Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\") VALUES ('Nausicaa')"));
    QElapsedTimer clock;
    clock.start();
    while (form->GV->GetRowCount() == 1 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(form->GV->GetRowCount(), 2);
}

// The child: the program's own run of the window on a file it cannot open; it says "dialog" when
// the error box is up and "window" if the window ever shows.
TEST(StartErrorChild, RunsTheWindowOnABadFile) {
    const QString path = qEnvironmentVariable(kChildCatalog);
    if (path.isEmpty() || qEnvironmentVariable(kChildEnd) != "start") GTEST_SKIP() << "runs as a child";
    QTimer watch;
    bool dialog = false, window = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!dialog && qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            dialog = true;
            std::cout << "dialog" << std::endl;
        }
        TCatalogForm* form = TheForm();
        if (!window && form && form->isVisible()) {
            window = true;
            std::cout << "window" << std::endl;
        }
    });
    watch.start(20);
    TErrorReporter::SetSink(&TErrorReporter::ShowBox); // the message box, as the program shows it
    TApplication::RunCatalogWindow(path);
}

TEST(EditEndingTest, OneSignalEndsTheProgramWhileTheStartUpErrorBoxIsOpen) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.db");
    const QString empty = dir.filePath("empty.db");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        QFile e(empty);
        ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    }
    for (const QString& file : {dir.filePath("missing.db"), text, empty}) {
        SCOPED_TRACE(file.toStdString());
        TChild child("StartErrorChild.*", file, "start");
        ASSERT_TRUE(child.WaitFor("dialog\n")) << child.output.toStdString();
        ::kill(pid_t(child.process.processId()), SIGTERM);
        ASSERT_TRUE(child.Finish(10000)) << child.output.toStdString();
        EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit);
        EXPECT_FALSE(child.output.contains("window\n")) << child.output.toStdString();
    }
}

} // namespace
} // namespace tolvane
