// The data grid: forwarding to the cell store, its screen effects, sorting, footers and the
// published settings.
#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"
#include "grid/control/ColumnClassRegistry.h"
#include "grid/model/cells/Cell.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

QStringList ColumnTexts(TGridView& grid, int col = 0) {
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r) texts << grid.GetCellText(col, r);
    return texts;
}

} // namespace

TEST(GridViewData, FooterFormulas) {
    GridHarness h;
    h.grid->SetOptions({goFooter});
    const TFormulaKind kinds[] = {fkSum, fkAverage, fkCount, fkMaximum, fkMinimum};
    for (TFormulaKind kind : kinds) h.AddColumn().Footer().SetFormulaKind(kind);
    h.AddColumn(); // no formula
    h.grid->CalculateFooters();
    for (int c = 0; c < 5; ++c) EXPECT_EQ(h.grid->Columns()[c].Footer().Caption(), "0") << c;
    EXPECT_EQ(h.grid->Columns()[5].Footer().Caption(), "");

    for (const char* v : {"2", "5", "3"}) {
        h.grid->AddRows(1);
        for (int c = 0; c < 5; ++c) h.grid->SetCellText(c, h.grid->GetRowCount() - 1, v);
    }
    h.grid->CalculateFooters();
    EXPECT_EQ(h.grid->Columns()[0].Footer().Caption(), "10");
    EXPECT_EQ(h.grid->Columns()[1].Footer().Caption(), FloatToStr(10.0 / 3));
    EXPECT_EQ(h.grid->Columns()[2].Footer().Caption(), "3");
    EXPECT_EQ(h.grid->Columns()[3].Footer().Caption(), "5");
    EXPECT_EQ(h.grid->Columns()[4].Footer().Caption(), "2");
}

TEST(GridViewData, FooterCaptionGoesThroughTheColumnFormat) {
    GridHarness h;
    auto& column = h.AddColumn();
    column.SetTextBefore("$");
    column.Footer().SetFormulaKind(fkSum);
    h.AddRows({"1.5", "2"});
    h.grid->CalculateFooters();
    EXPECT_EQ(column.Footer().Caption(), column.FormatText("3.5"));
}

TEST(GridViewData, FooterOverTextRaisesTheConversionError) {
    GridHarness h;
    h.AddColumn().Footer().SetFormulaKind(fkSum);
    h.AddRows({"x"});
    EXPECT_THROW(h.grid->CalculateFooters(), EConvertError);
}

TEST(GridViewData, SortColumnOnlyWithCanSort) {
    GridHarness h;
    auto& column = h.AddColumn();
    h.AddRows({"b", "c", "a"});
    h.grid->SortColumn(column, true);
    EXPECT_EQ(ColumnTexts(*h.grid), (QStringList{"a", "b", "c"}));
    h.grid->SortColumn(column, false);
    EXPECT_EQ(ColumnTexts(*h.grid), (QStringList{"c", "b", "a"}));
    column.SetOptions(column.Options() - coCanSort);
    h.grid->SortColumn(column, true);
    EXPECT_EQ(ColumnTexts(*h.grid), (QStringList{"c", "b", "a"}));
}

TEST(GridViewData, SortingAColumnSortsTheRowsAndRaisesOnSortColumn) {
    GridHarness h;
    auto& column = h.AddColumn();
    h.AddRows({"b", "c", "a"});
    std::vector<std::pair<int, bool>> sorts;
    h.grid->OnSortColumn = [&](TCustomGridViewControl*, int c, bool asc) { sorts.push_back({c, asc}); };
    column.SetSorted(true);
    EXPECT_EQ(ColumnTexts(*h.grid), (QStringList{"a", "b", "c"}));
    column.SetSortKind(skDescending);
    EXPECT_EQ(ColumnTexts(*h.grid), (QStringList{"c", "b", "a"}));
    EXPECT_EQ(sorts, (std::vector<std::pair<int, bool>>{{0, true}, {0, false}}));
}

