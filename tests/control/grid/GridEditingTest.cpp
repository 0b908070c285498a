// In-place editing from the grid's side, driven by real key and mouse events.
#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/editors/text/SpinEditor.h"
#include "grid/editors/text/TextualEditor.h"
#include "grid/model/columns/classes/NumericColumn.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

class GridEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.grid->SetOptions({goGrid, goHeader, goInput});
        auto& text = h.AddColumn(100);
        text.SetOptions(text.Options() + coEditing);
        auto& number = h.grid->Columns().Add<TNumericColumn>();
        number.SetWidth(80);
        number.SetOptions(number.Options() + coEditing);
        number.SetMax(10);
        number.SetIncrement(2);
        h.AddRows({"alpha", "beta", "gamma"});
        for (int r = 0; r < 3; ++r) h.grid->SetCellText(1, r, QString::number(r + 1));
        h.ShowAndFocus();
        h.grid->OnEditAccept = [this](TCustomGridViewControl*, int c, int r, const QString& v, bool& accept) {
            events << QString("accept %1,%2 %3").arg(c).arg(r).arg(v);
            accept = acceptEdits;
        };
        h.grid->OnAfterEdit = [this](TCustomGridViewControl*, int c, int r, const QString& v) {
            events << QString("after %1,%2 %3").arg(c).arg(r).arg(v);
        };
    }

    // Clicks the current cell of column `col` in row `row` twice: the first makes it current,
    // the second (released on the pressed cell) starts its editor.
    void StartByClicks(int col, int row) {
        const TRect r = h.grid->GetCellRect(col, row);
        h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
        if (!h.grid->ActiveEditor()) h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
    }
    TTextualEditor* Editor() const { return dynamic_cast<TTextualEditor*>(h.grid->ActiveEditor()); }
    void ClickInput(int col) {
        const TRect r = h.grid->GetCellRect(col, 0, gaInput);
        h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
    }

    GridHarness h;
    QStringList events;
    bool acceptEdits = true;
};

TEST_F(GridEditingTest, TypingStartsTheEditorAndEnterCommitsAndMovesDown) {
    ASSERT_FALSE(h.grid->WantReturns());
    ASSERT_EQ(h.grid->SelectionMoveDirection(), mdDown);
    h.input.Type("xy");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(h.grid->EditingCell());
    EXPECT_EQ(Editor()->Text(), "xy"); // the typed first character is not selected away
    EXPECT_TRUE(Editor()->IgnoreArrows());
    // The editor lies over the cell, one pixel inside it, and has the focus.
    const TRect cell = h.grid->GetCellRect(0, 0);
    EXPECT_EQ(Editor()->BoundsRect(), cell.Inflate(-1, -1));
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_TRUE(h.grid->GridFocused());

    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(0, 0), "xy");
    EXPECT_EQ(events, QStringList({"accept 0,0 xy", "after 0,0 xy"}));
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr);
    EXPECT_FALSE(Editor());
    EXPECT_EQ(h.grid->Row(), 1);
    EXPECT_TRUE(h.grid->Focused());
}

TEST_F(GridEditingTest, SameTextStoresNothingAndEscapeKeepsTheOldValue) {
    StartByClicks(0, 1);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "beta");
    EXPECT_EQ(Editor()->SelLength(), 4); // coEditorAutoSelect
    EXPECT_FALSE(h.grid->AcceptEdit());
    h.input.Key(VK_RETURN);
    EXPECT_TRUE(events.isEmpty());

    StartByClicks(0, 2);
    h.input.Type("changed");
    h.input.Key(VK_ESCAPE);
    EXPECT_EQ(h.grid->GetCellText(0, 2), "gamma");
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(h.grid->EditingCell());
    EXPECT_TRUE(h.grid->Focused());
}

TEST_F(GridEditingTest, RefusalsLeaveTheCellAsItWas) {
    int before = 0;
    h.grid->OnBeforeEdit = [&](TCustomGridViewControl*, int, int, bool& accept) {
        ++before;
        accept = false;
    };
    h.input.Type("q");
    EXPECT_EQ(before, 1);
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr);

    h.grid->OnBeforeEdit = nullptr;
    acceptEdits = false;
    h.input.Type("q");
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(0, 0), "alpha");
    EXPECT_EQ(events, QStringList({"accept 0,0 q"}));
}

TEST_F(GridEditingTest, EveryChangeRaisesOnEditWithTheCell) {
    QStringList edits;
    h.grid->OnEdit = [&](TCustomGridViewControl*, int c, int r, const QString& v) {
        edits << QString("%1,%2 %3").arg(c).arg(r).arg(v);
    };
    h.input.Key(VK_DOWN);
    h.input.Type("ab");
    h.input.Key(VK_BACK);
    EXPECT_EQ(edits, QStringList({"0,1 a", "0,1 ab", "0,1 a"}));
}

TEST_F(GridEditingTest, NumericCellsUseTheSpinEditorWithTheColumnsLimits) {
    h.input.Key(VK_RIGHT);
    h.input.Type("7");
    auto* spin = dynamic_cast<TSpinEditor*>(h.grid->ActiveEditor());
    ASSERT_NE(spin, nullptr);
    EXPECT_DOUBLE_EQ(spin->Increment(), 2);
    EXPECT_DOUBLE_EQ(spin->Max(), 10);
    EXPECT_FALSE(spin->IgnoreArrows());
    h.input.Key(VK_UP);
    EXPECT_EQ(spin->Text(), "9");
    h.input.Key(VK_UP); // 11 would pass Max
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(1, 0), "9");
    EXPECT_EQ(h.grid->Row(), 1);
}

