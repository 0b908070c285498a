// Windows on a server's catalogue: what another process stores shows in an open window within a
// second, and a server that stops under a window with a pending edit loses nothing: the window
// says so once, stays usable, and stores the edit once the server is back (or keeps it for the
// next start when it is closed meanwhile).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sstream>

#include "EditAnswers.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/CommandLine.h"
#include "app/EditPrompt.h"
#include "app/ErrorReporter.h"
#include "app/RecoveryFile.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

using test::TAnswers;
using test::TEngine;
using test::TTestCatalog;
using test::TTestServer;

const QString kComment = QString::fromUtf8("Комментарий");
const QString kCount = QString::fromUtf8("Количество серий");
const char* const kChildCatalog = "TOLVANE_TEST_SYNC_CATALOG";
const char* const kChildWork = "TOLVANE_TEST_SYNC_WORK";
const QString kSecret = "sync-S3cret";

std::string Text(const QString& s) {
    return s.toStdString();
}

// The other machine: this program again, running one child test that writes through the real
// store code (a window's edit, or `tolvane scan`).
TEST(ServerWriterChild, WritesWhatItIsAskedTo) {
    const QString uri = qEnvironmentVariable(kChildCatalog);
    if (uri.isEmpty()) GTEST_SKIP() << "runs as the child of ServerWindowTest";
    const QString work = qEnvironmentVariable(kChildWork);
    if (work == "scan") {
        std::ostringstream out, err;
        const QString media = QString(TOLVANE_TEST_DATA) + "/media";
        EXPECT_EQ(TCommandLine::Run({"scan", media, "--title", "Nana", "--db", uri}, out, err), 0)
            << err.str();
        return;
    }
    TCatalogForm form(uri);
    form.show();
    ASSERT_EQ(form.GV->GetCellText(1, form.GV->CurrentRow()), "Nana");
    form.EKoment->setText(work);
    EXPECT_TRUE(form.close()); // closing stores it
}

void RunWriter(const QString& uri, const QString& work) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildCatalog, uri);
    env.insert(kChildWork, work);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=ServerWriterChild.*"});
    ASSERT_TRUE(child.waitForFinished(60'000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

// Waits, serving events, until `done` holds; returns the milliseconds it took (or the limit).
template <typename F>
qint64 WaitUntil(F done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return clock.elapsed();
}

TEST(ServerWindowTest, WhatAnotherProcessStoresShowsWithinASecondKeepingThePendingEdit) {
    TTestCatalog catalogue(TEngine::Server);
    const auto nana = catalogue.AddTitle("Nana", "TV", "12", "c0");
    catalogue.AddTitle("Naruto");
    catalogue.AddEpisode(nana, {"00.mkv", 100, 640, 480, 1000, "AAC"});
    QStringList errors;
    const auto previous = TErrorReporter::SetSink([&](const QString& m) { errors << m; });
    {
        // Not the active window: a server's changes come to every window.
        TCatalogForm form(catalogue.Path());
        form.show();
        form.ECount->setText("13"); // pending, not stored
        ASSERT_EQ(form.DBGrid2->model()->rowCount(), 1);

        RunWriter(catalogue.Path(), "from the other machine");
        EXPECT_LT(WaitUntil([&] { return form.EKoment->text() == "from the other machine"; }), 1000);
        EXPECT_EQ(form.EKoment->text(), "from the other machine");
        EXPECT_EQ(form.ECount->text(), "13");

        RunWriter(catalogue.Path(), "scan");
        EXPECT_LT(WaitUntil([&] { return form.DBGrid2->model()->rowCount() > 1; }), 1000);
        EXPECT_EQ(form.DBGrid2->model()->rowCount(), 4); // three readable videos added
        EXPECT_EQ(form.GV->GetCellText(1, form.GV->CurrentRow()), "Nana");
        EXPECT_EQ(form.ECount->text(), "13");
        EXPECT_EQ(catalogue.TitleField(nana, kCount).toString(), "12");
        form.close();
    }
    TErrorReporter::SetSink(previous);
    EXPECT_EQ(catalogue.TitleField(nana, kCount).toString(), "13");
    EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "from the other machine");
    EXPECT_TRUE(errors.isEmpty()) << Text(errors.join("; "));
}

// The server is running again when a test ends, however it ends.
class TServerBack {
public:
    ~TServerBack() { TTestServer::Get().StartAgain(); }
};

class ServerGoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        nana = catalogue.AddTitle("Nana", "TV", "12", "kept");
        catalogue.AddTitle("Naruto");
        catalogue.AddEpisode(nana, {"00.mkv", 100, 640, 480, 1000, "AAC"});
        // A user who signs in with a password, which no message may show.
        static int roles = 0;
        const QString role = QString("member_%1").arg(++roles);
        const QString db = TCatalogLocation::Parse(catalogue.Path()).Database();
        server.Exec("CREATE ROLE " + role + " LOGIN PASSWORD '" + kSecret + "'");
        server.Exec(
            QString::fromUtf8("GRANT SELECT, INSERT, UPDATE, DELETE ON \"Sp\", \"Серии\", \"Rjk\" TO ") +
                role + "; GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO " + role,
            db);
        uri = server.Uri(db, role, kSecret);
        QFile::remove(TRecoveryFile::PathFor(uri));
    }

    // A window with " edited" typed after the comment, not stored, and then its server stopped.
    std::unique_ptr<TCatalogForm> EditThenStopTheServer() {
        auto form = std::make_unique<TCatalogForm>(uri);
        form->show();
        form->EKoment->setFocus();
        form->EKoment->end(false);
        for (QChar c : QString(" edited")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(form->EKoment, &press);
        }
        server.Shutdown();
        return form;
    }

    QString Stored() { return catalogue.TitleField(nana, kComment).toString(); }

    TTestServer& server = TTestServer::Get();
    TTestCatalog catalogue{TEngine::Server};
    TServerBack back;
    std::int64_t nana = 0;
    QString uri;
};