TEST(GridViewData, ChangeNotificationRepaintsTheCellThenRaisesOnChange) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.AddColumn();
    h.AddColumn();
    h.AddRows({"a", "b", "c"});
    h.grid->PaintNow();
    std::vector<std::pair<int, int>> changes;
    TRect pendingAtEvent;
    h.grid->OnChange = [&](TCustomGridViewControl*, int c, int r) {
        changes.push_back({c, r});
        pendingAtEvent = h.grid->InvalidBounds();
    };
    h.grid->SetCellText(1, 2, "new");
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(pendingAtEvent, Rect(92, 34, 172, 51));
    h.grid->GetCell(0, 1)->SetAsInteger(5);
    EXPECT_EQ(changes.back(), (std::pair<int, int>{0, 1}));
    // Out of range: nothing happens, nothing is raised.
    h.grid->SetCellText(7, 0, "x");
    h.grid->SetCellText(0, 9, "x");
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(h.grid->GetCellText(0, 9), "");
}

TEST(GridViewData, AddRowsRepaintsTheNewRowsAndTheLineAboveThem) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a", "b"});
    h.grid->PaintNow();
    h.grid->AddRows(2);
    // From row 1 (its bottom grid line) to the end of row 3.
    EXPECT_EQ(h.grid->InvalidBounds(), Rect(0, 17, 80, 4 * 17));
}

TEST(GridViewData, RowsUseRowSizeWhenAddedAndKeepTheirHeight) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a"});
    h.grid->SetRowSize(30);
    h.AddRows({"b"});
    h.grid->SetRowSize(0);
    h.grid->SetRowSize(-4);
    EXPECT_EQ(h.grid->RowSize(), 30);
    EXPECT_EQ(h.grid->GetRowHeight(0), 16);
    EXPECT_EQ(h.grid->GetRowHeight(1), 30);
    EXPECT_EQ(h.grid->GetCellRect(0, 2).Top, 17 + 31);
    h.grid->OnMeasuringRowHeight = [](TCustomGridViewControl*, int row, int& height) {
        if (row == 0) height = 40;
    };
    EXPECT_EQ(h.grid->GetCellRect(0, 1).Top, 41);
}

TEST(GridViewData, DefaultValuesFillNewRowsWhenAsked) {
    GridHarness h;
    auto& column = h.AddColumn();
    column.SetDefaultValue("none");
    h.grid->AddRows(1);
    EXPECT_EQ(h.grid->GetCellText(0, 0), "");
    h.grid->SetOptions(h.grid->Options() + goUseDefaultValues);
    h.grid->AddRows(1);
    EXPECT_EQ(h.grid->GetCellText(0, 1), "none");
}

TEST(GridViewData, ClearOnAScrolledGridResetsTheBars) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    QStringList rows;
    for (int i = 0; i < 30; ++i) rows << QString::number(i);
    h.AddRows(rows);
    h.grid->SetVertPosition(12);
    ASSERT_EQ(h.grid->VertPosition(), 12);
    ASSERT_EQ(h.grid->VertScrollBar().Max(), 20);
    h.grid->Clear();
    EXPECT_EQ(h.grid->GetRowCount(), 0);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 0);
    EXPECT_EQ(h.grid->VertPosition(), 0);
    EXPECT_FALSE(h.grid->VertScrollBar().Visible());
    h.grid->SetHideScrollBar(false);
    h.grid->UpdateVertScrollBar();
    EXPECT_TRUE(h.grid->VertScrollBar().Visible());
    EXPECT_FALSE(h.grid->VertScrollBar().Enabled());
}

TEST(GridViewData, DeleteAndInsertRowKeepTheVerticalRangeInStep) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    QStringList rows;
    for (int i = 0; i < 12; ++i) rows << QString::number(i);
    h.AddRows(rows);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 2);
    h.grid->DeleteRow(3);
    EXPECT_EQ(ColumnTexts(*h.grid).at(3), "4");
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 1);
    h.grid->SetCurrentRow(5);
    h.grid->InsertRow(2);
    EXPECT_EQ(h.grid->GetCellText(0, 2), "");
    EXPECT_EQ(h.grid->Row(), 6);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 2);
    EXPECT_THROW(h.grid->DeleteRow(40), EListError);
}

