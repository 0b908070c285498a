#include <gtest/gtest.h>

#include "grid/host/Canvas.h"
#include "grid/base/Errors.h"

using namespace tolvane;

namespace {

TBitmap Filled(int w, int h, TColor c) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = c;
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}

} // namespace

TEST(Bitmap, PixelsAreStoredBlueGreenRedAlpha) {
    TBitmap b(2, 1);
    b.SetPixel(0, 0, RGB(0x11, 0x22, 0x33));
    const auto* bytes = reinterpret_cast<const unsigned char*>(b.ScanLine(0));
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[1], 0x22);
    EXPECT_EQ(bytes[2], 0x11);
    EXPECT_EQ(b.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(b.GetPixel(5, 0), clNone);
    EXPECT_THROW(b.ScanLine(1), EListError);
}

TEST(Bitmap, CanvasDrawingIsVisibleThroughPixels) {
    TBitmap b = Filled(4, 4, clRed);
    EXPECT_EQ(b.GetPixel(3, 3), clRed);
    b.Canvas().Brush.Color = clBlue;
    b.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(b.ScanLine(0)[0] & 0xFFFFFF, 0x0000FFu); // blue in the low byte of B,G,R,A
}

TEST(Bitmap, CopiesAreIndependent) {
    TBitmap a = Filled(3, 3, clRed);
    TBitmap b(a);
    b.SetPixel(0, 0, clBlue);
    EXPECT_EQ(a.GetPixel(0, 0), clRed);
    TBitmap c;
    c.Assign(a);
    a.Canvas().Brush.Color = clGreen;
    a.Canvas().FillRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(c.GetPixel(1, 1), clRed);
}

TEST(Bitmap, ChangesNotifyOnlyWhenSomethingChanged) {
    TBitmap b(2, 2);
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.SetTransparent(true);
    b.SetTransparent(true);
    b.SetTransparentColor(clRed);
    b.SetPixel(0, 0, clRed);
    b.SetSize(3, 3);
    EXPECT_EQ(changes, 4);
}

TEST(Bitmap, ThirtyTwoBitAlphaIsKept) {
    TBitmap b(1, 1, pf32bit);
    b.ScanLine(0)[0] = 0x80102030u;
    TBitmap copy(b);
    EXPECT_EQ(copy.ScanLine(0)[0], 0x80102030u);
}

TEST(Bitmap, DrawHonoursTransparentColour) {
    TBitmap glyph = Filled(3, 3, clWhite);
    glyph.SetPixel(1, 1, clRed);
    glyph.SetTransparent(true); // key colour: the bottom-left pixel (white)
    EXPECT_EQ(glyph.TransparentColor(), clWhite);
    TBitmap dest = Filled(5, 5, clBlue);
    dest.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(dest.GetPixel(2, 2), clRed);
    EXPECT_EQ(dest.GetPixel(1, 1), clBlue);
    glyph.SetTransparent(false);
    dest.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(dest.GetPixel(1, 1), clWhite);
}

TEST(Bitmap, DrawIgnoresAlphaOfTwentyFourBitPixels) {
    TBitmap src(1, 1);
    src.ScanLine(0)[0] = 0x000000FFu; // blue with a zero alpha byte
    TBitmap dest = Filled(2, 2, clWhite);
    dest.Canvas().Draw(0, 0, src);
    EXPECT_EQ(dest.GetPixel(0, 0), clBlue);
}

TEST(Bitmap, StretchDrawScales) {
    TBitmap src = Filled(2, 2, clRed);
    TBitmap dest = Filled(10, 10, clWhite);
    dest.Canvas().StretchDraw(Rect(0, 0, 8, 6), src);
    EXPECT_EQ(dest.GetPixel(7, 5), clRed);
    EXPECT_EQ(dest.GetPixel(8, 5), clWhite);
    EXPECT_EQ(dest.GetPixel(7, 6), clWhite);
}

TEST(ImageList, AddSplitsStripsAndDrawsByIndex) {
    TImageList list(2, 2);
    TBitmap strip = Filled(4, 2, clRed);
    strip.SetPixel(2, 0, clBlue);
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap dest = Filled(4, 4, clWhite);
    list.Draw(dest.Canvas(), 1, 1, 1);
    EXPECT_EQ(dest.GetPixel(1, 1), clBlue);
    EXPECT_EQ(dest.GetPixel(2, 2), clRed);
    list.Draw(dest.Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(dest.GetPixel(0, 0), clWhite);
}
