#include <gtest/gtest.h>

#include "grid/shared/DrawProvider.h"
#include "tests/shared/providers/PixelMap.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {
// A 32-bit scan-line pixel: bytes blue, green, red, alpha.
std::uint32_t Pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
}
} // namespace

TEST(DrawGraphic, AlphaIsTheBlendWeight) {
    TBitmap canvasBitmap = FilledBitmap(6, 3, clWhite);
    canvasBitmap.Canvas().Brush.Color = RGB(0, 0, 200);
    canvasBitmap.Canvas().FillRect(TRect{0, 2, 6, 3});
    TBitmap picture(4, 2, pf32bit);
    const std::uint32_t row0[] = {Pixel(255, 0, 0, 255), Pixel(0, 0, 0, 128), Pixel(10, 20, 30, 0),
                                  Pixel(100, 100, 100, 10)};
    const std::uint32_t row1[] = {Pixel(255, 255, 255, 255), Pixel(255, 0, 0, 64), Pixel(0, 0, 0, 0),
                                  Pixel(0, 255, 0, 200)};
    for (int x = 0; x < 4; ++x) {
        picture.ScanLine(0)[x] = row0[x];
        picture.ScanLine(1)[x] = row1[x];
    }
    TDrawProvider::DrawGraphic(canvasBitmap.Canvas(), 1, picture, 1);

    EXPECT_EQ(canvasBitmap.GetPixel(1, 1), RGB(254, 0, 0));     // weight 255 is not quite the picture
    EXPECT_EQ(canvasBitmap.GetPixel(2, 1), RGB(126, 126, 126)); // 127 * 255 div 256
    EXPECT_EQ(canvasBitmap.GetPixel(3, 1), RGB(254, 254, 254)); // weight 0: 255 * 255 div 256
    EXPECT_EQ(canvasBitmap.GetPixel(4, 1), RGB(247, 247, 247)); // (10*100 + 245*255) div 256
    EXPECT_EQ(canvasBitmap.GetPixel(1, 2), RGB(254, 254, 254));
    EXPECT_EQ(canvasBitmap.GetPixel(2, 2), RGB(63, 0, 149)); // over (0, 0, 200)
    EXPECT_EQ(canvasBitmap.GetPixel(3, 2), RGB(0, 0, 199));
    EXPECT_EQ(canvasBitmap.GetPixel(4, 2), RGB(0, 199, 42));
    // Around the picture nothing changed.
    EXPECT_EQ(canvasBitmap.GetPixel(0, 1), clWhite);
    EXPECT_EQ(canvasBitmap.GetPixel(5, 1), clWhite);
    EXPECT_EQ(canvasBitmap.GetPixel(1, 0), clWhite);
    // The picture itself is untouched.
    EXPECT_EQ(picture.ScanLine(0)[1], row0[1]);
}

TEST(DrawGraphic, OtherPicturesAreDrawnUnchanged) {
    TBitmap canvasBitmap = FilledBitmap(4, 4, clWhite);
    TBitmap picture(2, 2, pf24bit);
    picture.SetPixel(0, 0, RGB(10, 20, 30));
    picture.SetPixel(1, 1, RGB(200, 0, 0));
    picture.ScanLine(0)[1] = Pixel(5, 6, 7, 0); // alpha means nothing here
    TDrawProvider::DrawGraphic(canvasBitmap.Canvas(), 1, picture, 2);
    EXPECT_EQ(canvasBitmap.GetPixel(1, 2), RGB(10, 20, 30));
    EXPECT_EQ(canvasBitmap.GetPixel(2, 2), RGB(5, 6, 7));
    EXPECT_EQ(canvasBitmap.GetPixel(2, 3), RGB(200, 0, 0));
    EXPECT_EQ(canvasBitmap.GetPixel(0, 2), clWhite);
}

TEST(DrawGraphic, EmptyPictureDrawsNothing) {
    TBitmap canvasBitmap = FilledBitmap(3, 3, clWhite);
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap picture(0, 5, format);
        TDrawProvider::DrawGraphic(canvasBitmap.Canvas(), 0, picture, 0);
        TBitmap none;
        TDrawProvider::DrawGraphic(canvasBitmap.Canvas(), 0, none, 0);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(canvasBitmap.GetPixel(x, y), clWhite);
}

TEST(DrawGraphic, PictureHangingOverTheEdge) {
    TBitmap canvasBitmap = FilledBitmap(3, 3, clWhite);
    TBitmap picture(2, 2, pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) picture.ScanLine(y)[x] = Pixel(0, 0, 0, 255);
    TDrawProvider::DrawGraphic(canvasBitmap.Canvas(), 2, picture, -1);
    EXPECT_EQ(canvasBitmap.GetPixel(2, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvasBitmap.GetPixel(1, 0), clWhite);
    EXPECT_EQ(canvasBitmap.GetPixel(2, 1), clWhite);
}
