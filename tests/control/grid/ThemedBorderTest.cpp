// The grid's border: the plain static edge, or the list-view frame with visual styles.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "GridTestSupport.h"
#include "grid/host/Bitmap.h"
#include "grid/host/ThemePainter.h"
#include "grid/shared/ThemesSupport.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

class ThemedBorder : public ::testing::Test {
protected:
    void SetUp() override {
        wasEnabled = ThemesEnabled();
        SetThemesEnabled(true);
        grid.SetBounds(0, 0, 200, 100);
        grid.Columns().Add<TTextualColumn>().SetColor(clWindow);
    }
    void TearDown() override { SetThemesEnabled(wasEnabled); }

    bool wasEnabled = true;
    TGridView grid;
};

bool OnRing(int x, int y, int w, int h, int width) {
    return x < width || y < width || x >= w - width || y >= h - width;
}

} // namespace

TEST_F(ThemedBorder, GridStartsWithASingleBorderAndBindsTheThemeEngine) {
    EXPECT_EQ(grid.BorderStyle(), bsSingle);
    EXPECT_TRUE(ThemeLibraryLoaded());
    EXPECT_TRUE(ThemesAvailable());
}

TEST_F(ThemedBorder, ClassicLookIsTheOnePixelStaticEdge) {
    SetThemesEnabled(false);
    grid.RedrawFrame();
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 0);
    EXPECT_EQ(grid.ClientRect(), Rect(0, 0, 198, 98));
    EXPECT_EQ(grid.WindowPixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(grid.WindowPixel(0, 50), Rgb(clBtnShadow));
    EXPECT_EQ(grid.WindowPixel(100, 0), Rgb(clBtnShadow));
    EXPECT_EQ(grid.WindowPixel(199, 50), Rgb(clBtnHighlight));
    EXPECT_EQ(grid.WindowPixel(100, 99), Rgb(clBtnHighlight));
    EXPECT_EQ(grid.WindowPixel(1, 1), grid.SurfacePixel(0, 0));
    EXPECT_EQ(grid.WindowPixel(150, 60), grid.SurfacePixel(149, 59));
}

TEST_F(ThemedBorder, ThemedLookPaintsTheOuterTwoPixelsAndInsetsTheClient) {
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 1);
    EXPECT_EQ(grid.FrameWidth(), 2);
    EXPECT_EQ(grid.ClientRect(), Rect(0, 0, 196, 96));
    EXPECT_EQ(grid.WindowPixel(2, 2), grid.SurfacePixel(0, 0));
    EXPECT_EQ(grid.WindowPixel(150, 60), grid.SurfacePixel(148, 58));

    // Where the list-view frame is opaque (the same on any background) the window shows it.
    const TRect whole{0, 0, 200, 100};
    TBitmap onBlack(200, 100), onWhite(200, 100);
    onBlack.Canvas().Brush.Color = clBlack;
    onBlack.Canvas().FillRect(whole);
    onWhite.Canvas().Brush.Color = clWhite;
    onWhite.Canvas().FillRect(whole);
    DrawThemedPart(onBlack.Canvas(), whole, "listview", 1, 0);
    DrawThemedPart(onWhite.Canvas(), whole, "listview", 1, 0);
    onBlack.Canvas().Flush();
    onWhite.Canvas().Flush();
    int opaque = 0, wrong = 0;
    TPoint firstWrong{-1, -1};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            if (!OnRing(x, y, 200, 100, 2) || onBlack.GetPixel(x, y) != onWhite.GetPixel(x, y)) continue;
            ++opaque;
            if (grid.WindowPixel(x, y) == onBlack.GetPixel(x, y)) continue;
            if (wrong++ == 0) firstWrong = TPoint{x, y};
        }
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(wrong, 0) << "first at " << firstWrong.X << ", " << firstWrong.Y;
}

TEST_F(ThemedBorder, NoThemedBorderWithoutVisualStylesOrWithoutBorder) {
    grid.SetEnableVisualStyles(false);
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 0);
    EXPECT_EQ(grid.WindowPixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(grid.ClientWidth(), 198);
    grid.SetEnableVisualStyles(true);
    EXPECT_EQ(grid.BorderWidth(), 1);
    grid.SetBorderStyle(bsNone);
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 0);
    EXPECT_EQ(grid.ClientRect(), Rect(0, 0, 200, 100));
}

TEST_F(ThemedBorder, NonClientPaintFollowsThemesSwitchedAtRunTime) {
    grid.PaintNow();
    ASSERT_EQ(grid.BorderWidth(), 1);
    SetThemesEnabled(false);
    grid.RedrawFrame();
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 0);
    EXPECT_FALSE(grid.FramePaintPending()); // the new width's frame was painted as well
    EXPECT_FALSE(grid.PaintPending());
    EXPECT_EQ(grid.WindowPixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(grid.WindowPixel(1, 1), grid.SurfacePixel(0, 0));
    SetThemesEnabled(true);
    grid.RedrawFrame();
    grid.PaintNow();
    EXPECT_EQ(grid.BorderWidth(), 1);
    EXPECT_EQ(grid.WindowPixel(2, 2), grid.SurfacePixel(0, 0));
}

TEST_F(ThemedBorder, AppearanceVisualStyleAndHeaderStyleChangesRedrawTheBorder) {
    const std::vector<std::pair<const char*, std::function<void(TGridView&)>>> changes = {
        {"AppearanceOptions", [](TGridView& g) { g.SetAppearanceOptions({aoHideFocus}); }},
        {"EnableVisualStyles", [](TGridView& g) { g.SetEnableVisualStyles(true); }},
        {"HeaderStyle", [](TGridView& g) { g.SetHeaderStyle(hsOldStyle); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TGridView g;
        g.PaintNow();
        ASSERT_EQ(g.BorderWidth(), 1);
        SetThemesEnabled(false); // nothing tells the grid
        EXPECT_EQ(g.BorderWidth(), 1);
        change(g);
        EXPECT_EQ(g.BorderWidth(), 0);
        EXPECT_TRUE(g.FramePaintPending());
        g.PaintNow();
        EXPECT_EQ(g.WindowPixel(0, 0), Rgb(clBtnShadow));
        SetThemesEnabled(true);
    }
}
