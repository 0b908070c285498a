// Two windows on one catalogue, and a second program holding its lock: a stored edit is never
// overwritten without a word, edits to different fields merge, and closing keeps an edit it
// cannot store yet.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <string>

#include "EditAnswers.h"
#include "TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/EditPrompt.h"
#include "app/ErrorReporter.h"
#include "app/RecoveryFile.h"
#include "app/TitleList.h"

namespace tolvane {
namespace {

const QString kComment = QString::fromUtf8("Комментарий");
const QString kCount = QString::fromUtf8("Количество серий");
const char* const kLockCatalog = "TOLVANE_TEST_LOCK_CATALOG";

using test::TAnswers;

// Types into a box as a user does, at its end.
void Append(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->end(false);
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
}

TEST(EditConflictTest, AStoreOverAValueChangedInAnotherWindowAsksAndOverwritesNothingUnasked) {
    const struct {
        TConflictChoice choice;
        const char* stored; // the comment stored in the end
        const char* shown;  // what the second window's box shows after the answer
        bool countStored;   // the second window's other field, stored with the answer
    } cases[] = {
        {TConflictChoice::ccLater, "W1 edit", "c0 W2", false},
        {TConflictChoice::ccKeepStored, "W1 edit", "W1 edit", true},
        {TConflictChoice::ccKeepMine, "c0 W2", "c0 W2", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.choice));
        test::TTestCatalog catalogue;
        const auto nana = catalogue.AddTitle("Nana", "TV", "12", "c0");
        catalogue.AddTitle("Naruto");
        TAnswers answers;
        answers.Conflict = c.choice;
        TCatalogForm first(catalogue.Path());
        TCatalogForm second(catalogue.Path());
        first.show();
        second.show();

        first.EKoment->setText("W1 edit");
        first.GV->ClickRow(1); // moving on stores it
        ASSERT_EQ(catalogue.TitleField(nana, kComment).toString(), "W1 edit");

        Append(second.EKoment, " W2");
        Append(second.ECount, "0");
        second.GV->ClickRow(1);

        ASSERT_EQ(answers.Questions.size(), 1u);
        EXPECT_EQ(answers.Questions[0].Field, kComment);
        EXPECT_EQ(answers.Questions[0].Record, "Nana");
        EXPECT_EQ(answers.Questions[0].Stored, "W1 edit");
        EXPECT_EQ(answers.Questions[0].Mine, "c0 W2");
        EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), c.stored);
        // The other field, changed in this window alone, merges with the first window's edit.
        EXPECT_EQ(catalogue.TitleField(nana, kCount).toString(), c.countStored ? "120" : "12");
        QCoreApplication::processEvents();
        if (c.choice == TConflictChoice::ccLater) {
            // Nothing lost: the window stays on the title with both edits in their boxes.
            EXPECT_EQ(second.EKoment->text(), c.shown);
            EXPECT_EQ(second.ECount->text(), "120");
            EXPECT_EQ(second.GV->CurrentRow(), 0);
            answers.Conflict = TConflictChoice::ccKeepMine;
            second.GV->ClickRow(1);
            EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "c0 W2");
            EXPECT_EQ(catalogue.TitleField(nana, kCount).toString(), "120");
        } else {
            second.GV->ClickRow(0);
            EXPECT_EQ(second.EKoment->text(), c.shown);
        }
        EXPECT_TRUE(answers.Errors.isEmpty()) << answers.Errors.join("; ").toStdString();
    }
}

TEST(EditConflictTest, AnEpisodeCellChangedInAnotherWindowIsAskedAboutAndKeptUntilDecided) {
    test::TTestCatalog catalogue;
    const auto nana = catalogue.AddTitle("Nana");
    catalogue.AddEpisode(nana, {"01.mkv", 100, 640, 480, 1000, "AAC"});
    TAnswers answers;
    TCatalogForm first(catalogue.Path());
    TCatalogForm second(catalogue.Path());
    first.show();
    second.show();
    QAbstractItemModel* a = first.DBGrid2->model();
    QAbstractItemModel* b = second.DBGrid2->model();
    int audio = 0;
    while (a->headerData(audio, Qt::Horizontal).toString() != QString::fromUtf8("Звук")) ++audio;
    const auto stored = [&] { return catalogue.Scalar(QString::fromUtf8("SELECT \"Звук\" FROM \"Серии\"")).toString(); };

    ASSERT_TRUE(a->setData(a->index(0, audio), "OPUS"));
    EXPECT_EQ(stored(), "OPUS");
    b->setData(b->index(0, audio), "FLAC");
    ASSERT_EQ(answers.Questions.size(), 1u);
    EXPECT_EQ(answers.Questions[0].Record, "01.mkv");
    EXPECT_EQ(answers.Questions[0].Stored, "OPUS");
    EXPECT_EQ(answers.Questions[0].Mine, "FLAC");
    EXPECT_EQ(stored(), "OPUS") << "nothing overwritten unasked";
    EXPECT_EQ(b->index(0, audio).data().toString(), "FLAC") << "the typed value stays shown";

    answers.Conflict = TConflictChoice::ccKeepMine;
    EXPECT_TRUE(second.close());
    EXPECT_EQ(stored(), "FLAC");
}

