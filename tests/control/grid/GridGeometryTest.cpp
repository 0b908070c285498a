// Geometry and hit-testing over a fake grid: client size, positions and rows are set directly.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "grid/control/GridGeometry.h"
#include "grid/model/columns/Columns.h"
#include "grid/model/columns/ColumnsOwner.h"
#include "grid/model/columns/classes/TextualColumn.h"

using namespace tolvane;

namespace {

struct FakeGrid : TGridViewport, TColumnsOwner {
    TGridSettings settings;
    int width = 250, height = 150, hpos = 0, vpos = 0;
    std::vector<int> heights; // one per row
    TFont font;
    TColumns columns{this};
    TGridGeometry geo{settings, columns, *this};

    void SetRows(int count, int height = 16) { heights.assign(count, height); }
    TCustomColumn& AddColumn(int w) {
        auto& c = columns.Add<TTextualColumn>();
        c.SetWidth(w);
        return c;
    }

    int ViewportWidth() const override { return width; }
    int ViewportHeight() const override { return height; }
    int ViewportHorzPosition() const override { return hpos; }
    int ViewportVertPosition() const override { return vpos; }
    int ViewportRowCount() const override { return int(heights.size()); }
    int ViewportRowHeight(int row) const override { return heights.at(row); }

    int ColumnsDataLeft() const override { return geo.DataLeft(); }
    int ColumnsAvailableWidth() const override { return geo.AvailableWidth(); }
    int ColumnsHorzPosition() const override { return hpos; }
    TRect HeaderBand() const override { return geo.HeaderRect(); }
    TRect InputBand() const override { return geo.InputRect(); }
    TRect FooterBand() const override { return geo.FooterRect(); }
    int CurrentColumnIndex() const override { return 0; }
    int PressedHeaderColumnIndex() const override { return -1; }
    int HotHeaderColumnIndex() const override { return -1; }
    void InvalidateColumnPart(int, TGridArea) override {}
    bool IsReadingLayout() const override { return false; }
    const TFont& GridFont() const override { return font; }
    int GridRightToLeft() const override { return 0; }
};

} // namespace

TEST(GridGeometry, CatalogueGridHasNoFixedRowsAndStartsRowsAtTop) {
    FakeGrid g;
    g.settings.Options = {goGrid, goIndicator};
    g.AddColumn(80);
    g.AddColumn(100);
    g.SetRows(5);
    EXPECT_EQ(g.geo.DataRect(), Rect(12, 0, 192, 150));
    EXPECT_EQ(g.geo.CellRect(0, 0), Rect(12, 0, 91, 16));
    EXPECT_EQ(g.geo.CellRect(1, 1), Rect(92, 17, 191, 33));
    EXPECT_EQ(g.geo.AreaAt({50, 0}), gaCells);
    EXPECT_EQ(g.geo.AreaAt({5, 3}), gaIndicator);
}

TEST(GridGeometry, WithoutFixedPartsTheDataStartsAtOriginAndReachesTheBottom) {
    FakeGrid g;
    g.settings.Options = {};
    g.AddColumn(300);
    EXPECT_EQ(g.geo.DataRect(), Rect(0, 0, 250, 150));
}

TEST(GridGeometry, FixedRectanglesOfReportStyle) {
    FakeGrid g;
    g.settings.Options = {goHeader, goInput, goFooter, goGrid, goIndicator};
    g.AddColumn(80);
    // input: H=18, 16 + 6 + 1 high
    EXPECT_EQ(g.geo.InputRect(), Rect(12, 18, 92, 41));
    EXPECT_EQ(g.geo.DataTop(), 41);
    EXPECT_EQ(g.geo.FooterRect(), Rect(12, 150 - 22 - 1, 92, 150));
    EXPECT_EQ(g.geo.DataBottom(), 127);
    const TCustomColumn& c = g.columns[0];
    EXPECT_EQ(g.geo.ColumnPartRect(c, gaHeader), Rect(12, 0, 92, 18));
    EXPECT_EQ(g.geo.ColumnPartRect(c, gaInput), Rect(12, 18, 92, 35));
    EXPECT_EQ(g.geo.ColumnPartRect(c, gaFooter), Rect(12, 131, 92, 150));
    EXPECT_EQ(g.geo.CellRect(0, 0, gaInput), Rect(12, 18, 91, 34));
}