TEST_F(ServerGoneTest, TheWindowSaysItOnceKeepsTheEditAndRetryStoresItWhenTheServerIsBack) {
    TAnswers answers;
    auto form = EditThenStopTheServer();
    WaitUntil([&] { return !answers.Errors.isEmpty(); }, 3000);
    ASSERT_EQ(answers.Errors.size(), 1);
    const QString said = answers.Errors[0];
    EXPECT_TRUE(said.contains("the server is gone")) << Text(said);
    EXPECT_TRUE(said.contains(TCatalogLocation::Parse(uri).Database())) << Text(said);
    EXPECT_TRUE(said.contains(server.SocketFolder())) << Text(said);
    EXPECT_FALSE(said.contains(kSecret)) << Text(said);
    EXPECT_TRUE(form->SBarServerGone->isVisibleTo(form.get()));

    // Every way the window reads while the server is gone answers at once and says nothing more:
    // another title (its edit cannot be stored, so the window stays), the search, a refresh.
    QElapsedTimer clock;
    clock.start();
    form->GV->ClickRow(1);
    QCoreApplication::processEvents();
    form->EFound->setText("Nar");
    form->EFound->clear();
    form->RefreshFromCatalog();
    WaitUntil([] { return false; }, 1500); // the watcher's checks go on meanwhile
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(answers.Errors.size(), 1) << Text(answers.Errors.join("; "));
    EXPECT_EQ(form->EKoment->text(), "kept edited");
    EXPECT_EQ(form->GV->GetCellText(1, form->GV->CurrentRow()), "Nana");
    EXPECT_EQ(form->DBGrid2->model()->rowCount(), 1);

    // Closing: Retry while it is still gone fails with the reason; started again, Retry stores.
    answers.OnFailure = [&] {
        if (answers.Failures.size() == 2) server.StartAgain();
        return TStoreFailureChoice::sfRetry;
    };
    EXPECT_TRUE(form->close());
    ASSERT_EQ(answers.Failures.size(), 2);
    EXPECT_TRUE(answers.Failures[0].contains("server not reachable")) << Text(answers.Failures[0]);
    EXPECT_FALSE(answers.Failures[0].contains(kSecret));
    EXPECT_EQ(Stored(), "kept edited");
    EXPECT_FALSE(QFile::exists(TRecoveryFile::PathFor(uri)));
}

TEST_F(ServerGoneTest, ATitleWhoseEpisodesCannotBeReadLeavesTheWindowOnTheShownOne) {
    TAnswers answers;
    TCatalogForm form(uri);
    form.show();
    server.Shutdown();
    form.GV->ClickRow(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(answers.Errors.size(), 1) << Text(answers.Errors.join("; "));
    EXPECT_EQ(form.GV->GetCellText(1, form.GV->CurrentRow()), "Nana");
    EXPECT_EQ(form.EKoment->text(), "kept");
    EXPECT_EQ(form.DBGrid2->model()->rowCount(), 1);

    server.StartAgain();
    form.GV->ClickRow(1); // the connection is opened again
    EXPECT_EQ(form.GV->GetCellText(1, form.GV->CurrentRow()), "Naruto");
    EXPECT_EQ(form.DBGrid2->model()->rowCount(), 0);
    WaitUntil([&] { return !form.SBarServerGone->isVisibleTo(&form); }, 3000);
    EXPECT_FALSE(form.SBarServerGone->isVisibleTo(&form));
    EXPECT_EQ(answers.Errors.size(), 1) << Text(answers.Errors.join("; "));
}

TEST_F(ServerGoneTest, ClosingWhileItIsGoneKeepsTheEditForTheNextStart) {
    TAnswers answers;
    auto form = EditThenStopTheServer();
    answers.OnFailure = [] { return TStoreFailureChoice::sfKeep; };
    EXPECT_TRUE(form->close());
    EXPECT_EQ(answers.Failures.size(), 1);
    form.reset();
    ASSERT_TRUE(QFile::exists(TRecoveryFile::PathFor(uri)));

    server.StartAgain();
    EXPECT_EQ(Stored(), "kept");
    TCatalogForm next(uri);
    EXPECT_EQ(answers.RecoveryOffers, (QList<int>{1}));
    EXPECT_EQ(Stored(), "kept edited");
    EXPECT_EQ(next.EKoment->text(), "kept edited");
    EXPECT_FALSE(QFile::exists(TRecoveryFile::PathFor(uri)));
}

} // namespace
} // namespace tolvane
