#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "support/TestServer.h"

namespace tolvane {
namespace {

using test::TTestServer;

TEST(TestServer, ListensOnlyOnItsOwnSocketAndRunsQueries) {
    TTestServer& server = TTestServer::Get();
    EXPECT_TRUE(QFileInfo::exists(server.SocketFolder() + "/.s.PGSQL.5432"));
    const QString db = server.NewDatabase();
    server.Exec("CREATE TABLE t (x integer)", db);
    EXPECT_THROW(server.Exec("SELECT * FROM no_such_table", db), std::runtime_error);
}

// A test program that aborts leaves no server and no folder behind.
TEST(TestServer, IsRemovedWhenTheProgramAborts) {
    if (qEnvironmentVariableIsSet("TOLVANE_TEST_ABORT_WITH_SERVER")) {
        const QString folder = TTestServer::Get().SocketFolder();
        printf("folder=%s\n", qPrintable(folder));
        fflush(stdout);
        abort();
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOLVANE_TEST_ABORT_WITH_SERVER", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=TestServer.IsRemovedWhenTheProgramAborts"});
    ASSERT_TRUE(child.waitForFinished(60'000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    const qsizetype at = output.indexOf("folder=");
    ASSERT_GE(at, 0) << output.toStdString();
    const QString folder = output.mid(at + 7).section('\n', 0, 0).trimmed();
    ASSERT_FALSE(folder.isEmpty());
    // The watcher stops the server and removes the folder shortly after the program's end.
    for (int i = 0; i < 100 && QFileInfo::exists(folder); ++i) QThread::msleep(100);
    EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
}

} // namespace
} // namespace tolvane