TEST(GridGeometry, CellWidthDependsOnVerticalGridLines) {
    struct Case {
        TGridOptions options;
        TGridLinesStyle style;
        int width;
    } cases[] = {{{goGrid}, lsNormal, 79},
                 {{goGrid}, lsFramed, 79},
                 {{goGrid}, lsHorizontalOnly, 80},
                 {{}, lsNormal, 80}};
    for (const Case& c : cases) {
        FakeGrid g;
        g.settings.Options = c.options;
        g.settings.GridLinesStyle = c.style;
        g.AddColumn(80);
        EXPECT_EQ(g.geo.CellRect(0, 0).Width(), c.width) << int(c.style);
    }
}

TEST(GridGeometry, PointOnRightEdgeBelongsToTheColumn) {
    FakeGrid g;
    g.settings.Options = {goIndicator};
    g.AddColumn(80);
    g.AddColumn(80);
    g.SetRows(3);
    int position = -2;
    EXPECT_EQ(g.geo.ColumnAt(92, &position), 0);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(g.geo.ColumnAt(93), 1);
    EXPECT_EQ(g.geo.ColumnAt(172), 1);
    EXPECT_EQ(g.geo.ColumnAt(173), -1); // right of the last column
    EXPECT_EQ(g.geo.CellAt({180, 5}), (TCellCoord{-1, 0}));
}

TEST(GridGeometry, RowsFollowTheirOwnHeightsFromTheFirstRowShown) {
    FakeGrid g;
    g.settings.Options = {goGrid};
    g.AddColumn(80);
    g.heights = {10, 20, 30, 40};
    g.vpos = 1;
    EXPECT_EQ(g.geo.RowTop(1), 0);
    EXPECT_EQ(g.geo.RowTop(0), 0);
    EXPECT_EQ(g.geo.RowTop(3), 21 + 31);
    EXPECT_EQ(g.geo.RowAt(0), 1);
    EXPECT_EQ(g.geo.RowAt(21), 1); // the running bottom includes the grid line
    EXPECT_EQ(g.geo.RowAt(22), 2);
    EXPECT_EQ(g.geo.RowAt(93), 3);
    EXPECT_EQ(g.geo.RowAt(94), -1); // below the last row
    EXPECT_EQ(g.geo.CellRect(0, 2), Rect(0, 21, 79, 51));
    // Beyond the last row the height is RowSize.
    EXPECT_EQ(g.geo.RowHeight(7), 16);
}

TEST(GridGeometry, VisibleRowsAreWholeRowsOnly) {
    FakeGrid g;
    g.settings.Options = {goGrid};
    g.AddColumn(80);
    g.SetRows(20);
    EXPECT_EQ(g.geo.VisibleRowCount(), 8); // 8 * 17 = 136 <= 150 < 153
    EXPECT_EQ(g.geo.VertScrollRange(), 12);
    g.height = 153;
    EXPECT_EQ(g.geo.VisibleRowCount(), 9);
    g.vpos = 15;
    EXPECT_EQ(g.geo.VisibleRowCount(), 5);
    EXPECT_EQ(g.geo.PositionToShowRow(16), 15);
    EXPECT_EQ(g.geo.PositionToShowRow(3), 3);
}

TEST(GridGeometry, VerticalRangeIsZeroWithoutColumns) {
    FakeGrid g;
    g.SetRows(50);
    EXPECT_EQ(g.geo.VertScrollRange(), 0);
}

