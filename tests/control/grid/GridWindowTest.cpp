// Window-level behaviour: resizing, double clicks, hints and focus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "GridTestSupport.h"
#include "grid/control/input/CellHint.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/model/cells/Cell.h"
#include "grid/shared/ThemesSupport.h"

using namespace tolvane;
using namespace tolvane::test;

TEST(GridWindow, ResizingUpdatesTheVerticalRangeAndAutoSizedColumns) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.AddColumn(100);
    auto& rest = h.AddColumn(80);
    rest.SetOptions(rest.Options() + coAutoSize);
    h.grid->AddRows(20);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 10);
    h.grid->SetBounds(0, 0, 400, 340);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 0);
    // The auto-sized column takes what the first one leaves of the width beside the indicator.
    EXPECT_EQ(rest.Width(), h.grid->ClientWidth() - 12 - 100);
}

TEST(GridWindow, GrowingHeightRepaintsTheMovedFooter) {
    GridHarness h;
    h.grid->SetOptions({goFooter});
    h.AddColumn();
    h.grid->PaintNow();
    h.grid->SetBounds(0, 0, 300, 250);
    const TRect pending = h.grid->InvalidBounds();
    EXPECT_LE(pending.Top, 170 - 23);
    EXPECT_GE(pending.Bottom, 250);
}

TEST(GridWindow, DoubleClickCountsOnlyInsideTheData) {
    GridHarness h;
    h.grid->SetOptions({goHeader});
    h.AddColumn();
    h.AddRows({"a", "b"});
    h.ShowAndFocus();
    int doubles = 0;
    h.grid->OnDblClick = [&] { ++doubles; };
    h.input.DoubleClick(20, 25);
    EXPECT_EQ(doubles, 1);
    h.input.DoubleClick(20, 5); // header
    EXPECT_EQ(doubles, 1);
}

TEST(GridWindow, CellHintShowsForCellsThatCarryOne) {
    GridHarness h;
    auto& column = h.AddColumn(200);
    column.SetOptions(column.Options() - coShowTextFitHint);
    h.AddRows({"a", "b"});
    h.grid->GetCell(0, 1)->SetHint("about b");
    h.ShowAndFocus();
    const TRect r1 = h.grid->GetCellRect(0, 1);
    h.input.MouseMove(r1.Left + 5, r1.Top + 5);
    EXPECT_TRUE(h.grid->CellHint().Showing());
    const TRect r0 = h.grid->GetCellRect(0, 0);
    h.input.MouseMove(r0.Left + 5, r0.Top + 5);
    EXPECT_FALSE(h.grid->CellHint().Showing());
    h.input.MouseMove(r1.Left + 5, r1.Top + 5);
    h.input.Leave();
    EXPECT_FALSE(h.grid->CellHint().Showing());
}

TEST(GridWindow, FocusRepaintsTheSelection) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddRows({"a", "b"});
    h.grid->SetCurrentCell(0, 1, {});
    EXPECT_EQ(h.Pixel(40, 17 + 8), Rgb(clWindow));
    h.ShowAndFocus();
    EXPECT_EQ(h.Pixel(40, 17 + 8), Rgb(clHighlight));
}

TEST(GridWindow, WideningTheWindowBringsScrolledColumnsBack) {
    GridHarness h;
    h.grid->SetOptions({goIndicator});
    h.AddColumn(200);
    h.AddColumn(200);
    h.AddRows({"a"});
    h.grid->PaintNow();
    ASSERT_TRUE(h.grid->HorzScrollBar().Visible());
    h.grid->HorzScrollBar().SetPosition(h.grid->HorzScrollBar().Max());
    ASSERT_GT(h.grid->HorzPosition(), 0);
    h.grid->SetBounds(0, 0, 600, 170);
    h.grid->PaintNow();
    EXPECT_EQ(h.grid->HorzPosition(), 0);
    EXPECT_FALSE(h.grid->HorzScrollBar().Visible());
    EXPECT_EQ(h.grid->GetCellRect(0, 0).Left, 12);
}

TEST(GridWindow, ThemedHeaderTracksTheColumnUnderThePointer) {
    LoadThemeLibrary();
    if (!ThemesAvailable()) GTEST_SKIP() << "no visual styles on this platform";
    GridHarness h;
    h.grid->SetOptions({goHeader});
    h.AddColumn(80);
    h.AddColumn(80);
    h.grid->PaintNow();
    h.input.MouseMove(100, 5);
    EXPECT_EQ(h.grid->HotHeaderColumnIndex(), 1);
    EXPECT_TRUE(h.grid->PaintPending());
    h.input.MouseMove(100, 40); // leaving the header ends the tracking
    EXPECT_EQ(h.grid->HotHeaderColumnIndex(), -1);
    h.grid->SetHeaderStyle(hsFlatBorders); // the flat look tracks nothing
    h.input.MouseMove(20, 5);
    EXPECT_EQ(h.grid->HotHeaderColumnIndex(), -1);
    h.input.MouseMove(81, 5);
    EXPECT_EQ(h.grid->Cursor(), crGridHorzSplit);
}

// Cells written to a shown grid reach its surface through the event loop alone: the grid works
// out their rectangles after the writes and asks the window for those.
TEST(GridWindow, WrittenCellsArePaintedByTheEventLoop) {
    GridHarness h;
    h.grid->SetOptions({goGrid});
    h.AddColumn();
    h.AddColumn();
    h.grid->AddRows(100);
    h.ShowAndFocus();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    h.grid->SetCellText(0, 1, "first");
    h.grid->SetCellText(1, 5, "second");
    h.grid->SetCellText(0, 90, "off screen");
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    const QImage painted = h.grid->Surface().copy();
    h.grid->Repaint();
    EXPECT_EQ(painted, h.grid->Surface());
}
