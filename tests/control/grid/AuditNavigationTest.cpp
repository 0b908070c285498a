// Faults found in navigation, input and the data grid's screen side, each pinned by a case.
#include <gtest/gtest.h>

#include <vector>

#include "GridTestSupport.h"
#include "grid/control/input/CellHint.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"

using namespace tolvane;
using namespace tolvane::test;

// A press outside the cells is not a press on the cell clicked before it.
TEST(AuditNavigation, ReleaseOnTheLastClickedCellAfterAHeaderPressIsNoClick) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goHeader});
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ShowAndFocus();
    int clicks = 0;
    h.grid->OnCellClick = [&](TCustomGridViewControl*, int, int) { ++clicks; };
    const TRect cell = h.grid->GetCellRect(0, 1);
    h.input.Click(cell.Left + 10, cell.Top + 5);
    ASSERT_EQ(clicks, 1);
    h.input.MouseDown(mbLeft, cell.Left + 10, 5); // header
    h.input.MouseUp(mbLeft, cell.Left + 10, cell.Top + 5);
    EXPECT_EQ(clicks, 1);
}

// Typing on a check-box column while no real cell is current edits nothing and raises nothing.
TEST(AuditNavigation, CharacterOnACheckBoxColumnWithoutRows) {
    GridHarness h;
    auto& column = h.grid->Columns().Add<TCheckBoxColumn>();
    column.SetOptions(column.Options() + coEditing);
    h.ShowAndFocus();
    QChar space(u' ');
    EXPECT_NO_THROW(h.grid->KeyPress(space));
    h.grid->AddRows(2);
    h.grid->SetCurrentCell(0, 1, {});
    h.grid->DeleteRow(1); // the current row is gone
    EXPECT_NO_THROW(h.grid->KeyPress(space));
    QChar again(u' ');
    h.grid->SetCurrentCell(0, 0, {});
    h.grid->KeyPress(again);
    EXPECT_TRUE(h.grid->GetCell(0, 0)->AsBoolean());
}

// Counting rows reads no cell, so text columns can be counted.
TEST(AuditNavigation, FooterCountOverText) {
    GridHarness h;
    h.AddColumn().Footer().SetFormulaKind(fkCount);
    h.AddRows({"x", "y"});
    EXPECT_NO_THROW(h.grid->CalculateFooters());
    EXPECT_EQ(h.grid->Columns()[0].Footer().Caption(), "2");
}

// The cell hint of one cell does not stay up over another one whose text-fit hint shows.
TEST(AuditNavigation, CellHintGoesWhenTheTextFitHintTakesOver) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn(30);
    h.AddRows({"a", "A rather long title"});
    h.grid->GetCell(0, 0)->SetHint("first");
    h.grid->GetCell(0, 1)->SetHint("second");
    h.ShowAndFocus();
    const TRect first = h.grid->GetCellRect(0, 0), second = h.grid->GetCellRect(0, 1);
    h.input.MouseMove(first.Left + 3, first.Top + 3);
    ASSERT_TRUE(h.grid->CellHint().Showing());
    h.input.MouseMove(second.Left + 3, second.Top + 3);
    ASSERT_TRUE(h.grid->FitHint().Showing());
    EXPECT_FALSE(h.grid->CellHint().Showing());
}

// A press with no columns, and a right press during a multi-selection, end at once:
// OnMouseDown is not raised.
TEST(AuditNavigation, PressesThatEndEarlyRaiseNoMouseDown) {
    GridHarness h;
    h.ShowAndFocus();
    int downs = 0;
    h.grid->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
    h.input.Click(50, 50);
    EXPECT_EQ(downs, 0);

    h.grid->SetOptions({goSelectFullRow, goMultiSelect});
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.ClickRow(1, {ssCtrl});
    ASSERT_TRUE(h.grid->MultiSelecting());
    ASSERT_EQ(downs, 1);
    const TRect r = h.grid->GetCellRect(0, 2);
    h.input.MouseDown(mbRight, r.Left + 5, r.Top + 5);
    h.input.MouseUp(mbRight, r.Left + 5, r.Top + 5);
    EXPECT_EQ(downs, 1);
}

namespace {

struct RowEditCase {
    const char* name;
    TGridStyle style;
    int vpos;
    bool insert; // else delete
    int row;
};

std::unique_ptr<GridHarness> EditGrid(TGridStyle style, const QStringList& rows) {
    auto h = std::make_unique<GridHarness>();
    h->grid->SetOptions({goGrid, goIndicator});
    h->grid->SetGridStyle(style);
    h->AddColumn(80);
    h->AddRows(rows);
    return h;
}

int DifferingPixels(TGridView& a, TGridView& b) {
    a.PaintNow();
    b.PaintNow();
    int differ = 0;
    for (int y = 0; y < a.ClientHeight(); ++y)
        for (int x = 0; x < a.ClientWidth(); ++x)
            if (a.SurfacePixel(x, y) != b.SurfacePixel(x, y)) ++differ;
    return differ;
}

class AuditRowEdits : public ::testing::TestWithParam<RowEditCase> {};

} // namespace

// What deleting or inserting a row leaves on the screen is what a grid built with the rows
// as they now are shows.
TEST_P(AuditRowEdits, ScreenMatchesAFreshGrid) {
    const RowEditCase& c = GetParam();
    QStringList rows;
    for (int i = 0; i < 30; ++i) rows << QString("row %1").arg(i);
    auto edited = EditGrid(c.style, rows);
    edited->grid->SetVertPosition(c.vpos);
    edited->grid->PaintNow();
    if (c.insert) {
        edited->grid->InsertRow(c.row);
        rows.insert(c.row, "");
    } else {
        edited->grid->DeleteRow(c.row);
        rows.removeAt(c.row);
    }
    auto fresh = EditGrid(c.style, rows);
    fresh->grid->SetCurrentRow(edited->grid->Row());
    edited->grid->SetVertPosition(c.vpos);
    fresh->grid->SetVertPosition(edited->grid->VertPosition());
    EXPECT_EQ(DifferingPixels(*edited->grid, *fresh->grid), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, AuditRowEdits,
                         ::testing::Values(RowEditCase{"SlidesDelete", gsSlides, 0, false, 0},
                                           RowEditCase{"SlidesInsert", gsSlides, 0, true, 0}),
                         [](const auto& info) { return std::string(info.param.name); });