TEST(GridGeometry, VerticalDeltaSumsTheRowsPassed) {
    FakeGrid g;
    g.settings.Options = {goGrid};
    g.AddColumn(80);
    g.heights = {10, 20, 30, 40};
    EXPECT_EQ(g.geo.VertScrollDelta(0, 2), -(11 + 21));
    EXPECT_EQ(g.geo.VertScrollDelta(3, 1), 21 + 31);
    EXPECT_EQ(g.geo.VertScrollDelta(2, 2), 0);
    // A jump far past the screen moves just more than the client height.
    g.SetRows(100000);
    EXPECT_EQ(g.geo.VertScrollDelta(0, 99999), -(g.height + 1));
}

TEST(GridGeometry, SlidesVerticalMaxCountsWholeSlides) {
    FakeGrid g;
    g.settings.GridStyle = gsSlides;
    g.settings.Options = {goGrid, goIndicator, goHeader};
    g.height = 405;
    g.SetRows(10);
    EXPECT_EQ(g.geo.SlidesVertMax(), 5);
    EXPECT_EQ(g.geo.DataRect(), Rect(0, 0, 250, 405));
    EXPECT_EQ(g.geo.AreaAt({1, 1}), gaCells);
}

TEST(GridGeometry, SlidesPlaceCellsBySlideBounds) {
    FakeGrid g;
    g.settings.GridStyle = gsSlides;
    g.settings.Options = {goGrid};
    auto& a = g.AddColumn(80);
    auto& b = g.AddColumn(80);
    a.SlideBounds().SetLeft(5), a.SlideBounds().SetTop(5), a.SlideBounds().SetWidth(100),
        a.SlideBounds().SetHeight(20);
    b.SlideBounds().SetLeft(5), b.SlideBounds().SetTop(30), b.SlideBounds().SetWidth(200),
        b.SlideBounds().SetHeight(40);
    g.SetRows(4);
    g.vpos = 1;
    EXPECT_EQ(g.geo.CellRect(1, 2), Rect(5, 81 + 30, 205, 81 + 70));
    EXPECT_EQ(g.geo.CellAt({10, 81 + 35}), (TCellCoord{1, 2}));
    EXPECT_EQ(g.geo.CellAt({10, 10}), (TCellCoord{0, 1}));
    EXPECT_EQ(g.geo.CellAt({220, 10}), (TCellCoord{-1, 1}));
}

TEST(GridGeometry, HitTestingLeavesTheLastPixelOfEachArea) {
    FakeGrid g;
    g.settings.Options = {goHeader, goIndicator};
    g.AddColumn(80);
    EXPECT_EQ(g.geo.AreaAt({20, 0}), gaHeader);
    EXPECT_EQ(g.geo.AreaAt({20, 17}), gaNone);
    EXPECT_EQ(g.geo.AreaAt({20, 18}), gaCells);
    EXPECT_EQ(g.geo.AreaAt({10, 40}), gaIndicator);
    EXPECT_EQ(g.geo.AreaAt({200, 40}), gaNone);
}

TEST(GridGeometry, ResizeEdgeCatchesTwoPixelsEachSide) {
    FakeGrid g;
    g.settings.Options = {goHeader};
    auto& a = g.AddColumn(80);
    g.AddColumn(80);
    EXPECT_EQ(g.geo.ResizeColumnAt({78, 5}), 0);
    EXPECT_EQ(g.geo.ResizeColumnAt({82, 5}), 0);
    EXPECT_EQ(g.geo.ResizeColumnAt({83, 5}), -1);
    EXPECT_EQ(g.geo.ResizeColumnAt({80, 18}), -1); // below the header
    a.SetOptions(a.Options() + coFixedSize);
    EXPECT_EQ(g.geo.ResizeColumnAt({80, 5}), -1);
    EXPECT_EQ(g.geo.ResizeColumnAt({160, 5}), 1);
}