// A second program that holds the catalogue's write lock until its input ends.
TEST(LockHolderChild, HoldsTheLockUntilItsInputEnds) {
    const QString path = qEnvironmentVariable(kLockCatalog);
    if (path.isEmpty()) GTEST_SKIP() << "runs as the child of EditConflictTest";
    test::TRawDb raw(path);
    QSqlQuery q(raw.Db());
    ASSERT_TRUE(q.exec("BEGIN EXCLUSIVE"));
    std::cout << "locked" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    q.exec("ROLLBACK");
}

class TLockHolder {
public:
    explicit TLockHolder(const QString& path) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kLockCatalog, path);
        process_.setProcessEnvironment(env);
        process_.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=LockHolderChild.*"});
        QByteArray output;
        while (!output.contains("locked") && process_.waitForReadyRead(30000)) output += process_.readAll();
        if (!output.contains("locked")) throw std::runtime_error("no lock: " + output.toStdString());
    }
    ~TLockHolder() { Release(); }
    void Release() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.closeWriteChannel();
        process_.waitForFinished(30000);
    }

private:
    QProcess process_;
};

// The window's connection waits only briefly for a lock, so that the test does not.
void WaitBriefly(TCatalogForm& form) {
    QSqlQuery(form.Conn.Database()).exec("PRAGMA busy_timeout = 100");
}

TEST(EditConflictTest, ClosingWhileAnotherProgramHoldsTheLockKeepsTheEditUntilRetryStoresIt) {
    test::TTestCatalog catalogue;
    const auto nana = catalogue.AddTitle("Nana", "TV", "12", "kept");
    TAnswers answers;
    auto form = std::make_unique<TCatalogForm>(catalogue.Path());
    form->show();
    WaitBriefly(*form);
    Append(form->EKoment, " ended");
    TLockHolder lock(catalogue.Path());

    // Cancel: the window stays open, the edit pending.
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(answers.Failures.size(), 1);
    EXPECT_TRUE(answers.Failures[0].contains("locked")) << answers.Failures[0].toStdString();
    EXPECT_EQ(form->EKoment->text(), "kept ended");

    // Retry while still locked: asked again; then the lock goes and Retry stores it.
    int asked = 0;
    answers.OnFailure = [&] {
        if (++asked == 2) lock.Release();
        return TStoreFailureChoice::sfRetry;
    };
    EXPECT_TRUE(form->close());
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "kept ended");
    EXPECT_FALSE(QFile::exists(TRecoveryFile::PathFor(catalogue.Path())));
}

TEST(EditConflictTest, EndingWithoutAnyoneToAskKeepsUnstorableEditsForTheNextStart) {
    test::TTestCatalog catalogue;
    const auto nana = catalogue.AddTitle("Nana", "TV", "12", "kept");
    TAnswers answers;
    {
        TCatalogForm form(catalogue.Path());
        form.show();
        WaitBriefly(form);
        Append(form.EKoment, " ended");
        TLockHolder lock(catalogue.Path());
        form.SetUnattended(); // as on a signal
        EXPECT_TRUE(form.close());
        EXPECT_TRUE(answers.Failures.isEmpty());
    }
    EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "kept");
    ASSERT_TRUE(QFile::exists(TRecoveryFile::PathFor(catalogue.Path())));

    // "Later" keeps the file; "Apply" stores the edit through the checked write and removes it.
    answers.Recovery = TRecoveryChoice::rcLater;
    { TCatalogForm later(catalogue.Path()); }
    EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "kept");
    answers.Recovery = TRecoveryChoice::rcApply;
    TCatalogForm next(catalogue.Path());
    EXPECT_EQ(answers.RecoveryOffers, (QList<int>{1, 1}));
    EXPECT_EQ(catalogue.TitleField(nana, kComment).toString(), "kept ended");
    EXPECT_EQ(next.EKoment->text(), "kept ended");
    EXPECT_FALSE(QFile::exists(TRecoveryFile::PathFor(catalogue.Path())));
    EXPECT_TRUE(answers.Errors.isEmpty()) << answers.Errors.join("; ").toStdString();
}

} // namespace
} // namespace tolvane
