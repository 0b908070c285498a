// The current cell, the row selection, keys, characters, incremental search and the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "GridTestSupport.h"
#include "grid/host/Timer.h"
#include "grid/control/input/TextFitHint.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

std::vector<int> SelectedRows(TGridView& grid) {
    std::vector<int> rows;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        if (grid.IsRowSelected(r)) rows.push_back(r);
    return rows;
}

struct FullRowGrid : GridHarness {
    FullRowGrid() {
        grid->SetOptions({goGrid, goIndicator, goSelectFullRow, goMultiSelect});
        AddColumn(80);
        AddColumn(80);
        AddRows({"0", "1", "2", "3", "4", "5", "6", "7", "8"});
        ShowAndFocus();
    }
};

} // namespace

TEST(GridNavigation, CtrlAndShiftClicksBuildTheRowSelection) {
    FullRowGrid h;
    h.ClickRow(2, {ssCtrl});
    h.ClickRow(5, {ssCtrl});
    EXPECT_EQ(SelectedRows(*h.grid), (std::vector<int>{2, 5}));
    h.ClickRow(7);
    EXPECT_EQ(SelectedRows(*h.grid), (std::vector<int>{7}));
    h.ClickRow(3, {ssShift});
    EXPECT_EQ(SelectedRows(*h.grid), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(h.grid->Row(), 3);
    EXPECT_EQ(h.grid->AnchorRow(), 7);
    // Ctrl on a selected row takes it out again.
    h.ClickRow(5, {ssCtrl});
    EXPECT_EQ(SelectedRows(*h.grid), (std::vector<int>{3, 4, 6, 7}));
}

TEST(GridNavigation, PlainMovesSelectOnlyTheCurrentRow) {
    FullRowGrid h;
    h.grid->SetCurrentCell(0, 4, {});
    h.input.Key(VK_DOWN);
    EXPECT_EQ(SelectedRows(*h.grid), (std::vector<int>{5}));
    EXPECT_EQ(h.grid->Row(), 5);
}

TEST(GridNavigation, SelectCellOnEveryMoveDeselectOnlyOnChange) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ShowAndFocus();
    std::vector<std::pair<int, int>> selected, deselected;
    h.grid->OnSelectCell = [&](TCustomGridViewControl*, int c, int r) { selected.push_back({c, r}); };
    h.grid->OnDeselectCell = [&](TCustomGridViewControl*, int c, int r) { deselected.push_back({c, r}); };
    h.input.Key(VK_HOME);
    EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_TRUE(deselected.empty());
    h.input.Key(VK_DOWN);
    EXPECT_EQ(selected.back(), (std::pair<int, int>{0, 1}));
    EXPECT_EQ(deselected, (std::vector<std::pair<int, int>>{{0, 0}}));
    h.input.Key(VK_END);
    EXPECT_EQ(h.grid->Row(), 2);
}

TEST(GridNavigation, NoSelectEventWithoutRows) {
    GridHarness h;
    h.AddColumn();
    int selected = 0;
    h.grid->OnSelectCell = [&](TCustomGridViewControl*, int, int) { ++selected; };
    h.grid->SetCurrentCell(0, 0, {});
    EXPECT_EQ(selected, 0);
}

TEST(GridNavigation, LeftAndRightSkipHiddenColumns) {
    GridHarness h;
    h.AddColumn();
    h.AddColumn().SetVisible(false);
    h.AddColumn();
    h.AddRows({"a"});
    h.ShowAndFocus();
    h.input.Key(VK_RIGHT);
    EXPECT_EQ(h.grid->Col(), 2);
    h.input.Key(VK_RIGHT);
    EXPECT_EQ(h.grid->Col(), 2);
    h.input.Key(VK_LEFT);
    EXPECT_EQ(h.grid->Col(), 0);
}