TEST(GridViewData, SlidesSizeTheVerticalRangeBySlides) {
    GridHarness h;
    h.grid->SetBounds(0, 0, 300, 405);
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.grid->AddRows(10);
    h.grid->SetGridStyle(gsSlides);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 5);
    h.grid->PaintNow();
    EXPECT_FALSE(h.grid->HorzScrollBar().Visible());
}

TEST(GridViewData, IndicatorOptionShiftsTheColumns) {
    GridHarness h;
    h.grid->SetOptions({});
    auto& column = h.AddColumn();
    EXPECT_EQ(column.Left(), 0);
    h.grid->SetOptions({goIndicator});
    EXPECT_EQ(column.Left(), 12);
    EXPECT_EQ(h.grid->GetCellRect(0, 0).Left, 12);
}

TEST(GridViewData, HeaderStyleRepaintsOnlyOnChange) {
    GridHarness h;
    h.AddColumn();
    h.grid->PaintNow();
    h.grid->SetHeaderStyle(hsAuto);
    EXPECT_FALSE(h.grid->PaintPending());
    h.grid->SetHeaderStyle(hsFlatBorders);
    EXPECT_TRUE(h.grid->PaintPending());
}

TEST(GridViewData, StartsWithTheDocumentedDefaults) {
    TGridView grid;
    EXPECT_EQ(grid.Width(), 250);
    EXPECT_EQ(grid.Height(), 150);
    EXPECT_TRUE(grid.TabStop());
    EXPECT_EQ(grid.Color(), clWindow);
    EXPECT_EQ(grid.Options(), TGridOptions{goHeader});
    EXPECT_EQ(grid.AppearanceOptions(), (TAppearanceOptions{aoHideSelection, aoHintMarks}));
    EXPECT_EQ(grid.HeaderSize(), 18);
    EXPECT_EQ(grid.InputSize(), 16);
    EXPECT_EQ(grid.RowSize(), 16);
    EXPECT_EQ(grid.SlideSize(), 80);
    EXPECT_EQ(grid.SelectionMoveDirection(), mdDown);
    EXPECT_EQ(grid.GridLinesColor(), clBtnFace);
    EXPECT_EQ(grid.HighlightedTextColor(), clHighlightText);
}

TEST(GridViewData, ColumnClassesAreRegisteredByName) {
    TGridView grid;
    EXPECT_TRUE(ColumnClasses().IsRegistered("TTextualColumn"));
    EXPECT_TRUE(ColumnClasses().IsRegistered("TIncrementColumn"));
    EXPECT_TRUE(ColumnClasses().IsRegistered("TCustomColumn"));
    EXPECT_EQ(ColumnClasses().Create("TCustomColumn"), nullptr);
    auto column = ColumnClasses().Create("TTextualColumn");
    ASSERT_NE(column, nullptr);
    EXPECT_NE(dynamic_cast<TTextualColumn*>(column.get()), nullptr);
}

TEST(GridViewData, CheckBoxPlayStoresItsValueThroughTheGrid) {
    GridHarness h;
    auto& column = h.grid->Columns().Add<TCheckBoxColumn>();
    column.SetOptions(column.Options() + coEditing);
    h.grid->AddRows(1);
    h.ShowAndFocus();
    int after = 0;
    h.grid->OnAfterEdit = [&](TCustomGridViewControl*, int, int, const QString&) { ++after; };
    h.input.Type(" ");
    EXPECT_TRUE(h.grid->GetCell(0, 0)->AsBoolean());
    EXPECT_EQ(after, 1);
    h.grid->OnEditAccept = [](TCustomGridViewControl*, int, int, const QString&, bool& accept) {
        accept = false;
    };
    h.input.Type(" ");
    EXPECT_TRUE(h.grid->GetCell(0, 0)->AsBoolean());
}

