#include <gtest/gtest.h>

#include "grid/host/SystemColors.h"
#include "grid/base/Errors.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/MaskProvider.h"

using namespace tolvane;

TEST(BlendColors, WeightRunsFromAlmostAToB) {
    EXPECT_EQ(TGraphicsProvider::BlendColors(clWhite, clBlack, 255), 0xFEFEFEu);
    EXPECT_EQ(TGraphicsProvider::BlendColors(clBlack, clWhite, 0), 0xFEFEFEu); // 255*255 div 256
    EXPECT_EQ(TGraphicsProvider::BlendColors(clWhite, clBlack, 0), 0x000000u);
    EXPECT_EQ(TGraphicsProvider::BlendColors(clBlack, clWhite, 128), 0x7E7E7Eu); // 127*255 div 256
}

TEST(BlendColors, ChannelsStayApart) {
    const TColor a = RGB(200, 10, 255), b = RGB(0, 250, 1);
    for (int w : {0, 1, 10, 127, 249, 255}) {
        const TColor c = TMaskProvider::BlendColors(a, b, w);
        EXPECT_EQ(GetRValue(c), (w * 200 + (255 - w) * 0) / 256) << w;
        EXPECT_EQ(GetGValue(c), (w * 10 + (255 - w) * 250) / 256) << w;
        EXPECT_EQ(GetBValue(c), (w * 255 + (255 - w) * 1) / 256) << w;
        EXPECT_EQ(c >> 24, 0u);
    }
}

TEST(BlendColors, SystemColoursAreResolved) {
    // Classic palette: button face 0xC0C0C0, window text black.
    EXPECT_EQ(TGraphicsProvider::BlendColors(clBtnFace, clWindowText, 255), TColor(0xBFBFBF));
    EXPECT_EQ(TMaskProvider::BlendColors(clWindowText, clBtnFace, 0), TColor(0xBFBFBF));
}

TEST(BlendColors, WeightOutOfRangeIsAnAssertion) {
    for (int w : {256, 1000, -1}) {
        try {
            TGraphicsProvider::BlendColors(clWhite, clBlack, w);
            FAIL() << "no error for weight " << w;
        } catch (const EGridError& e) {
            EXPECT_STREQ(e.what(), "Assertion failure (SharedCommon)");
        }
    }
    EXPECT_THROW(TMaskProvider::BlendColors(clWhite, clBlack, 256), EGridError);
}

TEST(MixColors, EndsAndTiesToEven) {
    const TColor a = RGB(1, 2, 3), b = RGB(2, 3, 4);
    EXPECT_EQ(TGraphicsProvider::MixColors(a, b, 0), a);
    EXPECT_EQ(TGraphicsProvider::MixColors(a, b, 1), b);
    // 1.5 -> 2, 2.5 -> 2, 3.5 -> 4
    EXPECT_EQ(TGraphicsProvider::MixColors(a, b, 0.5), RGB(2, 2, 4));
    EXPECT_EQ(TGraphicsProvider::MixColors(RGB(0, 0, 0), RGB(1, 3, 5), 0.5), RGB(0, 2, 2));
}

TEST(MixColors, QuarterOfTheHighlight) {
    // The painter's alpha-blended selection: 75 % window, 25 % highlight (classic 0x800000).
    EXPECT_EQ(TGraphicsProvider::MixColors(clWindow, clHighlight, 0.25), RGB(191, 191, 223));
    EXPECT_EQ(TGraphicsProvider::MixColors(RGB(100, 0, 255), RGB(0, 100, 55), 0.3), RGB(70, 30, 195));
}
