// Column interaction through real mouse events: resizing by the edge, header clicks and sorting,
// the drag threshold, moving and hiding columns by dragging their header cells, the drop arrows
// and the drag box, and cancelling on deactivation.
#include <gtest/gtest.h>

#include <vector>

#include <QWidget>

#include "GridTestSupport.h"
#include "grid/control/flyouts/ColumnDragBox.h"
#include "grid/control/flyouts/DragArrow.h"
#include "grid/control/input/ColumnDragging.h"
#include "grid/host/AppActivation.h"
#include "grid/host/Screen.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr int kHeaderY = 9; // inside the 18-pixel header

// Three columns of 80 pixels (edges at 80, 160, 240) under a header, on screen away from the
// origin so that screen and client points differ.
struct HeaderGrid : GridHarness {
    HeaderGrid() {
        grid->SetBounds(100, 50, 300, 170);
        grid->SetOptions({goHeader});
        for (const char* caption : {"A", "B", "C"}) AddColumn(80).Header().SetCaption(caption);
        AddRows({"b", "c", "a"});
        ShowAndFocus();
        grid->OnHeaderClick = [this](TCustomGridViewControl*, int col) { clicks.push_back(col); };
        grid->OnSortColumn = [this](TCustomGridViewControl*, int col, bool ascending) {
            sorts.push_back({col, ascending});
        };
    }

    TColumnDragging& Dragging() { return grid->ColumnDragging(); }
    std::vector<int> Positions() {
        std::vector<int> positions;
        for (int i = 0; i < grid->Columns().Count(); ++i)
            positions.push_back(grid->Columns().DisplayIndexOf(grid->Columns()[i]));
        return positions;
    }
    std::vector<bool> Visibility() {
        std::vector<bool> visible;
        for (int i = 0; i < grid->Columns().Count(); ++i) visible.push_back(grid->Columns()[i].Visible());
        return visible;
    }
    // Presses the header at x and moves far enough to start dragging that column.
    void StartDrag(int x) {
        input.MouseDown(mbLeft, x, kHeaderY);
        input.MouseMove(x + 10, kHeaderY);
        ASSERT_TRUE(Dragging().Dragging());
    }

    struct Sort {
        int col;
        bool ascending;
        friend bool operator==(const Sort&, const Sort&) = default;
    };
    std::vector<int> clicks;
    std::vector<Sort> sorts;
};

std::vector<QString> Column0(TGridView& grid) {
    std::vector<QString> texts;
    for (int r = 0; r < grid.GetRowCount(); ++r) texts.push_back(grid.GetCellText(0, r));
    return texts;
}

} // namespace

// ---- resizing ------------------------------------------------------------------------------

TEST(ColumnResize, DraggingTheEdgeSetsTheWidthWithAnEightPixelFloor) {
    struct Case {
        int column, releaseX, width;
    };
    const Case cases[] = {
        {0, 150, 150}, {0, 9, 9},  {0, 8, 8},     {0, 3, 8},    {0, -40, 8}, // past the left edge
        {1, 100, 20},  {1, 70, 8}, {1, 200, 120}, {2, 250, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " to x " << c.releaseX);
        HeaderGrid h;
        std::vector<int> resized;
        h.grid->OnColumnResize = [&](TCustomGridViewControl*, int col) { resized.push_back(col); };
        const int edge = 80 * (c.column + 1);
        h.input.MouseDown(mbLeft, edge + 1, kHeaderY);
        ASSERT_TRUE(h.Dragging().Resizing());
        h.input.MouseMove(c.releaseX, 60); // anywhere: the pointer's x alone counts
        EXPECT_EQ(h.Dragging().RightLineX(), 80 * c.column + c.width - 1);
        h.input.MouseUp(mbLeft, c.releaseX, 60);
        EXPECT_FALSE(h.Dragging().Resizing());
        EXPECT_EQ(h.grid->Columns()[c.column].Width(), c.width);
        EXPECT_EQ(resized, std::vector<int>{c.column});
        EXPECT_TRUE(h.clicks.empty());
    }
}

