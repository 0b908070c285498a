// Title ▸ New Title and Delete Title…: a title named in place in the list, a title deleted with
// its episodes after a question that counts them.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "app/TestCatalog.h"
#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/TitleList.h"
#include "app/window/MainMenu.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowSettings.h"
#include "window/ShownWindow.h"

namespace tolvane {
namespace {

using test::TTestCatalog;

const QString kTitle = QString::fromUtf8("Название");

class TitleMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TWindowSettings::Open()->clear();
        previous_ = TErrorReporter::SetSink([this](const QString& m) { errors << m; });
        nana = catalogue.AddTitle("Nana", "TV", "47");
        for (int k = 1; k <= 11; ++k) catalogue.AddEpisode(nana, {QString("nana%1.avi").arg(k), 1LL, 640, 480, 1});
        akira = catalogue.AddTitle("Akira", "Movie", "1");
        window = test::ShownWindow(catalogue.Path());
    }
    void TearDown() override {
        window.reset();
        TErrorReporter::SetSink(std::move(previous_));
    }
    TCatalogForm& Form() { return *window->Form(); }
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QPointer<QWidget> focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(focus, &press);
        if (!focus) return;
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(focus, &release);
    }
    static void Type(const QString& text) {
        for (QChar c : text) Key(Qt::Key_unknown, Qt::NoModifier, QString(c));
    }
    QStringList Listed() {
        QStringList names;
        for (int r = 0; r < Form().GV->GetRowCount(); ++r) names << Form().GV->GetCellText(1, r);
        return names;
    }
    QVariant NameOf(std::int64_t id) {
        return catalogue.Scalar("SELECT " + TCatalogSchema::Quoted(kTitle) + " FROM \"Sp\" WHERE \"ID\" = ?", {qlonglong(id)});
    }
    // Answers the question that the next action opens.
    void Answer(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                question = box->text();
                box->button(button)->click();
            }
        });
    }

    TTestCatalog catalogue;
    std::unique_ptr<TMainWindow> window;
    QStringList errors;
    QString question;
    std::int64_t nana = 0, akira = 0;

private:
    TErrorReporter::TSink previous_;
};

TEST_F(TitleMenuTest, ANewTitleIsNamedInPlaceWhileTheSearchHidesIt) {
    Form().EFound->setText("Ak");
    ASSERT_EQ(Listed(), QStringList{"Akira"});
    Key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), "TitleNameEditor");
    EXPECT_EQ(editor->selectedText(), "New title");
    EXPECT_EQ(Form().EFound->text(), "") << "the search that hid it is cleared";
    const std::int64_t id = Form().ShownTitleId();
    EXPECT_GT(id, akira);
    Type("Mushishi");
    Key(Qt::Key_Return);
    EXPECT_EQ(NameOf(id).toString(), "Mushishi");
    EXPECT_TRUE(Listed().contains("Mushishi"));
    EXPECT_EQ(Form().GV->GetCellText(1, Form().GV->CurrentRow()), "Mushishi");
    // The search box goes on finding.
    Form().EFound->setText("Mu");
    EXPECT_EQ(Listed(), QStringList{"Mushishi"});
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(TitleMenuTest, ANewTitleBelowTheListsEndIsScrolledIntoViewAndNamedThere) {
    for (int k = 0; k < 150; ++k) catalogue.AddTitle(QString("Title %1").arg(k, 3, 10, QChar('0')), "TV", "1");
    Form().CheckForChanges();
    ASSERT_EQ(Form().GV->GetRowCount(), 152);
    window->Menu().Action("actionNewTitle")->trigger();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    const QRect list = Form().GV->Widget()->rect();
    const QRect shown = editor->geometry();
    EXPECT_TRUE(list.contains(shown.center())) << shown.y() << " in a list " << list.height() << " high";
    EXPECT_EQ(Form().GV->GetCellText(1, Form().GV->CurrentRow()), "New title");
}

TEST_F(TitleMenuTest, EscapeKeepsTheNewTitlesNameAndANameChangedElsewhereIsNotOverwritten) {
    window->Menu().Action("actionNewTitle")->trigger();
    const std::int64_t first = Form().ShownTitleId();
    Type("Lost");
    Key(Qt::Key_Escape);
    EXPECT_EQ(NameOf(first).toString(), "New title");

    window->Menu().Action("actionNewTitle")->trigger();
    const std::int64_t second = Form().ShownTitleId();
    ASSERT_NE(second, first);
    test::TRawDb(catalogue.Path()).Exec("UPDATE \"Sp\" SET " + TCatalogSchema::Quoted(kTitle) + " = 'Theirs' WHERE \"ID\" = ?",
                                        {qlonglong(second)});
    Type("Mine");
    Key(Qt::Key_Return);
    EXPECT_EQ(NameOf(second).toString(), "Theirs");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("changed or deleted elsewhere")) << errors[0].toStdString();
}

