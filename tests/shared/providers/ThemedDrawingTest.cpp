#include <gtest/gtest.h>

#include "grid/host/ThemePainter.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"
#include "tests/shared/providers/PixelMap.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr TColor Background = 0x123456;

// Read during static initialisation, before any test could have bound the theme engine.
const bool AvailableBeforeLoading = ThemesAvailable();

// The bounding box of the pixels that differ from the background; empty when none do.
TRect ChangedArea(const TBitmap& b) {
    TRect r{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) != Background) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.IsEmpty() ? TRect{} : r;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
}

class Themed : public ::testing::Test {
protected:
    void SetUp() override {
        LoadThemeLibrary();
        wasEnabled = ThemesEnabled();
        SetThemesEnabled(true);
    }
    void TearDown() override { SetThemesEnabled(wasEnabled); }
    bool wasEnabled = true;
};

} // namespace

TEST(ThemesSupport, UnavailableUntilLoaded) {
    EXPECT_FALSE(AvailableBeforeLoading);
}

TEST_F(Themed, AvailableWhileSwitchedOn) {
    EXPECT_TRUE(ThemeLibraryLoaded());
    EXPECT_TRUE(ThemesAvailable());
    SetThemesEnabled(false);
    EXPECT_FALSE(ThemesAvailable());
    LoadThemeLibrary(); // a second load changes nothing
    SetThemesEnabled(true);
    EXPECT_TRUE(ThemesAvailable());
}

TEST_F(Themed, CheckBoxIsThirteenPixelsAndFollowsItsState) {
    auto draw = [](bool hot, bool pressed, bool checked) {
        TBitmap b = FilledBitmap(24, 24, Background);
        TGraphicsProvider::DrawCheckBox(b.Canvas(), hot, pressed, checked, vaMiddle, taCenter,
                                        TRect{0, 0, 20, 20});
        return b;
    };
    const TBitmap unchecked = draw(false, false, false);
    const TBitmap checked = draw(false, false, true);
    // 13 x 13 centred in 20 x 20 at (4, 4).
    for (const TBitmap* b : {&unchecked, &checked}) {
        const TRect changed = ChangedArea(*b);
        EXPECT_FALSE(changed.IsEmpty());
        EXPECT_EQ(changed.Intersect(TRect{4, 4, 17, 17}), changed);
        EXPECT_GE(changed.Width(), 10);
    }
    EXPECT_FALSE(SamePixels(unchecked, checked));
    // Placed by the alignments with a margin of 2.
    TBitmap corner = FilledBitmap(24, 24, Background);
    TGraphicsProvider::DrawCheckBox(corner.Canvas(), false, false, true, vaBottom, taRightJustify,
                                    TRect{0, 0, 24, 24});
    const TRect changed = ChangedArea(corner);
    EXPECT_EQ(changed.Intersect(TRect{9, 9, 22, 22}), changed);
    EXPECT_FALSE(changed.IsEmpty());
}

TEST_F(Themed, ThemeElementStaysInItsRectangle) {
    TBitmap b = FilledBitmap(40, 30, Background);
    DrawThemeElement(b.Canvas(), TRect{5, 5, 35, 25}, 1, 1, "header");
    const TRect changed = ChangedArea(b);
    EXPECT_FALSE(changed.IsEmpty());
    EXPECT_EQ(changed.Intersect(TRect{5, 5, 35, 25}), changed);
}
