// The published surface: defaults, what each property change repaints, how the grid looks after
// it, and the grid's reactions to column changes.
#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr TColor kYellow = RGB(255, 255, 0);

QImage Snapshot(GridHarness& h) {
    h.grid->PaintNow();
    return h.grid->Surface().copy();
}

// Header, input row and footer over two columns.
void FixedParts(GridHarness& h) {
    h.grid->SetOptions({goHeader, goInput, goFooter, goGrid});
    for (const char* caption : {"First", "Second"}) {
        auto& column = h.AddColumn(100);
        column.Header().SetCaption(caption);
        column.Footer().SetCaption("Sum");
    }
    h.AddRows({"a", "b"});
}

QImage Band(const QImage& image, const TRect& r) {
    return image.copy(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

TEST(GridSurface, StartsWithTheDocumentedLooks) {
    TGridView grid;
    EXPECT_EQ(grid.BorderStyle(), bsSingle);
    EXPECT_TRUE(grid.EnableVisualStyles());
    EXPECT_EQ(grid.GridStyle(), gsReport);
    EXPECT_EQ(grid.GridLinesStyle(), lsNormal);
    EXPECT_EQ(grid.HeaderStyle(), hsAuto);
    EXPECT_TRUE(grid.HideScrollBar());
    EXPECT_FALSE(grid.AutoScroll());
    EXPECT_FALSE(grid.WantReturns());
    EXPECT_TRUE(grid.Caption().isEmpty());
}

TEST(GridSurface, RowSizeOfZeroOrLessIsIgnoredAndAValidOneRepaintsBelowTheHeader) {
    GridHarness h;
    h.grid->SetOptions({goHeader, goInput});
    h.AddColumn();
    h.AddRows({"a", "b"});
    h.grid->PaintNow();
    for (int size : {0, -1, -16}) {
        h.grid->SetRowSize(size);
        EXPECT_EQ(h.grid->RowSize(), 16) << size;
        EXPECT_FALSE(h.grid->PaintPending()) << size;
    }
    h.grid->SetRowSize(20);
    EXPECT_EQ(h.grid->RowSize(), 20);
    const TRect invalid = h.grid->InvalidBounds();
    EXPECT_EQ(invalid.Top, h.grid->Geometry().InputTop()); // the header keeps its pixels
    EXPECT_EQ(invalid.Bottom, h.grid->ClientHeight());
}

TEST(GridSurface, HeaderStyleSwitchesHeaderInputAndFooterAtOnceAndOnlyOnChange) {
    GridHarness h;
    FixedParts(h);
    QImage before = Snapshot(h);
    h.grid->SetHeaderStyle(hsAuto);
    EXPECT_FALSE(h.grid->PaintPending());
    for (THeaderStyle style : {hsFlatBorders, hsOldStyle, hsAuto}) {
        SCOPED_TRACE(int(style));
        h.grid->SetHeaderStyle(style);
        EXPECT_TRUE(h.grid->PaintPending());
        const QImage after = Snapshot(h);
        const TGridGeometry& geo = h.grid->Geometry();
        EXPECT_NE(Band(after, geo.HeaderRect()), Band(before, geo.HeaderRect()));
        // Nothing of the old look is left: the same as a grid that had the style from the start.
        GridHarness fresh;
        FixedParts(fresh);
        fresh.grid->SetHeaderStyle(style);
        EXPECT_EQ(after, Snapshot(fresh));
        before = after;
    }
}

TEST(GridSurface, SlidesHideTheHorizontalBarAndSizeTheVerticalRangeBySlides) {
    GridHarness h;
    h.grid->SetBounds(0, 0, 300, 405);
    h.grid->SetOptions({goGrid});
    h.AddColumn(200);
    h.AddColumn(200);
    h.grid->AddRows(10);
    h.grid->PaintNow();
    ASSERT_TRUE(h.grid->HorzScrollBar().Visible());
    ASSERT_EQ(h.grid->VertScrollBar().Max(), 0); // ten rows of 17 pixels fit
    h.grid->SetGridStyle(gsSlides);
    h.grid->PaintNow();
    EXPECT_FALSE(h.grid->HorzScrollBar().Visible());
    EXPECT_EQ(h.grid->ClientHeight(), 405);
    EXPECT_EQ(h.grid->VertScrollBar().Max(), 5); // five whole slides of 80 + 1 are shown
    h.grid->SetGridStyle(gsReport);
    h.grid->PaintNow();
    EXPECT_TRUE(h.grid->HorzScrollBar().Visible());
}

// With the vertical bar showing in both styles no resize follows the switch; the paint itself
// must take the horizontal bar away.
TEST(GridSurface, SlidesHideTheHorizontalBarAtTheNextPaintWithoutAResize) {
    GridHarness h;
    h.grid->SetBounds(0, 0, 300, 200);
    h.grid->SetOptions({goGrid});
    h.AddColumn(200);
    h.AddColumn(200);
    h.grid->AddRows(40);
    h.grid->PaintNow();
    ASSERT_TRUE(h.grid->HorzScrollBar().Visible());
    ASSERT_TRUE(h.grid->VertScrollBar().Visible());
    const int width = h.grid->ClientWidth();
    h.grid->SetGridStyle(gsSlides);
    ASSERT_EQ(h.grid->ClientWidth(), width);
    h.grid->PaintNow();
    EXPECT_FALSE(h.grid->HorzScrollBar().Visible());
    h.grid->SetGridStyle(gsReport);
    h.grid->PaintNow();
    EXPECT_TRUE(h.grid->HorzScrollBar().Visible());
}

TEST(GridSurface, IndicatorShiftsTheColumnsTwelvePixelsAtTheNextPaint) {
    GridHarness h;
    h.grid->SetOptions({});
    h.AddColumn(50).SetColor(kYellow);
    h.AddRows({""});
    EXPECT_EQ(h.Pixel(0, 5), kYellow);
    EXPECT_EQ(h.Pixel(49, 5), kYellow);
    EXPECT_EQ(h.Pixel(50, 5), Rgb(clWindow));
    h.grid->SetOptions({goIndicator});
    EXPECT_TRUE(h.grid->PaintPending());
    EXPECT_NE(h.Pixel(5, 5), kYellow);
    EXPECT_EQ(h.Pixel(12, 5), kYellow);
    EXPECT_EQ(h.Pixel(61, 5), kYellow);
    EXPECT_EQ(h.Pixel(62, 5), Rgb(clWindow));
}

TEST(GridSurface, CatalogueSettingsShowNoHeaderNorFooterAndRowsStartAtTheTop) {
    GridHarness h;
    h.grid->SetOptions({goGrid, goIndicator});
    h.AddColumn(40).SetVisible(false);
    h.AddColumn(200).SetColor(kYellow);
    h.AddRows({"", "", ""});
    EXPECT_EQ(h.Pixel(50, 0), kYellow); // row 0 from y = 0
    EXPECT_EQ(h.Pixel(50, 15), kYellow);
    EXPECT_EQ(h.Pixel(50, 16), Rgb(clBtnFace)); // its grid line
    EXPECT_EQ(h.Pixel(50, 17), kYellow);        // row 1
    // Where a footer would stand, empty rows go on down to the bottom.
    const int footerTop = h.grid->ClientHeight() - (18 + 4) - 1;
    EXPECT_EQ(h.Pixel(50, footerTop + 3), Rgb(clWindow));
    EXPECT_EQ(h.Pixel(50, h.grid->ClientHeight() - 2), Rgb(clWindow));
}

TEST(GridSurface, CaptionRepaintsTheDataAreaToTheClientsRightEdge) {
    GridHarness h;
    h.AddColumn(80);
    h.grid->PaintNow();
    h.grid->SetCaption("Nothing found");
    const TGridGeometry& geo = h.grid->Geometry();
    EXPECT_EQ(h.grid->InvalidBounds(),
              Rect(geo.DataLeft(), geo.DataTop(), h.grid->ClientWidth(), geo.DataBottom()));
}

TEST(GridSurface, ColumnChangesRepaintWhatTheyTouch) {
    GridHarness h;
    h.grid->SetOptions({goHeader, goInput});
    auto& first = h.AddColumn(80);
    auto& second = h.AddColumn(80);
    h.AddRows({"a"});
    std::vector<int> resized;
    h.grid->OnColumnResize = [&](TCustomGridViewControl*, int col) { resized.push_back(col); };

    h.grid->PaintNow();
    second.SetInputText("x"); // only its input cell
    TRect invalid = h.grid->InvalidBounds();
    EXPECT_EQ(invalid.Left, second.Left());
    EXPECT_LE(invalid.Right, second.Left() + 80 + 1);
    EXPECT_EQ(invalid.Top, h.grid->Geometry().InputTop());
    EXPECT_LE(invalid.Bottom, h.grid->Geometry().InputBottom());

    h.grid->PaintNow();
    first.SetWidth(120); // from its left edge to the right
    EXPECT_EQ(h.grid->InvalidBounds(), Rect(first.Left(), 0, h.grid->ClientWidth(), h.grid->ClientHeight()));
    EXPECT_EQ(resized, std::vector<int>{0});

    first.SetWidth(400);
    h.grid->PaintNow();
    ASSERT_TRUE(h.grid->HorzScrollBar().Visible());
    first.SetVisible(false); // the horizontal bar follows at once
    EXPECT_FALSE(h.grid->HorzScrollBar().Visible());
    EXPECT_EQ(h.grid->InvalidBounds(), h.grid->ClientRect());
}