TEST(ColumnResize, RubberBandLinesInvertThePixelsAndLeaveNoTrace) {
    HeaderGrid h;
    h.grid->SetEnableVisualStyles(false);
    const TColor under = h.Pixel(159, 60);
    const TColor left = h.Pixel(79, 60);
    h.input.MouseDown(mbLeft, 160, kHeaderY);
    EXPECT_EQ(h.Dragging().LeftLineX(), 79);
    EXPECT_EQ(h.Dragging().RightLineX(), 159);
    // Painting waits while the lines are up; they invert what lies under them.
    EXPECT_EQ(Rgb(h.Pixel(159, 60)), Rgb(under) ^ 0xFFFFFF);
    EXPECT_EQ(Rgb(h.Pixel(79, 60)), Rgb(left) ^ 0xFFFFFF);
    h.input.MouseMove(200, 60);
    EXPECT_EQ(h.Pixel(159, 60), under); // the old right line is gone
    EXPECT_EQ(Rgb(h.Pixel(199, 60)), Rgb(clWindow) ^ 0xFFFFFF);
    h.input.MouseUp(mbLeft, 200, 60);
    EXPECT_EQ(h.Pixel(79, 60), left);
    EXPECT_EQ(h.Pixel(199, 60), Rgb(clWindow)); // column 1 is 120 wide now
    // The first column's left line sits on its edge, not a pixel before it.
    h.input.MouseDown(mbLeft, 80, kHeaderY);
    EXPECT_EQ(h.Dragging().LeftLineX(), 0);
    h.input.MouseUp(mbLeft, 80, kHeaderY);
}

TEST(ColumnResize, TheReleaseThatEndsAResizeSortsNothing) {
    HeaderGrid h;
    h.input.MouseDown(mbLeft, 80, kHeaderY);
    h.input.MouseMove(60, kHeaderY);
    h.input.MouseUp(mbLeft, 60, kHeaderY); // over the header of the column just resized
    EXPECT_EQ(h.grid->Columns()[0].Width(), 60);
    EXPECT_FALSE(h.grid->Columns()[0].Sorted());
    EXPECT_TRUE(h.sorts.empty());
}

// ---- header clicks and sorting ---------------------------------------------------------------

TEST(HeaderClick, ClickingSortsInTheCurrentKindAndASecondClickFlipsIt) {
    for (TSortKind kind : {skAscending, skDescending}) {
        SCOPED_TRACE(int(kind));
        HeaderGrid h;
        h.grid->Columns()[0].SetSortKind(kind);
        ASSERT_TRUE(h.sorts.empty()); // an unsorted column is not sorted by its kind changing
        const bool ascending = kind == skAscending;
        h.input.Click(40, kHeaderY);
        EXPECT_EQ(h.clicks, std::vector<int>{0});
        EXPECT_TRUE(h.grid->Columns()[0].Sorted());
        EXPECT_EQ(h.sorts, (std::vector<HeaderGrid::Sort>{{0, ascending}}));
        EXPECT_EQ(Column0(*h.grid),
                  ascending ? (std::vector<QString>{"a", "b", "c"}) : (std::vector<QString>{"c", "b", "a"}));
        h.input.Click(40, kHeaderY);
        EXPECT_EQ(h.sorts, (std::vector<HeaderGrid::Sort>{{0, ascending}, {0, !ascending}}));
        EXPECT_EQ(Column0(*h.grid),
                  ascending ? (std::vector<QString>{"c", "b", "a"}) : (std::vector<QString>{"a", "b", "c"}));
        // Sorting another column unsorts the first.
        h.input.Click(120, kHeaderY);
        EXPECT_FALSE(h.grid->Columns()[0].Sorted());
        EXPECT_TRUE(h.grid->Columns()[1].Sorted());
        EXPECT_EQ(h.clicks, (std::vector<int>{0, 0, 1}));
    }
}

TEST(HeaderClick, PressedHeaderShowsUntilTheReleaseWhichClicksForAnyButton) {
    HeaderGrid h;
    h.input.MouseDown(mbRight, 120, kHeaderY);
    EXPECT_EQ(h.grid->PressedHeaderColumnIndex(), 1);
    EXPECT_TRUE(h.grid->Columns()[1].IsPressedHeader());
    EXPECT_TRUE(h.clicks.empty());
    h.input.MouseUp(mbRight, 120, kHeaderY);
    EXPECT_EQ(h.grid->PressedHeaderColumnIndex(), -1);
    EXPECT_EQ(h.clicks, std::vector<int>{1});
    EXPECT_TRUE(h.sorts.empty()); // only the left button sorts
}

TEST(HeaderClick, WithoutCanClickNoClickAndNoDrag) {
    HeaderGrid h;
    TCustomColumn& column = h.grid->Columns()[1];
    column.SetOptions(column.Options() - coCanClick);
    h.input.MouseDown(mbLeft, 120, kHeaderY);
    EXPECT_EQ(h.grid->PressedHeaderColumnIndex(), -1);
    EXPECT_EQ(h.Dragging().DragCandidate(), -1);
    h.input.MouseMove(180, kHeaderY);
    EXPECT_FALSE(h.Dragging().Dragging());
    EXPECT_FALSE(h.Dragging().DragBox().Visible());
    h.input.MouseUp(mbLeft, 180, kHeaderY);
    EXPECT_TRUE(h.clicks.empty());
    EXPECT_EQ(h.Positions(), (std::vector<int>{0, 1, 2}));
}

