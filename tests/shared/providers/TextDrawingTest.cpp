#include <gtest/gtest.h>

#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/WideText.h"
#include "tests/shared/providers/PixelMap.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr TColor Background = 0xFFFFFF;

// Columns [first, last] and rows holding text-coloured pixels; first > last when there are none.
struct TInk {
    int Left = 1 << 20, Right = -1, Top = 1 << 20, Bottom = -1;
    bool Empty() const { return Right < Left; }
};

TInk InkOf(const TBitmap& b, TColor ink) {
    TInk r;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) == ink) {
                r.Left = std::min(r.Left, x);
                r.Right = std::max(r.Right, x);
                r.Top = std::min(r.Top, y);
                r.Bottom = std::max(r.Bottom, y);
            }
    return r;
}

TBitmap TextBitmap(int w, int h) {
    TBitmap b = FilledBitmap(w, h, Background);
    b.Canvas().Font.Color = clBlack;
    b.Canvas().Brush.Color = clRed;
    return b;
}

} // namespace

TEST(TextFlags, Ellipsis) {
    const unsigned base = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXTERNALLEADING | DT_END_ELLIPSIS;
    EXPECT_EQ(TGraphicsProvider::EllipsisTextFlags(false, taLeftJustify), base | DT_LEFT);
    EXPECT_EQ(TGraphicsProvider::EllipsisTextFlags(false, taRightJustify), base | DT_RIGHT);
    EXPECT_EQ(TGraphicsProvider::EllipsisTextFlags(true, taCenter), base | DT_CENTER | DT_RTLREADING);
}

TEST(TextFlags, Aligned) {
    EXPECT_EQ(TGraphicsProvider::AlignedTextFlags(false, vaTop, taLeftJustify), DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_EQ(TGraphicsProvider::AlignedTextFlags(false, vaMiddle, taRightJustify),
              DT_NOPREFIX | DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(TGraphicsProvider::AlignedTextFlags(true, vaBottom, taCenter),
              DT_NOPREFIX | DT_CENTER | DT_BOTTOM | DT_WORDBREAK);
}

TEST(TextDrawing, EllipsisCutsLongTextInsideTheRectangleWithoutBackground) {
    const QString text = "A rather long caption that cannot fit";
    const TRect r{10, 0, 70, 20};
    TBitmap cut = TextBitmap(100, 20);
    TGraphicsProvider::DrawTextEllipsis(cut.Canvas(), r, false, text, taLeftJustify);
    EXPECT_EQ(cut.Canvas().Brush.Style, bsSolid);
    const TInk ink = InkOf(cut, clBlack);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.Left, r.Left);
    EXPECT_LT(ink.Right, r.Right);
    EXPECT_TRUE(InkOf(cut, clRed).Empty()); // drawn with a clear brush

    // The same text only clipped looks different: the ellipsis replaced its end.
    TBitmap clipped = TextBitmap(100, 20);
    TRect rr = r;
    clipped.Canvas().Brush.Style = bsClear;
    clipped.Canvas().DrawText(text, rr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    bool differs = false;
    for (int x = r.Left; x < r.Right && !differs; ++x)
        for (int y = 0; y < 20 && !differs; ++y) differs = cut.GetPixel(x, y) != clipped.GetPixel(x, y);
    EXPECT_TRUE(differs);
}

TEST(TextDrawing, EllipsisAlignsHorizontallyAndCentresVertically) {
    const TRect r{0, 0, 200, 40};
    TBitmap right = TextBitmap(200, 40);
    TGraphicsProvider::DrawTextEllipsis(right.Canvas(), r, false, "ab", taRightJustify);
    const TInk ri = InkOf(right, clBlack);
    ASSERT_FALSE(ri.Empty());
    EXPECT_GT(ri.Left, 150);
    EXPECT_GT(ri.Top, 5);
    EXPECT_LT(ri.Bottom, 35);

    TBitmap centre = TextBitmap(200, 40);
    TGraphicsProvider::DrawTextEllipsis(centre.Canvas(), r, false, "ab", taCenter);
    const TInk ci = InkOf(centre, clBlack);
    ASSERT_FALSE(ci.Empty());
    EXPECT_GT(ci.Left, 80);
    EXPECT_LT(ci.Right, 120);
}

TEST(TextDrawing, AlignedTextBottomAndWrapped) {
    const TRect r{0, 0, 60, 80};
    TBitmap bottom = TextBitmap(60, 80);
    TGraphicsProvider::DrawTextAligned(bottom.Canvas(), r, "xy", false, vaBottom, taLeftJustify);
    EXPECT_EQ(bottom.Canvas().Brush.Style, bsSolid);
    const TInk bi = InkOf(bottom, clBlack);
    ASSERT_FALSE(bi.Empty());
    EXPECT_GT(bi.Top, 50);
    EXPECT_TRUE(InkOf(bottom, clRed).Empty());

    TBitmap single = TextBitmap(60, 80);
    TBitmap wrapped = TextBitmap(60, 80);
    const QString words = "one two three four five six";
    TGraphicsProvider::DrawTextAligned(single.Canvas(), r, words, false, vaTop, taLeftJustify);
    TGraphicsProvider::DrawTextAligned(wrapped.Canvas(), r, words, true, vaTop, taLeftJustify);
    const TInk si = InkOf(single, clBlack), wi = InkOf(wrapped, clBlack);
    ASSERT_FALSE(si.Empty());
    ASSERT_FALSE(wi.Empty());
    EXPECT_GT(wi.Bottom - wi.Top, 2 * (si.Bottom - si.Top)); // several lines
}

TEST(TextDrawing, NarrowTextPathKeepsWhatTheCodePageHolds) {
    EXPECT_TRUE(UseWideTextApi);
    EXPECT_EQ(PlatformText("Grid 42"), QString("Grid 42"));
    UseWideTextApi = false;
    EXPECT_EQ(PlatformText("Grid 42"), QString("Grid 42"));
    UseWideTextApi = true;
}