TEST_F(TitleMenuTest, DeleteAsksWithTheNumberOfEpisodesAndNoKeepsTheTitle) {
    ASSERT_EQ(Form().ShownTitleName(), "Nana");
    const struct {
        QMessageBox::StandardButton answer;
        bool gone;
    } cases[] = {{QMessageBox::No, false}, {QMessageBox::Yes, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gone ? "yes" : "no");
        question.clear();
        Answer(c.answer);
        window->Menu().Action("actionDeleteTitle")->trigger();
        EXPECT_EQ(question, "Delete the title \"Nana\" and its 11 episodes?");
        EXPECT_EQ(NameOf(nana).isNull(), c.gone);
        EXPECT_EQ(catalogue.Scalar(QString::fromUtf8("SELECT count(*) FROM \"Серии\"")).toInt(), c.gone ? 0 : 11);
        EXPECT_EQ(Listed().contains("Nana"), !c.gone);
    }
    EXPECT_EQ(Form().ShownTitleName(), "Akira");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(TitleMenuTest, UndoAndRedoOfNewRenamedAndDeletedTitles) {
    window->Menu().Action("actionNewTitle")->trigger();
    const std::int64_t made = Form().ShownTitleId();
    Type("Mushishi");
    Key(Qt::Key_Return);
    Form().GV->SetCurrentRow(Listed().indexOf("Nana"));
    Answer(QMessageBox::Yes);
    window->Menu().Action("actionDeleteTitle")->trigger();
    ASSERT_TRUE(NameOf(nana).isNull());
    const QString episodes = QString::fromUtf8("SELECT count(*) FROM \"Серии\" WHERE \"Название\" = ?");

    // By the keys, from the title list.
    QApplication::setActiveWindow(window.get());
    Form().GV->Widget()->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(NameOf(nana).toString(), "Nana");
    EXPECT_EQ(catalogue.Scalar(episodes, {qlonglong(nana)}).toInt(), 11);
    EXPECT_EQ(Form().ShownTitleName(), "Nana");
    window->History().undo();
    EXPECT_EQ(NameOf(made).toString(), "New title");
    window->History().undo();
    EXPECT_TRUE(NameOf(made).isNull());
    EXPECT_FALSE(window->Menu().Action("actionUndo")->isEnabled());
    window->History().redo();
    window->History().redo();
    EXPECT_EQ(NameOf(made).toString(), "Mushishi");
    window->Menu().Action("actionRedo")->trigger();
    EXPECT_TRUE(NameOf(nana).isNull());
    EXPECT_EQ(catalogue.Scalar(episodes, {qlonglong(nana)}).toInt(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // A second window renames the title meanwhile: undoing the name tells so and keeps theirs.
    window->History().undo(); // the deletion
    TCatalogForm second(catalogue.Path());
    second.GV->SetCurrentRow(0);
    test::TRawDb(catalogue.Path()).Exec("UPDATE \"Sp\" SET " + TCatalogSchema::Quoted(kTitle) + " = 'Theirs' WHERE \"ID\" = ?",
                                        {qlonglong(made)});
    window->History().undo();
    EXPECT_EQ(NameOf(made).toString(), "Theirs");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Cannot undo")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("changed or deleted elsewhere")) << errors[0].toStdString();
}

TEST_F(TitleMenuTest, BoxAndEpisodeCellEditsAreUndoneUnlessChangedInAnotherWindow) {
    const QString comment = QString::fromUtf8("Комментарий");
    const QString audio = QString::fromUtf8("SELECT \"Звук\" FROM \"Серии\" WHERE \"Серия\" = 'nana1.avi'");
    ASSERT_EQ(Form().ShownTitleName(), "Nana");
    Form().EKoment->setFocus();
    Type("W1");
    Form().GV->SetCurrentRow(Listed().indexOf("Akira")); // stores the comment
    ASSERT_EQ(catalogue.TitleField(nana, comment).toString(), "W1");
    QAbstractItemModel& episodes = *Form().DBGrid2->model();
    Form().GV->SetCurrentRow(Listed().indexOf("Nana"));
    int audioColumn = -1;
    for (int c = 0; c < episodes.columnCount(); ++c)
        if (episodes.headerData(c, Qt::Horizontal).toString() == QString::fromUtf8("Звук")) audioColumn = c;
    ASSERT_GE(audioColumn, 0);
    ASSERT_TRUE(episodes.setData(episodes.index(0, audioColumn), "OPUS"));
    Form().GV->SetCurrentRow(Listed().indexOf("Akira"));
    ASSERT_EQ(catalogue.Scalar(audio).toString(), "OPUS");

    window->History().undo();
    EXPECT_EQ(catalogue.Scalar(audio).toString(), "AAC");
    EXPECT_EQ(Form().ShownTitleName(), "Nana") << "the title of the step is shown";
    window->History().undo();
    EXPECT_TRUE(catalogue.TitleField(nana, comment).isNull());
    EXPECT_EQ(Form().EKoment->text(), "");
    window->History().redo();
    EXPECT_EQ(catalogue.TitleField(nana, comment).toString(), "W1");
    EXPECT_EQ(Form().EKoment->text(), "W1");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // A second window stores its own comment: undoing ours says so and keeps theirs.
    {
        TCatalogForm second(catalogue.Path());
        second.show();
        second.EKoment->setText("W2");
        second.StorePendingEdit();
    }
    ASSERT_EQ(catalogue.TitleField(nana, comment).toString(), "W2");
    window->History().undo();
    EXPECT_EQ(catalogue.TitleField(nana, comment).toString(), "W2");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("was changed elsewhere (now \"W2\")")) << errors[0].toStdString();
}

} // namespace
} // namespace tolvane