TEST(GridNavigation, PageKeysAndScrolling) {
    GridHarness h;
    h.grid->SetOptions({goGrid}); // 10 rows of 17 fit in 170
    h.AddColumn();
    QStringList rows;
    for (int i = 0; i < 40; ++i) rows << QString::number(i);
    h.AddRows(rows);
    h.ShowAndFocus();
    ASSERT_EQ(h.grid->VisibleRowCount(), 10);
    h.input.Key(VK_NEXT);
    EXPECT_EQ(h.grid->Row(), 9);
    EXPECT_EQ(h.grid->VertPosition(), 0);
    h.input.Key(VK_NEXT);
    EXPECT_EQ(h.grid->Row(), 19);
    EXPECT_EQ(h.grid->VertPosition(), 10);
    h.input.Key(VK_PRIOR);
    EXPECT_EQ(h.grid->Row(), 10);
    h.input.Key(VK_PRIOR);
    EXPECT_EQ(h.grid->Row(), 0);
    EXPECT_EQ(h.grid->VertPosition(), 0);
    h.input.Key(VK_END);
    EXPECT_EQ(h.grid->Row(), 39);
    EXPECT_EQ(h.grid->VertPosition(), 30);
    h.input.Key(VK_UP);
    h.input.Key(VK_HOME);
    EXPECT_EQ(h.grid->VertPosition(), 0);
    // Down off the last row shown scrolls one line.
    for (int i = 0; i < 10; ++i) h.input.Key(VK_DOWN);
    EXPECT_EQ(h.grid->Row(), 10);
    EXPECT_EQ(h.grid->VertPosition(), 1);
    // The wheel scrolls without moving the current cell.
    h.input.Wheel(-120, 50, 50);
    EXPECT_EQ(h.grid->VertPosition(), 2);
    EXPECT_EQ(h.grid->Row(), 10);
}

TEST(GridNavigation, UpFromTheFirstRowFocusesTheInputRow) {
    GridHarness h;
    h.grid->SetOptions({goHeader, goInput});
    h.AddColumn();
    h.AddRows({"a", "b"});
    h.ShowAndFocus();
    int selected = 0;
    h.grid->OnSelectCell = [&](TCustomGridViewControl*, int, int) { ++selected; };
    h.input.Key(VK_UP);
    EXPECT_TRUE(h.grid->InputFocused());
    h.grid->SetCurrentCell(0, 0, {});
    EXPECT_EQ(selected, 0); // no select events while the input row has the focus
    h.input.Key(VK_DOWN);
    EXPECT_FALSE(h.grid->InputFocused());
    EXPECT_EQ(h.grid->Row(), 0);
    EXPECT_EQ(selected, 1);
}

TEST(GridNavigation, EnterMovesOnlyWithWantReturns) {
    GridHarness h;
    h.AddColumn();
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ShowAndFocus();
    QChar seenAfter = QChar(1);
    h.grid->OnKeyPress = [&](QChar&) {};
    h.grid->SetCurrentCell(0, 0, {});
    QChar key(VK_RETURN);
    h.grid->KeyPress(key);
    seenAfter = key;
    EXPECT_TRUE(seenAfter.isNull()); // swallowed
    EXPECT_EQ(h.grid->Row(), 0);

    h.grid->SetWantReturns(true);
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->Row(), 1);
    h.input.Key(VK_RETURN);
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->Row(), 2); // nothing below the last row
    h.grid->SetSelectionMoveDirection(mdRight);
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->Col(), 1);
    h.grid->SetSelectionMoveDirection(mdUp);
    h.grid->SetCurrentCell(0, 0, {});
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->Row(), 0); // nothing above the first row
}