TEST_F(GridEditingTest, ALoneSignCommitsAsZeroWithoutAnError) {
    h.input.Key(VK_RIGHT);
    h.input.Type("+");
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    EXPECT_NO_THROW(h.input.Key(VK_RETURN));
    EXPECT_EQ(h.grid->GetCellText(1, 0), "0");
}

TEST_F(GridEditingTest, InputRowBecomesANewRowWithDefaultsForEmptyValues) {
    auto& text = static_cast<TTextualColumn&>(h.grid->Columns()[0]);
    text.SetDefaultValue("untitled");
    int added = 0;
    h.grid->OnInputAdded = [&](TCustomGridViewControl*) { ++added; };
    ClickInput(0);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(h.grid->EditingInput());
    EXPECT_EQ(Editor()->BoundsRect(), h.grid->GetCellRect(0, 0, gaInput).Inflate(-1, -1));
    h.input.Key(VK_RETURN); // nothing typed
    ASSERT_EQ(h.grid->GetRowCount(), 4);
    EXPECT_EQ(h.grid->GetCellText(0, 3), "untitled");
    EXPECT_EQ(h.grid->GetCellText(1, 3), "0");
    EXPECT_EQ(added, 1);
    // The editor stays on the input row with the reset value, ready for the next row.
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "untitled");

    h.input.Type("delta");
    h.input.Key(VK_RETURN);
    ASSERT_EQ(h.grid->GetRowCount(), 5);
    EXPECT_EQ(h.grid->GetCellText(0, 4), "delta");
    EXPECT_TRUE(events.isEmpty()); // the input row raises no cell events
}

TEST_F(GridEditingTest, ClickingADataCellAddsTheInputRowUnlessRefused) {
    for (bool refuse : {false, true}) {
        SCOPED_TRACE(refuse);
        const int rows = h.grid->GetRowCount();
        h.grid->OnInputAccept = [&](TCustomGridViewControl*, bool& accept) { accept = !refuse; };
        ClickInput(0);
        h.input.Type("new");
        h.input.Click(20, h.grid->GetCellRect(0, 1).Top + 5);
        EXPECT_FALSE(h.grid->EditingInput());
        EXPECT_EQ(h.grid->GetRowCount(), refuse ? rows : rows + 1);
        if (!refuse) {
            EXPECT_EQ(h.grid->GetCellText(0, rows), "new");
        }
        // A refused row keeps its typed value in the input row.
        if (refuse) {
            EXPECT_EQ(h.grid->Columns()[0].InputText(), "new");
        }
    }
}

// Scrolling or resizing while typing keeps the typed text, as the focus leaving does.
TEST_F(GridEditingTest, ScrollingOrResizingCommitsTheEdit) {
    struct Case {
        const char* name;
        std::function<void(TGridView&)> act;
    } cases[] = {
        {"vertical scroll", [](TGridView& g) { g.SendScroll(sbVertical, SB_LINEDOWN); }},
        {"horizontal scroll", [](TGridView& g) { g.SendScroll(sbHorizontal, SB_LINERIGHT); }},
        {"client resize", [](TGridView& g) { g.SetBounds(0, 0, 260, 120); }},
    };
    h.AddRows(QStringList(30, "row"));
    h.grid->Columns()[0].SetWidth(400); // something to scroll sideways
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.grid->SetCurrentCell(0, 0, {});
        h.grid->SendScroll(sbVertical, SB_TOP);
        h.grid->SendScroll(sbHorizontal, SB_LEFT);
        h.input.Type(c.name);
        ASSERT_TRUE(h.grid->EditingCell());
        c.act(*h.grid);
        EXPECT_FALSE(h.grid->EditingCell());
        EXPECT_EQ(h.grid->GetCellText(0, 0), c.name);
    }
    // Clear still drops the typed text: it is never offered for storing.
    h.input.Type("dropped");
    h.grid->Clear();
    EXPECT_FALSE(h.grid->EditingCell());
    EXPECT_FALSE(events.join(' ').contains("dropped"));
}

TEST_F(GridEditingTest, EditorFollowsTheCellWhenColumnsChange) {
    h.input.Key(VK_RIGHT);
    h.input.Type("5");
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    h.grid->Columns()[0].SetWidth(140);
    EXPECT_EQ(h.grid->ActiveEditor()->BoundsRect(), h.grid->GetCellRect(1, 0).Inflate(-1, -1));
}

// Closing the window that holds the grid never loses an open edit: it is stored, or when
// refused the cell stays as it was.
TEST(GridEditingClose, ClosingTheWindowCommitsTheOpenEdit) {
    for (bool accept : {true, false}) {
        SCOPED_TRACE(accept);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        GridHarness h;
        auto& column = h.AddColumn(100);
        column.SetOptions(column.Options() + coEditing);
        h.AddRows({"old"});
        h.grid->OnEditAccept = [&](TCustomGridViewControl*, int, int, const QString&, bool& ok) {
            ok = accept;
        };
        layout->addWidget(h.grid->Widget());
        window.show();
        QApplication::setActiveWindow(&window);
        h.grid->SetFocus();
        h.input.Type("new");
        ASSERT_TRUE(h.grid->EditingCell());
        window.close();
        EXPECT_FALSE(h.grid->EditingCell());
        EXPECT_EQ(h.grid->GetCellText(0, 0), accept ? "new" : "old");
        h.grid->SetParentWidget(nullptr);
    }
}

} // namespace
