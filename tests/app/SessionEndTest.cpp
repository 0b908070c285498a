// A viewer asked to end from outside (logout, shutdown, Ctrl+C, a closed terminal) stores the
// edit it holds. The viewer runs as a real child process: this test program started again with
// the child's test selected.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>

#include "TestCatalog.h"
#include "app/Application.h"
#include "app/CatalogForm.h"
#include "app/window/MainWindow.h"

namespace tolvane {
namespace {

const char* const kChildCatalog = "TOLVANE_TEST_SESSION_CATALOG";
const char* const kChildEnd = "TOLVANE_TEST_SESSION_END"; // "quit": the child ends its own loop
const QString kComment = QString::fromUtf8("Комментарий");

// The child: the program's own run of the window, with " ended" typed at the end of the comment
// and not yet stored; it says "ready" and waits to be ended.
TEST(SessionEndChild, RunsTheWindowWithAPendingEdit) {
    const QString path = qEnvironmentVariable(kChildCatalog);
    if (path.isEmpty()) GTEST_SKIP() << "runs as the child of SessionEndTest";
    QTimer::singleShot(0, [] {
        TCatalogForm* form = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = TMainWindow::FormOf(w)) form = f;
        if (!form) {
            std::cout << "no window" << std::endl;
            return;
        }
        for (QChar c : QString(" ended")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(form->EKoment, &press);
        }
        std::cout << "ready" << std::endl;
        if (qEnvironmentVariable(kChildEnd) == "quit") QCoreApplication::quit();
    });
    EXPECT_EQ(TApplication::RunCatalogWindow(path), 0);
}

TEST(SessionEndTest, PendingEditIsStoredWhenTheProcessIsAskedToEnd) {
    const struct {
        const char* how;
        int signal; // 0: the application quits (as on the session manager's request)
    } ends[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}, {"quit", 0}};
    for (const auto& end : ends) {
        SCOPED_TRACE(end.how);
        test::TTestCatalog catalogue;
        const auto id = catalogue.AddTitle("Nana", "TV", "47", "kept");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildCatalog, catalogue.Path());
        if (!end.signal) env.insert(kChildEnd, "quit");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SessionEndChild.*"});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray output;
        while (!output.contains("ready\n") && child.state() == QProcess::Running &&
               child.waitForReadyRead(60000))
            output += child.readAll();
        ASSERT_TRUE(output.contains("ready\n")) << output.toStdString();
        if (end.signal) {
            EXPECT_EQ(catalogue.TitleField(id, kComment).toString(), "kept") << "pending until the end";
            ::kill(pid_t(child.processId()), end.signal);
        }
        ASSERT_TRUE(child.waitForFinished(60000));
        output += child.readAll();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_EQ(catalogue.TitleField(id, kComment).toString(), "kept ended");
    }
}

} // namespace
} // namespace tolvane
