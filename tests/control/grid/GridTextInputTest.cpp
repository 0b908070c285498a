// Text that arrives as more than one UTF-16 unit starts an edit whole: a character outside the
// basic plane typed as one key, and a text composed by an input method.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/editors/base/CellEditor.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

class GridTextInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& title = h.AddColumn(120);
        title.SetOptions(title.Options() + coEditing);
        h.AddRows({"old", "other"});
        h.ShowAndFocus();
    }
    // The window that has the keyboard now: the grid, or the editor it opened.
    static void Send(QEvent& e) { QCoreApplication::sendEvent(QApplication::focusWidget(), &e); }
    void Commit() { h.input.Key(VK_RETURN); }

    GridHarness h;
};

TEST_F(GridTextInputTest, AKeyTypingACharacterBeyondTheBasicPlaneStartsTheEditWithIt) {
    const QString grin = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, two UTF-16 units
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, grin);
    Send(press);
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    h.input.Type("x");
    Commit();
    EXPECT_EQ(h.grid->GetCellText(0, 0), grin + "x");
    EXPECT_EQ(h.grid->GetCellText(0, 0).toUcs4(), QList<uint>({0x1F600u, uint('x')}));
}

TEST_F(GridTextInputTest, AnInputMethodCommitStartsTheEditWithTheWholeText) {
    const QString composed = QString::fromUtf8("\xE6\x9D\xB1\xE4\xBA\xAC"); // 東京
    QInputMethodEvent preedit(QString::fromUtf8("\xE3\x81\xA8"), {});       // と, still composing
    Send(preedit);
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr); // composing alone starts nothing
    QInputMethodEvent commit;
    commit.setCommitString(composed);
    Send(commit);
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    EXPECT_EQ(h.grid->ActiveEditor()->Text(), composed);
    Commit();
    EXPECT_EQ(h.grid->GetCellText(0, 0), composed);
}

TEST_F(GridTextInputTest, TheInputMethodIsToldTheCurrentCellAsThePlaceOfTheText) {
    h.input.Key(VK_DOWN);
    const QRect place = h.grid->ClientWidget()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const TRect cell = h.grid->GetCellRect(0, 1);
    EXPECT_EQ(place, QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
}

} // namespace