TEST(GridViewData, CatalogueGridShowsRowsFromTheTop) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    auto& id = h.AddColumn(40);
    id.SetVisible(false);
    h.AddColumn(200);
    h.AddRows({"1", "2"});
    EXPECT_EQ(h.grid->GetCellRect(1, 0), Rect(12, 0, 211, 16));
    EXPECT_EQ(h.grid->Geometry().AreaAt({50, 0}), gaCells);
    EXPECT_EQ(h.grid->Geometry().CellAt({50, 20}), (TCellCoord{1, 1}));
    EXPECT_EQ(h.grid->Geometry().CellAt({50, 40}).Row, -1); // below the last row
    EXPECT_EQ(h.grid->Geometry().CellAt({250, 5}).Col, -1); // right of the last column
    EXPECT_EQ(h.grid->Geometry().DataRect(), Rect(12, 0, 212, 170));
}

TEST(GridViewData, RowsAddedOneByOneBelowTheClientRepaintNothingButKeepTheRange) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    // 170 pixels hold ten rows of 17; the eleventh is partly shown.
    for (int r = 0; r < 12; ++r) h.grid->AddRows(1);
    h.grid->PaintNow();
    for (int r = 0; r < 300; ++r) {
        h.grid->AddRows(1);
        h.grid->SetCellText(0, h.grid->GetRowCount() - 1, "x");
    }
    EXPECT_TRUE(h.grid->InvalidBounds().IsEmpty());
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 312 - 10);
    EXPECT_EQ(h.grid->VisibleRowCount(), 10);
    // Scrolled to the end, the last rows show.
    h.grid->SetVertPosition(h.grid->VertMax());
    EXPECT_EQ(h.grid->Geometry().RowAt(h.grid->Geometry().DataTop() + 1), 302);
}

TEST(GridViewData, RowsAddedOneByOneOnScreenRepaintThemselves) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a"});
    h.grid->PaintNow();
    h.grid->AddRows(1);
    EXPECT_EQ(h.grid->InvalidBounds(), Rect(0, 0, 80, 2 * 17));
    h.grid->PaintNow();
    // The last row on screen: its own rectangle and the line of the row above it.
    for (int r = 2; r < 9; ++r) h.grid->AddRows(1);
    h.grid->PaintNow();
    h.grid->AddRows(1);
    EXPECT_EQ(h.grid->InvalidBounds(), Rect(0, 8 * 17, 80, 170));
}

// Written cells are located on screen only when the grid paints: whatever was written and
// scrolled in between, the paint must show what a full repaint shows.
TEST(GridViewData, WrittenCellsShowAfterThePaintWhateverScrolledBetween) {
    struct Write {
        int Col, Row;
    };
    struct Case {
        const char* Name;
        std::vector<Write> Before; // written, then the grid scrolls by Scroll rows
        int Scroll;
        std::vector<Write> After;
    };
    const Case cases[] = {
        {"two cells on screen", {{0, 1}, {1, 6}}, 0, {}},
        {"one on screen, one far below", {{1, 2}, {0, 150}}, 0, {}},
        {"below the client, then scrolled into view", {{0, 12}, {1, 14}}, 5, {}},
        {"on screen, then scrolled up by the pixels", {{1, 4}}, 2, {}},
        {"on screen, scrolled off, written again", {{0, 0}}, 3, {{0, 4}}},
    };
    for (const Case& c : cases) {
        GridHarness h;
        h.grid->SetOptions({goGrid, goIndicator});
        h.AddColumn();
        h.AddColumn();
        h.grid->AddRows(200);
        for (int r = 0; r < 200; ++r) h.grid->SetCellText(0, r, QString::number(r));
        h.grid->PaintNow();
        for (const Write& w : c.Before) h.grid->SetCellText(w.Col, w.Row, "written");
        if (c.Scroll) h.grid->SetVertPosition(h.grid->VertPosition() + c.Scroll);
        for (const Write& w : c.After) h.grid->SetCellText(w.Col, w.Row, "again");
        h.grid->PaintNow();
        const QImage painted = h.grid->Surface().copy();
        h.grid->Repaint();
        EXPECT_EQ(painted, h.grid->Surface()) << c.Name;
    }
}
