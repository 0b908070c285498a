// Pixels of the grid's surface after a paint.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/shared/GraphicsProvider.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

// Catalogue-like grid: indicator and grid lines, no header; rows are 17 pixels apart.
struct CatalogueGrid : GridHarness {
    CatalogueGrid() {
        grid->SetOptions({goGrid, goIndicator});
        AddColumn(80);
        AddColumn(80);
    }
};

bool AnyPixelIn(GridHarness& h, const TRect& r, TColor except) {
    h.grid->PaintNow();
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (h.grid->SurfacePixel(x, y) != Rgb(except)) return true;
    return false;
}

} // namespace

TEST(GridPaint, RowsBeyondTheDataAreEmptyCellsWithGridLinesAndPlainIndicators) {
    CatalogueGrid h;
    h.AddRows({"a", "b", "c"});
    ASSERT_EQ(h.grid->ClientHeight(), 170); // room for 10 rows of 17
    for (int row = 3; row < 10; ++row) {
        const int top = row * 17;
        SCOPED_TRACE(row);
        EXPECT_EQ(h.Pixel(50, top + 8), Rgb(clWindow));   // empty cell
        EXPECT_EQ(h.Pixel(50, top + 16), Rgb(clBtnFace)); // its horizontal grid line
        EXPECT_EQ(h.Pixel(91, top + 8), Rgb(clBtnFace));  // its vertical grid line
        EXPECT_EQ(h.Pixel(6, top + 8), Rgb(clBtnFace));   // plain indicator cell
    }
    // Right of the columns the grid's colour shows.
    EXPECT_EQ(h.Pixel(250, 100), Rgb(clWindow));
}

TEST(GridPaint, FramedLinesAreBlackAtTheLastRowAndLastColumn) {
    CatalogueGrid h;
    h.grid->SetGridLinesStyle(lsFramed);
    h.AddRows({"a", "b", "c"});
    EXPECT_EQ(h.Pixel(50, 16), Rgb(clBtnFace));  // bottom line of row 0
    EXPECT_EQ(h.Pixel(50, 50), Rgb(clBlack));    // bottom line of the last row
    EXPECT_EQ(h.Pixel(91, 5), Rgb(clBtnFace));   // between the two columns
    EXPECT_EQ(h.Pixel(171, 5), Rgb(clBlack));    // right line of the last visible column
    EXPECT_EQ(h.Pixel(171, 60), Rgb(clBtnFace)); // ... but not below the rows
}

TEST(GridPaint, FramedSingleColumnKeepsTheGridColourOnItsRight) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.grid->SetGridLinesStyle(lsFramed);
    h.AddColumn(80);
    h.AddRows({"a", "b"});
    EXPECT_EQ(h.Pixel(91, 5), Rgb(clBtnFace));
    EXPECT_EQ(h.Pixel(50, 33), Rgb(clBlack));
}

TEST(GridPaint, SelectionIsHiddenWhenUnfocusedWithHideSelection) {
    CatalogueGrid h;
    h.AddRows({"", "", ""});
    h.grid->SetCurrentCell(1, 1, {});
    ASSERT_FALSE(h.grid->Focused());
    EXPECT_EQ(h.Pixel(130, 17 + 8), Rgb(clWindow));
    h.grid->SetAppearanceOptions({});
    EXPECT_EQ(h.Pixel(130, 17 + 8), Rgb(clBtnFace));
}

TEST(GridPaint, FocusedSelectionUsesTheHighlightOrItsBlend) {
    CatalogueGrid h;
    h.AddRows({"", "", ""});
    h.ShowAndFocus();
    ASSERT_TRUE(h.grid->Focused());
    h.grid->SetCurrentCell(1, 1, {});
    EXPECT_EQ(h.Pixel(130, 17 + 8), Rgb(clHighlight));
    h.grid->SetAppearanceOptions({aoAlphaBlendedSelection});
    EXPECT_EQ(h.Pixel(130, 17 + 8), Rgb(TGraphicsProvider::MixColors(clWindow, clHighlight, 0.25)));
}

TEST(GridPaint, EmptyGridShowsItsCaptionBelowTheDataTop) {
    GridHarness h;
    h.grid->SetOptions({goHeader});
    h.AddColumn(200);
    const TRect band{0, 18 + 4, 300, 18 + 4 + 14};
    EXPECT_FALSE(AnyPixelIn(h, band, clWindow));
    h.grid->SetCaption("No titles");
    EXPECT_TRUE(AnyPixelIn(h, band, clWindow));
    h.AddRows({"x"});
    h.grid->Invalidate();
    EXPECT_FALSE(AnyPixelIn(h, {150, 18 + 17 + 4, 300, 18 + 17 + 18}, clWindow));
}

