// What changing a published property does to the layout an application sees through the grid's
// own hit-testing, which part of the grid each change repaints, and how the grid reacts to the
// column model's notifications, font changes and deactivation.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "GridTestSupport.h"
#include "grid/host/AppActivation.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

// Two columns of 80 (one sorted by the tests that need it) and three rows, painted.
struct PaintedGrid : GridHarness {
    PaintedGrid() {
        grid->SetOptions({goHeader, goInput, goFooter, goGrid});
        AddColumn(80);
        AddColumn(80);
        AddRows({"b", "c", "a"});
        grid->OnSortColumn = [this](TCustomGridViewControl*, int col, bool ascending) {
            sorts.push_back(col * 2 + (ascending ? 1 : 0));
        };
        grid->PaintNow();
    }
    std::vector<int> sorts; // column * 2 + ascending
};

// A cell's rectangle with the grid lines below and right of it.
TRect WithGridLines(const TRect& cell) {
    return Rect(cell.Left, cell.Top, cell.Right + 1, cell.Bottom + 1);
}

} // namespace

TEST(GridProperties, LayoutSettingsMoveTheAreasTheGridReports) {
    struct Case {
        const char* name;
        TGridOptions options;
        int headerSize, inputSize;
        int firstRowTop;
        std::vector<std::pair<TPoint, TGridArea>> areas;
    };
    const Case cases[] = {
        {"header only", {goHeader}, 18, 16, 18, {{{50, 16}, gaHeader}, {{50, 18}, gaCells}}},
        {"taller header", {goHeader}, 30, 16, 30, {{{50, 28}, gaHeader}, {{50, 30}, gaCells}}},
        {"header and input row", {goHeader, goInput}, 18, 16, 40, {{{50, 20}, gaInput}, {{50, 40}, gaCells}}},
        {"input row with grid lines", {goHeader, goInput, goGrid}, 18, 16, 41, {{{50, 39}, gaInput}}},
        {"taller input row", {goInput}, 18, 30, 36, {{{50, 0}, gaInput}, {{50, 36}, gaCells}}},
        {"no fixed rows", {}, 18, 16, 0, {{{50, 0}, gaCells}, {{5, 5}, gaCells}}},
        {"indicator", {goHeader, goIndicator}, 18, 16, 18, {{{5, 30}, gaIndicator}, {{12, 30}, gaCells}}},
        {"footer", {goHeader, goFooter}, 18, 16, 18, {{{50, 165}, gaFooter}, {{50, 140}, gaCells}}},
        {"right of the columns", {goHeader}, 18, 16, 18, {{{250, 5}, gaNone}, {{250, 40}, gaNone}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridHarness h;
        h.AddColumn(100);
        h.AddColumn(100);
        h.AddRows({"a", "b", "c"});
        h.grid->SetOptions(c.options);
        h.grid->SetHeaderSize(c.headerSize);
        h.grid->SetInputSize(c.inputSize);
        EXPECT_EQ(h.grid->GetRowTop(0), c.firstRowTop);
        for (const auto& [p, area] : c.areas)
            EXPECT_EQ(h.grid->GetAreaAt(p.X, p.Y), area) << p.X << ", " << p.Y;
        const int left = c.options.Contains(goIndicator) ? 12 : 0;
        // The first row's cells, found again from their own rectangles.
        const TRect cell = h.grid->GetCellRect(1, 0);
        EXPECT_EQ(cell.Left, left + 100);
        EXPECT_EQ(cell.Top, c.firstRowTop);
        EXPECT_EQ(h.grid->GetCellAt(cell.Left + 1, cell.Top + 1), (TCellCoord{1, 0}));
        EXPECT_EQ(h.grid->GetColumnAt(cell.Left + 1), 1);
        EXPECT_EQ(h.grid->GetRowAt(cell.Top), 0);
        EXPECT_EQ(h.grid->GetResizeColumnAt(left + 100, 5), c.options.Contains(goHeader) ? 0 : -1);
    }
}

TEST(GridProperties, EachChangeRepaintsWhatItCovers) {
    struct Case {
        const char* name;
        std::function<void(TGridView&)> change;
        // Expected pending repaint (empty: none) for a grid with header, input row and footer,
        // and the current cell at (1, 1).
        std::function<TRect(TGridView&)> repaint;
    };
    const auto all = [](TGridView& g) { return g.ClientRect(); };
    const auto none = [](TGridView&) { return TRect{}; };
    const Case cases[] = {
        {"row size", [](TGridView& g) { g.SetRowSize(20); },
         [](TGridView& g) { return Rect(0, 18, 160, g.ClientHeight() - 23); }},
        {"row size ignored", [](TGridView& g) { g.SetRowSize(0); }, none},
        {"highlighted text colour", [](TGridView& g) { g.SetHighlightedTextColor(clRed); },
         [](TGridView& g) { return WithGridLines(g.GetCellRect(1, 1)); }},
        {"caption", [](TGridView& g) { g.SetCaption("none"); },
         [](TGridView& g) { return Rect(0, 41, g.ClientWidth(), g.ClientHeight() - 23); }},
        {"same header style", [](TGridView& g) { g.SetHeaderStyle(hsAuto); }, none},
        {"other header style", [](TGridView& g) { g.SetHeaderStyle(hsOldStyle); }, all},
        {"header size", [](TGridView& g) { g.SetHeaderSize(24); }, all},
        {"input size", [](TGridView& g) { g.SetInputSize(20); }, all},
        {"slide size", [](TGridView& g) { g.SetSlideSize(60); }, all},
        {"grid lines colour", [](TGridView& g) { g.SetGridLinesColor(clRed); }, all},
        {"grid lines style", [](TGridView& g) { g.SetGridLinesStyle(lsFramed); }, all},
        {"appearance options", [](TGridView& g) { g.SetAppearanceOptions({aoBoldTextSelection}); }, all},
        {"visual styles", [](TGridView& g) { g.SetEnableVisualStyles(false); }, all},
        {"options", [](TGridView& g) { g.SetOptions({goHeader}); }, all},
        {"auto scroll", [](TGridView& g) { g.SetAutoScroll(true); }, none},
        {"want returns", [](TGridView& g) { g.SetWantReturns(true); }, none},
        {"move direction", [](TGridView& g) { g.SetSelectionMoveDirection(mdRight); }, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintedGrid h;
        h.grid->SetCurrentCell(1, 1, {});
        h.grid->PaintNow();
        c.change(*h.grid);
        const TRect expected = c.repaint(*h.grid);
        if (expected.IsEmpty())
            EXPECT_FALSE(h.grid->PaintPending());
        else
            EXPECT_EQ(h.grid->InvalidBounds(), expected);
    }
}

TEST(GridProperties, ColumnNotificationsSortAndRepaintByKind) {
    struct Case {
        const char* name;
        std::function<void(TCustomColumn&)> change;
        std::vector<int> sorts;
        std::function<TRect(TGridView&)> repaint; // empty: none besides the sort's
    };
    const Case cases[] = {
        {"sorted", [](TCustomColumn& c) { c.SetSorted(true); }, {1 * 2 + 1}, nullptr},
        {"kind of an unsorted column", [](TCustomColumn& c) { c.SetSortKind(skDescending); }, {}, nullptr},
        {"kind of a sorted column",
         [](TCustomColumn& c) {
             c.SetSorted(true);
             c.SetSortKind(skDescending);
         },
         {3, 2},
         nullptr},
        {"type of a sorted column",
         [](TCustomColumn& c) {
             c.SetSorted(true);
             c.SetSortType(stCaseInsensitive);
         },
         {3, 3},
         nullptr},
        {"alignment repaints the column's cells",
         [](TCustomColumn& c) { c.SetAlignment(taCenter); },
         {},
         [](TGridView& g) { return Rect(80, 41, 160, g.ClientHeight() - 23); }},
        {"position repaints all",
         [](TCustomColumn& c) { c.SetPosition(0); },
         {},
         [](TGridView& g) { return g.ClientRect(); }},
        {"width from the column's left edge",
         [](TCustomColumn& c) { c.SetWidth(100); },
         {},
         [](TGridView& g) { return Rect(80, 0, g.ClientWidth(), g.ClientHeight()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintedGrid h;
        c.change(h.grid->Columns()[1]);
        EXPECT_EQ(h.sorts, c.sorts);
        if (c.repaint) {
            EXPECT_EQ(h.grid->InvalidBounds(), c.repaint(*h.grid));
        }
    }
    // Unsorting repaints the header cell alone.
    PaintedGrid h;
    h.grid->Columns()[1].SetSorted(true);
    h.grid->PaintNow();
    h.grid->Columns()[1].SetSorted(false);
    EXPECT_EQ(h.grid->InvalidBounds(), Rect(80, 0, 160, 18));
    EXPECT_EQ(h.sorts, std::vector<int>{3});
}

TEST(GridProperties, FontChangesReachColumnsThatFollowTheGrid) {
    GridHarness h;
    auto& follows = h.AddColumn();
    auto& own = h.AddColumn();
    TFont big = own.Font();
    big.Height = 20;
    own.SetFont(big);
    TFont font = h.grid->Font();
    font.Height = 15;
    font.Style = {fsItalic};
    h.grid->SetFont(font);
    EXPECT_EQ(follows.Font(), font);
    EXPECT_TRUE(follows.ParentFont());
    EXPECT_EQ(own.Font().Height, 20);
    EXPECT_FALSE(own.ParentFont());
}

TEST(GridProperties, DeactivationRepaintsTheSelection) {
    PaintedGrid h;
    h.grid->SetCurrentCell(1, 2, {});
    h.grid->PaintNow();
    NotifyApplicationActivation(false);
    EXPECT_EQ(h.grid->InvalidBounds(), WithGridLines(h.grid->GetCellRect(1, 2)));
    h.grid->PaintNow();
    NotifyApplicationActivation(true);
    EXPECT_EQ(h.grid->InvalidBounds(), WithGridLines(h.grid->GetCellRect(1, 2)));
}