TEST(GridGeometry, HorizontalRangeAndScrolling) {
    FakeGrid g;
    g.settings.Options = {goIndicator};
    g.AddColumn(100);
    g.AddColumn(100);
    EXPECT_EQ(g.geo.HorzScrollRange(), 0);
    g.AddColumn(100);
    EXPECT_EQ(g.geo.HorzScrollRange(), 312 - 250);
    g.hpos = 30;
    EXPECT_EQ(g.geo.CellRect(1, 0).Left, 112 - 30);
    EXPECT_EQ(g.geo.ColumnAt(12), 0);
    EXPECT_EQ(g.geo.HorzScrollClip(), Rect(12, 0, 250, 150));
}

// The remembered row walks (and row tops) against walks made afresh, through appends, scrolling,
// resizing and row height changes (which the grid announces by forgetting the walks).
TEST(GridGeometry, RememberedRowWalksMatchFreshOnes) {
    FakeGrid g;
    g.settings.Options = {goGrid, goHeader};
    g.AddColumn(80);
    std::uint32_t seed = 17;
    const auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % std::uint32_t(n));
    };
    for (int step = 0; step < 400; ++step) {
        switch (next(6)) {
        case 0:
        case 1: {
            const int before = int(g.heights.size());
            const int added = 1 + next(3);
            for (int k = 0; k < added; ++k) g.heights.push_back(10 + next(20));
            g.geo.RowsAppended(before);
            break;
        }
        case 2:
            g.vpos = g.heights.empty() ? 0 : next(int(g.heights.size()));
            break;
        case 3:
            g.height = 60 + next(200);
            break;
        case 4:
            if (!g.heights.empty()) g.heights[std::size_t(next(int(g.heights.size())))] = 5 + next(40);
            g.geo.ForgetRowWalk();
            break;
        default:
            if (!g.heights.empty()) g.heights.pop_back();
            break;
        }
        const TGridGeometry fresh{g.settings, g.columns, g};
        ASSERT_EQ(g.geo.VisibleRowCount(), fresh.VisibleRowCount()) << "step " << step;
        ASSERT_EQ(g.geo.FirstRowBelowClient(), fresh.FirstRowBelowClient()) << "step " << step;
        // Row tops continue from the last one asked: in order, again, and back up.
        const int first = next(int(g.heights.size()) + 2);
        for (int row : {first, first + 1, first + 1, first + 5, first / 2})
            ASSERT_EQ(g.geo.RowTop(row), fresh.RowTop(row)) << "step " << step << ", row " << row;
    }
}

// A row deleted and another inserted bring the count back: the rows below moved all the same.
// Deleting updates the vertical bar (the visible walk) only; the other walk must not survive it.
TEST(GridGeometry, RowWalkDoesNotSurviveADeleteAndInsertOfRowsOfOtherHeights) {
    FakeGrid g;
    g.settings.Options = {goGrid};
    g.AddColumn(80);
    g.SetRows(3, 30);
    ASSERT_EQ(g.geo.FirstRowBelowClient(), 7); // 3 x 31, then 17 a row up to 150
    g.heights.erase(g.heights.begin());
    g.geo.VisibleRowCount();
    g.heights.insert(g.heights.begin(), 16);
    const TGridGeometry fresh{g.settings, g.columns, g};
    EXPECT_EQ(fresh.FirstRowBelowClient(), 8);
    EXPECT_EQ(g.geo.FirstRowBelowClient(), 8);
}

// Heights come from a measuring handler: a huge or negative answer must not wrap the sums.
TEST(GridGeometry, AbsurdRowHeightsNeitherWrapNorRunBack) {
    FakeGrid g;
    g.settings.Options = {goGrid};
    g.AddColumn(80);
    g.SetRows(3);
    g.heights[0] = std::numeric_limits<int>::max();
    EXPECT_EQ(g.geo.VisibleRowCount(), 0);
    EXPECT_EQ(g.geo.FirstRowBelowClient(), 1);
    EXPECT_EQ(g.geo.RowAt(20), 0);
    g.heights[0] = -50;
    g.geo.ForgetRowWalk();
    EXPECT_EQ(g.geo.RowTop(1), 1);
    EXPECT_EQ(g.geo.CellRect(0, 0).Bottom, 0);
}