TEST(GridNavigation, IncrementalSearchIgnoresCaseAndStartsAfterTheCurrentRow) {
    GridHarness h;
    auto& column = h.AddColumn();
    column.SetOptions(column.Options() + coSearchColumn);
    h.AddRows({"Abc", "abd", "xyz"});
    h.ShowAndFocus();
    h.grid->SetCurrentRow(2);
    h.input.Type("a");
    EXPECT_EQ(h.grid->Row(), 0);
    h.input.Type("b");
    EXPECT_EQ(h.grid->Row(), 1);
    EXPECT_EQ(h.grid->SearchText(), "ab");
    EXPECT_TRUE(h.grid->SearchTimer().Enabled());
    h.grid->SearchTimer().Tick(); // 500 ms without typing
    EXPECT_EQ(h.grid->SearchText(), "");
    EXPECT_FALSE(h.grid->SearchTimer().Enabled());
    h.input.Type("X");
    EXPECT_EQ(h.grid->Row(), 2);
    h.input.Type("q"); // no match: the row stays
    EXPECT_EQ(h.grid->Row(), 2);
}

TEST(GridNavigation, SearchNeedsASearchColumnWithoutEditing) {
    GridHarness h;
    auto& column = h.AddColumn();
    h.AddRows({"a", "b"});
    h.ShowAndFocus();
    h.input.Type("b");
    EXPECT_EQ(h.grid->Row(), 0);
    column.SetOptions(column.Options() + coSearchColumn + coEditing);
    h.input.Type("b");
    EXPECT_EQ(h.grid->Row(), 0);
}

TEST(GridNavigation, TextFitHintShowsWhenFourPixelsShort) {
    GridHarness h;
    auto& column = h.AddColumn();
    h.AddRows({"A rather long title"});
    h.ShowAndFocus();
    h.grid->Canvas().Font = column.Font();
    const int textWidth = h.grid->Canvas().TextWidth("A rather long title");
    const TRect cell = h.grid->GetCellRect(0, 0);

    column.SetWidth(textWidth + 5);
    h.input.MouseMove(cell.Left + 3, cell.Top + 3);
    EXPECT_FALSE(h.grid->FitHint().Showing());

    column.SetWidth(textWidth + 4);
    h.input.MouseMove(cell.Left + 4, cell.Top + 3);
    EXPECT_TRUE(h.grid->FitHint().Showing());
    EXPECT_EQ(h.grid->FitHint().Text(), "A rather long title");

    h.input.Leave();
    EXPECT_FALSE(h.grid->FitHint().Showing());
}

TEST(GridNavigation, CellClickNeedsPressAndReleaseOnTheSameCell) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ShowAndFocus();
    std::vector<std::pair<int, int>> clicks;
    h.grid->OnCellClick = [&](TCustomGridViewControl*, int c, int r) { clicks.push_back({c, r}); };
    h.input.Click(10, 20);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(h.grid->Row(), 1);
    h.input.MouseDown(mbLeft, 10, 20);
    h.input.MouseUp(mbLeft, 10, 40);
    EXPECT_EQ(clicks.size(), 1u);
    // A press below the rows keeps the current row.
    h.input.Click(10, 150);
    EXPECT_EQ(h.grid->Row(), 1);
}

TEST(GridNavigation, IndicatorPressSelectsTheRowAndShowsItsCursor) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ShowAndFocus();
    h.input.Click(5, 2 * 17 + 5);
    EXPECT_EQ(h.grid->Row(), 2);
    h.input.MouseMove(5, 20);
    EXPECT_EQ(h.grid->Cursor(), crGridIndicatorSelect);
    h.input.MouseMove(5, 100);
    EXPECT_EQ(h.grid->Cursor(), crDefault);
}

TEST(GridNavigation, FooterClickReportsTheColumn) {
    GridHarness h;
    h.grid->SetOptions({goFooter});
    h.AddColumn();
    h.AddColumn();
    h.AddRows({"a"});
    int clicked = -1;
    h.grid->OnFooterClick = [&](TCustomGridViewControl*, int c) { clicked = c; };
    h.input.Click(100, h.grid->ClientHeight() - 5);
    EXPECT_EQ(clicked, 1);
}
