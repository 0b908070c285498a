#include <cmath>

#include "grid/display/columns/ProgressColumnDisplay.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/shared/GraphicsProvider.h"

#include "display/columns/ColumnDisplayFixture.h"

namespace tolvane::testing {
namespace {

constexpr TColor background = 0x202020;
constexpr TColor bar = 0x00C000;
constexpr TColor border = 0x0000C0;

class ProgressDisplay : public ColumnDisplayFixture<TProgressColumn, TProgressColumnDisplay> {
protected:
    ProgressDisplay() {
        Column.SetColor(background);
        Column.SetProgressColor(bar);
        Column.SetBorderColor(border);
    }
    // Paints a cell of the given width at the origin; the inner bar area is (4, 4, width - 4, 16).
    void PaintCell(int width, double value) {
        Display.CellRect = {0, 0, width, 20};
        Display.FloatValue = value;
        Display.Paint();
    }
    // The first x of row 10 in the inner area that is not bar coloured.
    int BarEnd(int width) {
        int x = 4;
        while (x < width - 4 && Pixel(x, 10) == bar) ++x;
        return x;
    }
};

struct BarCase {
    int CellWidth;
    double Value;
    int ExpectedEnd;
};

class ProgressBarLength : public ProgressDisplay, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ProgressBarLength, HalfWidthRoundsToEvenAndValuesAboveMaxClip) {
    const BarCase& c = GetParam();
    PaintCell(c.CellWidth, c.Value);
    EXPECT_EQ(BarEnd(c.CellWidth), c.ExpectedEnd);
    if (c.ExpectedEnd < c.CellWidth - 4) {
        EXPECT_EQ(Pixel(c.ExpectedEnd, 10), background);
    }
    EXPECT_EQ(Pixel(c.CellWidth - 3, 10), border);
    EXPECT_EQ(Pixel(2, 2), border);
    EXPECT_EQ(Pixel(1, 1), Rgb(clWhite));
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressBarLength,
                         ::testing::Values(BarCase{108, 50, 4 + 50}, // inner 100
                                           BarCase{13, 50, 4 + 2},   // inner 5: 2.5 -> 2
                                           BarCase{15, 50, 4 + 4},   // inner 7: 3.5 -> 4
                                           BarCase{108, 150, 104},   // clipped at the inner right
                                           BarCase{108, 1e300, 104}, // far beyond Max
                                           BarCase{108, 0, 4}));

TEST_F(ProgressDisplay, HideWhenEmptyDrawsNothingForZero) {
    Column.SetHideWhenEmpty(true);
    PaintCell(108, 0);
    EXPECT_TRUE(All({0, 0, 108, 20}, clWhite));
    PaintCell(108, 10);
    EXPECT_EQ(Pixel(2, 2), border);
}

TEST_F(ProgressDisplay, TransparentOnlyOutlines) {
    Column.SetTransparent(true);
    PaintCell(108, 50);
    EXPECT_EQ(Pixel(2, 10), border);
    EXPECT_EQ(Pixel(3, 10), Rgb(clWhite));
    EXPECT_EQ(Pixel(60, 10), Rgb(clWhite));
    EXPECT_EQ(Pixel(10, 10), bar);
}

TEST_F(ProgressDisplay, ShowTextMovesTheBarRightBy30) {
    Column.SetShowText(true);
    PaintCell(138, 50);
    ASSERT_EQ(Display.Texts.size(), 1u);
    EXPECT_EQ(Display.Texts[0], "50%");
    EXPECT_EQ(Display.Rects[0], (TRect{2, 0, 136, 20}));
    EXPECT_EQ(Pixel(32, 10), border);
    // inner (34, 4, 134, 16): 100 wide
    EXPECT_EQ(Pixel(34, 10), bar);
    EXPECT_EQ(Pixel(83, 10), bar);
    EXPECT_EQ(Pixel(84, 10), background);
}

TEST_F(ProgressDisplay, GradientRunsFromBackgroundTowardsProgressColour) {
    Column.SetProgressStyle(psGradient);
    PaintCell(108, 40); // bar (4, 4, 44, 16)
    for (int i : {0, 20, 39})
        EXPECT_EQ(Pixel(4 + i, 10), TGraphicsProvider::MixColors(background, bar, i / 40.0)) << i;
    EXPECT_EQ(Pixel(44, 10), background);
    EXPECT_EQ(Pixel(20, 4), Pixel(20, 15)) << "constant down each column";
}

TEST_F(ProgressDisplay, CylinderRunsTopToBottom) {
    Column.SetProgressStyle(psCylinder);
    PaintCell(108, 40); // bar (4, 4, 44, 16): 12 rows
    for (int i : {0, 6, 11})
        EXPECT_EQ(Pixel(20, 4 + i), TGraphicsProvider::MixColors(background, bar, i / 12.0)) << i;
    EXPECT_EQ(Pixel(4, 8), Pixel(43, 8)) << "constant along each row";
}

} // namespace
} // namespace tolvane::testing
