// Displays that draw bitmaps: ratings, pictures and image-list icons.
#include "grid/display/columns/GraphicColumnDisplay.h"
#include "grid/display/columns/ImageColumnDisplay.h"
#include "grid/display/columns/RateColumnDisplay.h"
#include "grid/model/columns/classes/GraphicColumn.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/model/columns/classes/RateColumn.h"

#include "display/columns/ColumnDisplayFixture.h"

namespace tolvane::testing {
namespace {

TBitmap Solid(int w, int h, TColor color) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = color;
    b.Canvas().FillRect({0, 0, w, h});
    b.Canvas().Flush();
    return b;
}

class RateDisplay : public ColumnDisplayFixture<TRateColumn, TRateColumnDisplay> {
protected:
    RateDisplay() {
        Column.SetGlyph(Solid(4, 4, clRed));
        Column.SetEmptyGlyph(Solid(4, 4, clBlue));
        Display.CellRect = {0, 0, 40, 10};
    }
    // The colour of each glyph slot along row 5 (the strip is at (0, 3)).
    std::vector<TColor> Slots() {
        std::vector<TColor> colors;
        for (int i = 0; i < 5; ++i) colors.push_back(Pixel(4 * i + 1, 5));
        return colors;
    }
};

TEST_F(RateDisplay, FullThenEmptyGlyphs) {
    Display.IntegerValue = 3;
    Display.Paint();
    const TColor r = Rgb(clRed), b = Rgb(clBlue);
    EXPECT_EQ(Slots(), (std::vector<TColor>{r, r, r, b, b}));
    EXPECT_EQ(Pixel(0, 3), r);
    EXPECT_EQ(Pixel(0, 2), Rgb(clWhite));
    EXPECT_EQ(Pixel(20, 5), Rgb(clWhite));
}

TEST_F(RateDisplay, ZeroRating) {
    Column.SetHideWhenEmpty(true);
    Display.IntegerValue = 0;
    Display.Paint();
    EXPECT_TRUE(All({0, 0, 40, 10}, clWhite));

    Column.SetHideWhenEmpty(false);
    Display.Paint();
    EXPECT_EQ(Slots(), std::vector<TColor>(5, Rgb(clBlue)));
}

TEST_F(RateDisplay, StripFollowsColumnAlignment) {
    Column.SetAlignment(taRightJustify);
    Column.SetVerticalAlignment(vaBottom);
    Display.IntegerValue = 5;
    Display.Paint();
    EXPECT_TRUE(All({20, 6, 40, 10}, clRed));
    EXPECT_EQ(Pixel(19, 8), Rgb(clWhite));
}

TEST_F(RateDisplay, TransparentLeavesOutBottomLeftColour) {
    TBitmap glyph = Solid(4, 4, clRed);
    glyph.SetPixel(0, 3, clGreen);
    glyph.SetPixel(3, 0, clGreen);
    Column.SetGlyph(glyph);
    Column.SetTransparent(true);
    Display.IntegerValue = 1;
    Display.Paint();
    EXPECT_EQ(Pixel(3, 3), Rgb(clWhite)) << "glyph (3, 0) at strip (0, 3)";
    EXPECT_EQ(Pixel(1, 4), Rgb(clRed));
}

TEST_F(RateDisplay, ThirtyTwoBitGlyphsAreBlendedByAlpha) {
    TBitmap glyph(4, 4, pf32bit);
    const std::uint32_t translucent = 0x80C86432; // alpha 128, red 0xC8, green 0x64, blue 0x32
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            glyph.ScanLine(y)[x] = x == 0 ? 0x00FFFFFF : x == 1 ? 0xFF000000 : translucent;
    Column.SetGlyph(glyph);
    Display.IntegerValue = 5;
    Display.Paint();

    auto blend = [](int g, int c) { return (128 * g + 128) / 256 + ((255 - 128) * c + 128) / 256; };
    EXPECT_EQ(Pixel(0, 5), Rgb(clWhite)) << "alpha 0 keeps the canvas";
    EXPECT_EQ(Pixel(1, 5), Rgb(clBlack)) << "alpha 255 copies the glyph";
    EXPECT_EQ(Pixel(2, 5), RGB(blend(0xC8, 255), blend(0x64, 255), blend(0x32, 255)));
}

class GraphicDisplay : public ColumnDisplayFixture<TGraphicColumn, TGraphicColumnDisplay> {
protected:
    GraphicDisplay() : Picture(Solid(20, 10, clRed)) {
        Column.SetMargin(4);
        Display.CellRect = {0, 0, 48, 48}; // picture area (4, 4, 44, 44)
        Display.PictureValue = &Picture;
    }
    TBitmap Picture;
};

TEST_F(GraphicDisplay, BorderColourBySelection) {
    Column.SetBorderWidth(2);
    Display.PictureValue = nullptr;
    Display.Selected = false;
    Display.Paint();
    EXPECT_EQ(Pixel(3, 20), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(2, 20), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(1, 20), Rgb(clWhite));
    EXPECT_EQ(Pixel(4, 20), Rgb(clWhite));
    Display.Selected = true;
    Display.Paint();
    EXPECT_EQ(Pixel(3, 20), Rgb(clHighlightText));
    EXPECT_EQ(Pixel(44, 44), Rgb(clHighlightText));

    Column.SetBorderWidth(0);
    Clear(clWhite);
    Display.Paint();
    EXPECT_TRUE(All({0, 0, 48, 48}, clWhite));
}

TEST_F(GraphicDisplay, WidePictureFillsWidthCentredVertically) {
    Display.Paint();
    // 20 x 10 scaled by 2 -> 40 x 20 at top 4 + 20 - 10 = 14
    EXPECT_TRUE(All({4, 14, 44, 34}, clRed));
    EXPECT_EQ(Pixel(20, 13), Rgb(clWhite));
    EXPECT_EQ(Pixel(20, 34), Rgb(clWhite));
}

TEST_F(GraphicDisplay, TallPictureFillsHeightCentredHorizontally) {
    Picture = Solid(10, 20, clRed);
    Display.Paint();
    // 10 x 20 scaled by 2 -> 20 x 40 at left 4 + 20 - 10 = 14
    EXPECT_TRUE(All({14, 4, 34, 44}, clRed));
    EXPECT_EQ(Pixel(13, 20), Rgb(clWhite));
    EXPECT_EQ(Pixel(34, 20), Rgb(clWhite));
}

TEST_F(GraphicDisplay, StretchFillsTheArea) {
    Column.SetStrecht(true);
    Display.Paint();
    EXPECT_TRUE(All({4, 4, 44, 44}, clRed));
}

using ImageDisplay = ColumnDisplayFixture<TImageColumn, TImageColumnDisplay>;

TEST_F(ImageDisplay, DrawsIconByIndexPlacedByAlignment) {
    TImageList images(8, 8);
    images.Add(Solid(8, 8, clBlue));
    images.Add(Solid(8, 8, clRed));
    Display.CellRect = {0, 0, 40, 20};
    Display.IntegerValue = 1;
    Display.Paint();
    EXPECT_TRUE(All({0, 0, 40, 20}, clWhite)) << "no image list";

    Column.SetImages(&images);
    Column.SetAlignment(taCenter);
    Display.Paint();
    EXPECT_TRUE(All({16, 6, 24, 14}, clRed));
    EXPECT_EQ(Pixel(15, 10), Rgb(clWhite));

    Clear(clWhite);
    for (int index : {-1, 2}) {
        Display.IntegerValue = index;
        Display.Paint();
    }
    EXPECT_TRUE(All({0, 0, 40, 20}, clWhite));
}

} // namespace
} // namespace tolvane::testing