// ---- dragging --------------------------------------------------------------------------------

TEST(ColumnDrag, MovesOfThreePixelsStartNoDragAndFourDo) {
    struct Case {
        int dx, dy;
        bool drags;
    };
    const Case cases[] = {{3, 0, false}, {-3, 0, false}, {0, 3, false}, {3, -3, false}, {-3, 3, false},
                          {4, 0, true},  {-4, 0, true},  {0, 4, true},  {0, -4, true},  {4, 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        HeaderGrid h;
        h.input.MouseDown(mbLeft, 120, kHeaderY);
        h.input.MouseMove(120 + c.dx, kHeaderY + c.dy);
        EXPECT_EQ(h.Dragging().Dragging(), c.drags);
        EXPECT_EQ(h.Dragging().DragBox().Visible(), c.drags);
        if (c.drags) {
            EXPECT_EQ(h.Dragging().DragBox().Column(), &h.grid->Columns()[1]);
        }
        h.input.MouseUp(mbLeft, 120 + c.dx, kHeaderY + c.dy);
        EXPECT_FALSE(h.Dragging().DragBox().Visible());
        // A drag ends in a drop, not in a click.
        EXPECT_EQ(h.clicks, c.drags ? std::vector<int>{} : std::vector<int>{1});
    }
}

TEST(ColumnDrag, WithMovingDisabledAPressAndDragHotTracksAndTheReleaseClicksAndSorts) {
    HeaderGrid h;
    h.grid->SetOptions({goHeader, goDissableColumnMoving});
    h.input.MouseDown(mbLeft, 40, kHeaderY);
    h.input.MouseMove(130, kHeaderY);
    EXPECT_FALSE(h.Dragging().Dragging());
    EXPECT_FALSE(h.Dragging().DragBox().Visible());
    if (h.grid->Themed()) {
        EXPECT_EQ(h.grid->HotHeaderColumnIndex(), 1);
    }
    h.input.MouseUp(mbLeft, 130, kHeaderY);
    EXPECT_EQ(h.clicks, std::vector<int>{0});                       // the pressed column is clicked
    EXPECT_EQ(h.sorts, (std::vector<HeaderGrid::Sort>{{1, true}})); // the one under the release sorts
    EXPECT_EQ(h.Positions(), (std::vector<int>{0, 1, 2}));
}

TEST(ColumnDrag, TheBoxShowsTheHeaderCellAndFollowsThePointer) {
    HeaderGrid h;
    h.grid->SetEnableVisualStyles(false);
    h.input.MouseDown(mbLeft, 120, kHeaderY);
    h.input.MouseMove(130, kHeaderY);
    TColumnDragBox& box = h.Dragging().DragBox();
    ASSERT_TRUE(box.Showing());
    // It starts over the column's header cell and follows from the next move on.
    const TPoint cell = h.grid->ClientToScreen({80, 0});
    EXPECT_EQ(box.Left(), cell.X);
    EXPECT_EQ(box.Top(), cell.Y);
    EXPECT_EQ(box.Width(), 80);
    EXPECT_EQ(box.Height(), 18);
    h.input.MouseMove(150, 12);
    const TPoint moved = h.grid->ClientToScreen({150, 12});
    EXPECT_EQ(box.Left(), moved.X - 40);
    EXPECT_EQ(box.Top(), moved.Y - 14);

    // The header cell unpressed, with a black line along the bottom and up the right edge.
    box.PaintNow();
    EXPECT_EQ(Rgb(box.SurfacePixel(40, 17)), Rgb(clBlack));
    EXPECT_EQ(Rgb(box.SurfacePixel(79, 5)), Rgb(clBlack));
    EXPECT_EQ(Rgb(box.SurfacePixel(60, 8)), Rgb(clBtnFace));
    EXPECT_EQ(Rgb(box.SurfacePixel(0, 5)), Rgb(clBtnHighlight));
    // The grid's own cell shows pressed (inverted) meanwhile.
    EXPECT_NE(Rgb(h.Pixel(150, 8)), Rgb(clBtnFace));
    h.input.MouseUp(mbLeft, 150, 12);
    EXPECT_EQ(Rgb(h.Pixel(150, 8)), Rgb(clBtnFace));
}

TEST(ColumnDrag, ArrowsMarkTheTargetInsideTheHeaderBandOnly) {
    HeaderGrid h;
    h.StartDrag(40);
    TDragArrow& down = h.Dragging().DownArrow();
    TDragArrow& up = h.Dragging().UpArrow();
    h.input.MouseMove(200, kHeaderY); // over column 2
    EXPECT_EQ(h.Dragging().DropTarget(), 2);
    ASSERT_TRUE(down.Visible());
    ASSERT_TRUE(up.Visible());
    const TPoint s = h.grid->ClientToScreen({160, 0});
    EXPECT_EQ(down.BoundsRect(), Rect(s.X - 4, s.Y - 12, s.X + 5, s.Y - 3));
    EXPECT_EQ(up.BoundsRect(), Rect(s.X - 4, s.Y + 17, s.X + 5, s.Y + 26));
    EXPECT_EQ(down.Direction(), adDown);
    EXPECT_EQ(up.Direction(), adUp);
    EXPECT_EQ(TScreen::Cursor(), crDefault);

    h.input.MouseMove(200, 30); // below the header band: no arrows, the no-drop cursor
    EXPECT_FALSE(down.Visible());
    EXPECT_FALSE(up.Visible());
    EXPECT_EQ(TScreen::Cursor(), crGridColumnNoDrag);
    h.input.MouseMove(280, kHeaderY); // right of the last column
    EXPECT_FALSE(down.Visible());
    h.input.MouseUp(mbLeft, 280, kHeaderY);
    EXPECT_EQ(TScreen::Cursor(), crDefault);
    EXPECT_FALSE(h.Dragging().Dragging());
}

TEST(ColumnDrag, DropsMoveInsideTheZoneAndHideOutsideItOnlyWithCanHideColumn) {
    struct Case {
        const char* name;
        bool canHide;
        int x, y;
        std::vector<int> positions;
        std::vector<bool> visible;
    };
    const std::vector<bool> all{true, true, true};
    const Case cases[] = {
        {"onto the last column", false, 200, kHeaderY, {2, 0, 1}, all},
        {"onto the middle column", true, 100, kHeaderY, {1, 0, 2}, all},
        {"inside the zone below the header", false, 200, 35, {2, 0, 1}, all},
        {"right of the columns", false, 280, kHeaderY, {0, 1, 2}, all},
        {"right of the columns, hiding", true, 280, kHeaderY, {0, 1, 2}, {false, true, true}},
        {"below twice the header height", false, 200, 36, {0, 1, 2}, all},
        {"below twice the header height, hiding", true, 200, 36, {0, 1, 2}, {false, true, true}},
        {"right of the columns below the zone, hiding", true, 280, 100, {0, 1, 2}, {false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeaderGrid h;
        if (c.canHide) h.grid->SetOptions({goHeader, goCanHideColumn});
        h.StartDrag(40);
        h.input.MouseMove(c.x, c.y);
        h.input.MouseUp(mbLeft, c.x, c.y);
        EXPECT_EQ(h.Positions(), c.positions);
        EXPECT_EQ(h.Visibility(), c.visible);
        EXPECT_FALSE(h.Dragging().Dragging());
        EXPECT_FALSE(h.Dragging().DownArrow().Visible());
        EXPECT_FALSE(h.Dragging().DragBox().Visible());
        EXPECT_EQ(h.grid->PressedHeaderColumnIndex(), -1);
        EXPECT_TRUE(h.clicks.empty());
        EXPECT_TRUE(h.sorts.empty());
    }
}

TEST(ColumnDrag, OnlyTheLeftButtonDrops) {
    HeaderGrid h;
    h.StartDrag(40);
    h.input.MouseMove(200, kHeaderY);
    h.input.MouseDown(mbRight, 200, kHeaderY);
    h.input.MouseUp(mbRight, 200, kHeaderY);
    EXPECT_TRUE(h.Dragging().Dragging());
    EXPECT_TRUE(h.Dragging().DragBox().Visible());
    h.input.MouseUp(mbLeft, 200, kHeaderY);
    EXPECT_EQ(h.Positions(), (std::vector<int>{2, 0, 1}));
}

TEST(ColumnDrag, DeactivationLeavesNoArrowNorBoxAndMovesNothing) {
    HeaderGrid h;
    h.StartDrag(40);
    h.input.MouseMove(200, kHeaderY);
    ASSERT_TRUE(h.Dragging().DownArrow().Showing());
    ASSERT_TRUE(h.Dragging().DragBox().Showing());
    NotifyApplicationActivation(false);
    EXPECT_FALSE(h.Dragging().DownArrow().Showing());
    EXPECT_FALSE(h.Dragging().UpArrow().Showing());
    EXPECT_FALSE(h.Dragging().DragBox().Showing());
    EXPECT_FALSE(h.Dragging().Dragging());
    EXPECT_EQ(h.grid->PressedHeaderColumnIndex(), -1);
    EXPECT_EQ(TScreen::Cursor(), crDefault);
    // The button that comes up later drops, clicks and sorts nothing.
    h.input.MouseMove(210, kHeaderY);
    h.input.MouseUp(mbLeft, 210, kHeaderY);
    NotifyApplicationActivation(true);
    EXPECT_EQ(h.Positions(), (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(h.Dragging().DragBox().Visible());
    EXPECT_TRUE(h.clicks.empty());
    EXPECT_TRUE(h.sorts.empty());
    // The next click is a click again.
    h.input.Click(40, kHeaderY);
    EXPECT_EQ(h.clicks, std::vector<int>{0});
}

TEST(ColumnDrag, DeactivationAbandonsARunningResize) {
    HeaderGrid h;
    h.grid->SetEnableVisualStyles(false);
    const TColor under = h.Pixel(79, 60);
    h.input.MouseDown(mbLeft, 80, kHeaderY);
    h.input.MouseMove(150, kHeaderY);
    NotifyApplicationActivation(false);
    NotifyApplicationActivation(true);
    EXPECT_FALSE(h.Dragging().Resizing());
    EXPECT_EQ(h.grid->Columns()[0].Width(), 80);
    EXPECT_EQ(h.Pixel(79, 60), under);
    EXPECT_EQ(Rgb(h.Pixel(149, 60)), Rgb(clWindow));
}

TEST(ColumnDrag, FlyoutsAreTopMostToolWindowsThatLeaveTheFocusAlone) {
    HeaderGrid h;
    h.StartDrag(40);
    h.input.MouseMove(200, kHeaderY);
    ASSERT_TRUE(h.grid->Focused());
    for (TCustomControl* flyout : std::vector<TCustomControl*>{
             &h.Dragging().DragBox(), &h.Dragging().DownArrow(), &h.Dragging().UpArrow()}) {
        QWidget* w = flyout->Widget();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isWindow());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_EQ(w->windowType(), Qt::Tool);
        EXPECT_FALSE(flyout->CanFocus());
    }
    EXPECT_TRUE(h.grid->Focused());
    h.input.MouseUp(mbLeft, 200, kHeaderY);
}

TEST(ColumnDrag, ClearingTheColumnsEndsTheDrag) {
    HeaderGrid h;
    h.StartDrag(40);
    h.input.MouseMove(200, kHeaderY);
    h.grid->Columns().Clear();
    EXPECT_FALSE(h.Dragging().Dragging());
    EXPECT_FALSE(h.Dragging().DragBox().Visible());
    EXPECT_EQ(h.Dragging().DragBox().Column(), nullptr);
    EXPECT_FALSE(h.Dragging().DownArrow().Visible());
    h.input.MouseMove(210, kHeaderY);
    h.input.MouseUp(mbLeft, 210, kHeaderY);
    EXPECT_EQ(h.grid->Columns().Count(), 0);
}

// ---- flyouts ---------------------------------------------------------------------------------

TEST(DragArrow, ShapesFollowTheDirection) {
    struct Case {
        TDragArrowDirection direction;
        std::vector<TPoint> inside, outside;
    };
    const Case cases[] = {
        {adUp, {{4, 2}, {2, 3}, {6, 3}, {4, 7}}, {{0, 0}, {8, 0}, {0, 2}, {1, 8}, {7, 8}}},
        {adDown, {{4, 1}, {4, 6}, {2, 5}, {6, 5}}, {{0, 0}, {8, 0}, {1, 1}, {0, 8}, {8, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.direction));
        TDragArrow arrow;
        EXPECT_TRUE(arrow.Shape().Empty());
        arrow.SetDirection(c.direction);
        EXPECT_EQ(arrow.Width(), 9);
        EXPECT_EQ(arrow.Height(), 9);
        EXPECT_EQ(arrow.Outline(c.direction).size(), 8u);
        for (TPoint p : c.inside) EXPECT_TRUE(arrow.Shape().Contains(p)) << p.X << ", " << p.Y;
        for (TPoint p : c.outside) EXPECT_FALSE(arrow.Shape().Contains(p)) << p.X << ", " << p.Y;
        EXPECT_FALSE(arrow.Visible());
        arrow.PaintNow();
        EXPECT_EQ(Rgb(arrow.SurfacePixel(4, 4)), Rgb(clRed));
    }
}
