// What a row operation leaves on the screen after the repaint it asks for is what a full repaint
// of the same state shows.
#include <functional>

#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

struct RepaintCase {
    const char* name;
    int rows;
    int current;
    std::function<void(TGridView&)> operation;
    bool fullRow = false;
    int vpos = 0;
    bool keepScrollBar = false;
    int columnWidth = 80;
};

class RowOperationRepaint : public ::testing::TestWithParam<RepaintCase> {};

TEST_P(RowOperationRepaint, MatchesAFullRepaint) {
    const RepaintCase& c = GetParam();
    GridHarness h;
    TGridOptions options{goGrid, goIndicator};
    if (c.fullRow) options.Include(goSelectFullRow);
    h.grid->SetOptions(options);
    h.grid->SetHideScrollBar(!c.keepScrollBar);
    // Wider than the columns, so that it reaches past them on both sides.
    h.grid->SetCaption("Nothing is listed here yet: add a row to begin");
    h.AddColumn(c.columnWidth);
    h.AddColumn(c.columnWidth);
    for (int r = 0; r < c.rows; ++r) {
        h.grid->AddRows(1);
        h.grid->SetCellText(0, r, QString("row %1").arg(r));
        h.grid->SetCellText(1, r, QString::number(r * r));
    }
    h.ShowAndFocus();
    if (c.current >= 0) h.grid->SetCurrentCell(1, c.current, {});
    h.grid->SetVertPosition(c.vpos);
    h.grid->PaintNow();

    c.operation(*h.grid);
    h.grid->PaintNow();
    const QImage partial = h.grid->Surface().copy();
    h.grid->Invalidate();
    h.grid->PaintNow();
    const QImage& full = h.grid->Surface();
    ASSERT_EQ(partial.size(), full.size());

    int differing = 0;
    QRect where;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            if (partial.pixel(x, y) != full.pixel(x, y)) {
                ++differing;
                where |= QRect(x, y, 1, 1);
            }
    EXPECT_EQ(differing, 0) << "within (" << where.left() << ", " << where.top() << ") - (" << where.right()
                            << ", " << where.bottom() << "); current row " << h.grid->Row() << ", rows "
                            << h.grid->GetRowCount();
}

INSTANTIATE_TEST_SUITE_P(
    GridRepaint, RowOperationRepaint,
    ::testing::Values(
        RepaintCase{"AddRowsToEmpty", 0, -1, [](TGridView& g) { g.AddRows(1); }},
        RepaintCase{"AddRowsToEmptyWideColumns", 0, -1, [](TGridView& g) { g.AddRows(2); }, false, 0, false,
                    200},
        RepaintCase{"AddRows", 6, 4, [](TGridView& g) { g.AddRows(3); }},
        RepaintCase{"DeleteAboveCurrent", 6, 4, [](TGridView& g) { g.DeleteRow(1); }},
        RepaintCase{"DeleteAboveCurrentFullRow", 6, 4, [](TGridView& g) { g.DeleteRow(1); }, true},
        RepaintCase{"DeleteAboveLastCurrent", 6, 5, [](TGridView& g) { g.DeleteRow(0); }},
        RepaintCase{"DeleteCurrent", 6, 4, [](TGridView& g) { g.DeleteRow(4); }},
        RepaintCase{"DeleteBelowCurrent", 6, 2, [](TGridView& g) { g.DeleteRow(4); }, true},
        RepaintCase{"DeleteAboveCurrentScrolled", 30, 12, [](TGridView& g) { g.DeleteRow(8); }, true, 5},
        RepaintCase{"DeleteTheOnlyRow", 1, 0, [](TGridView& g) { g.DeleteRow(0); }},
        RepaintCase{"InsertAboveCurrent", 6, 4, [](TGridView& g) { g.InsertRow(1); }},
        RepaintCase{"InsertBelowCurrent", 6, 2, [](TGridView& g) { g.InsertRow(4); }, true},
        RepaintCase{"InsertIntoEmpty", 0, -1, [](TGridView& g) { g.InsertRow(0); }},
        RepaintCase{"MoveRow", 6, 4, [](TGridView& g) { g.MoveRow(1, 4); }, true},
        RepaintCase{"Clear", 6, 4, [](TGridView& g) { g.Clear(); }},
        RepaintCase{"ClearKeepingTheScrollBar", 30, 12, [](TGridView& g) { g.Clear(); }, false, 5, true},
        RepaintCase{"ScrollDown", 30, 12, [](TGridView& g) { g.SetVertPosition(4); }, true},
        RepaintCase{"ScrollUpALine", 30, 12, [](TGridView& g) { g.VertLineUp(); }, false, 6},
        RepaintCase{"ScrollSideways", 6, 2, [](TGridView& g) { g.HorzScrollBar().SetPosition(37); }, false, 0,
                    false, 200},
        RepaintCase{"ScrollEmptySideways", 0, -1, [](TGridView& g) { g.HorzScrollBar().SetPosition(60); },
                    false, 0, false, 200}),
    [](const auto& info) { return std::string(info.param.name); });

// A measuring handler's heights count at once, not from the next paint on.
TEST(GridRepaint, VisibleRowsFollowAMeasuringHandlerBeforeAPaint) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.AddColumn(80);
    h.grid->AddRows(20);
    h.grid->PaintNow();
    ASSERT_EQ(h.grid->VisibleRowCount(), 10);
    h.grid->OnMeasuringRowHeight = [](TCustomGridViewControl*, int, int& height) { height = 33; };
    EXPECT_EQ(h.grid->GetCellRect(0, 1).Top, 34);
    EXPECT_EQ(h.grid->VisibleRowCount(), 170 / 34);
    h.grid->UpdateVertScrollBar();
    EXPECT_EQ(h.grid->VertMax(), 20 - 5);
    h.grid->OnMeasuringRowHeight = nullptr;
    EXPECT_EQ(h.grid->VisibleRowCount(), 10);
}

} // namespace