TEST(GridPaint, CustomOnlyColumnGetsNoContentButTheCustomDrawEvent) {
    GridHarness h;
    h.grid->SetOptions({});
    auto& column = h.AddColumn(120);
    h.AddRows({"WWWWWWWW", "WWWWWWWW"});
    const TRect cell = h.grid->GetCellRect(0, 1);
    EXPECT_TRUE(AnyPixelIn(h, cell, clWindow)); // text drawn normally

    column.SetDrawingOptions(doCustomOnly);
    int calls = 0;
    TRect seen;
    h.grid->OnCustomDrawCell = [&](TCustomGridViewControl*, int, int row, TRect r, TCellState) {
        ++calls;
        if (row == 1) seen = r;
    };
    h.grid->Invalidate();
    EXPECT_FALSE(AnyPixelIn(h, cell, clWindow));
    EXPECT_GE(calls, 2);
    EXPECT_EQ(seen, cell);
}

TEST(GridPaint, BackgroundHandlerCanSkipTheFillButContentFollows) {
    GridHarness h;
    h.grid->SetOptions({});
    h.AddColumn(120);
    h.AddRows({"WWWW"});
    h.grid->OnDrawCellBackground = [](TCustomGridViewControl*, int, int, TRect, TCellState, bool& def) {
        def = false;
    };
    h.grid->OnCellColoring = [](TCustomGridViewControl*, int, int, TColor& cell, TColor&, TCellState) {
        cell = clRed;
    };
    const TRect cell = h.grid->GetCellRect(0, 0);
    h.grid->PaintNow();
    bool red = false, text = false;
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x) {
            const TColor p = h.grid->SurfacePixel(x, y);
            red |= p == Rgb(clRed);
            text |= p != Rgb(clWindow) && p != Rgb(clRed);
        }
    EXPECT_FALSE(red);
    EXPECT_TRUE(text);
}

TEST(GridPaint, SortedColumnIsSlightlyDarker) {
    CatalogueGrid h;
    h.AddRows({"b", "a", "c"});
    h.grid->SetAppearanceOptions({aoIndicateSortedColumn});
    h.grid->Columns()[1].SetSorted(true);
    const TColor shade = Rgb(TGraphicsProvider::BlendColors(clBlack, clWindow, 10));
    EXPECT_NE(shade, Rgb(clWindow));
    EXPECT_EQ(h.Pixel(170, 17 + 3), shade); // data cell of the sorted column
    EXPECT_EQ(h.Pixel(170, 120), shade);    // empty cell below the rows
    EXPECT_EQ(h.Pixel(85, 17 + 3), Rgb(clWindow));
}

TEST(GridPaint, CellColoringSeesEmptyCellsWithAnEmptyState) {
    CatalogueGrid h;
    h.AddRows({"a"});
    int emptyCalls = 0;
    h.grid->OnCellColoring = [&](TCustomGridViewControl*, int, int row, TColor&, TColor& gridColor,
                                 TCellState s) {
        if (row >= 1) {
            ++emptyCalls;
            EXPECT_TRUE(s.Empty());
            gridColor = clRed;
        }
    };
    EXPECT_EQ(h.Pixel(50, 2 * 17 + 16), Rgb(clRed));
    EXPECT_GT(emptyCalls, 0);
}

TEST(GridPaint, SlidesShowEachRowAsASlide) {
    GridHarness h;
    h.grid->SetGridStyle(gsSlides);
    h.grid->SetOptions({goGrid});
    auto& column = h.AddColumn(80);
    column.SlideBounds().SetLeft(10);
    column.SlideBounds().SetTop(10);
    column.SlideBounds().SetWidth(100);
    column.SlideBounds().SetHeight(20);
    column.SetColor(clRed);
    h.AddRows({"", ""});
    EXPECT_EQ(h.Pixel(50, 15), Rgb(clRed));
    EXPECT_EQ(h.Pixel(50, 81 + 15), Rgb(clRed));
    EXPECT_EQ(h.Pixel(200, 40), Rgb(clWindow));
    EXPECT_EQ(h.Pixel(200, 80), Rgb(clBtnFace)); // line between the slides
    EXPECT_EQ(h.Pixel(1, 1), Rgb(clHighlight));  // current slide frame
}
