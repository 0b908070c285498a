// A text far longer than any screen is laid out only as far as it can be seen: drawn, it looks
// exactly as the part that shows drawn alone, and it measures as its cut.
#include <gtest/gtest.h>

#include <QImage>

#include "grid/base/ShownText.h"
#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/host/SystemColors.h"

using namespace tolvane;

namespace {

const QString kPattern = QStringLiteral("Kaiba Mushishi "); // 15 characters
// Longer than both cuts (a line's and a wrapped text's), a whole number of patterns.
const QString kLong = kPattern.repeated(int(MaxShownWrappedChars / kPattern.size()) * 3);

QImage Drawn(const QString& text, unsigned flags) {
    TBitmap bitmap(200, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(Rect(0, 0, 200, 40));
    canvas.Brush.Style = bsClear;
    TRect r = Rect(5, 5, 195, 35);
    canvas.DrawText(text, r, flags);
    return bitmap.Image().copy();
}

struct LongTextCase {
    const char* name;
    unsigned flags;
    QString shown; // the part of kLong that can be seen in 190 pixels
};

class LongText : public ::testing::TestWithParam<LongTextCase> {};

TEST_P(LongText, LooksAsThePartThatShowsAndMeasuresAsItsCut) {
    const LongTextCase& c = GetParam();
    EXPECT_EQ(Drawn(kLong, c.flags), Drawn(c.shown, c.flags));

    TBitmap bitmap(10, 10);
    EXPECT_EQ(bitmap.Canvas().TextWidth(kLong), bitmap.Canvas().TextWidth(kLong.left(MaxShownLineChars)));
}

constexpr unsigned kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

INSTANTIATE_TEST_SUITE_P(
    Alignments, LongText,
    ::testing::Values(LongTextCase{"ElidedLeft", kLine | DT_END_ELLIPSIS, kLong.left(300)},
                      LongTextCase{"ElidedRightShowsTheStart", kLine | DT_RIGHT | DT_END_ELLIPSIS, kLong.left(300)},
                      LongTextCase{"ClippedLeft", kLine, kLong.left(300)},
                      LongTextCase{"ElidedWithTabs", kLine | DT_EXPANDTABS | DT_END_ELLIPSIS,
                                   kLong.left(300)},
                      LongTextCase{"Wrapped", DT_WORDBREAK | DT_NOPREFIX, kLong.left(3000)}),
    [](const auto& info) { return std::string(info.param.name); });

// A right-aligned text that runs out of its cell shows its end, a centred one its middle. (Their
// pictures are not compared: where they start depends on the rounding of the whole width.)
TEST(LongText, AClippedTextKeepsThePartItsAlignmentShows) {
    EXPECT_EQ(ShownTextFor(kLong, kLine | DT_RIGHT), kLong.right(MaxShownLineChars));
    EXPECT_EQ(ShownTextFor(kLong, kLine | DT_RIGHT | DT_END_ELLIPSIS), kLong.left(MaxShownLineChars));
    const qsizetype from = (kLong.size() - MaxShownLineChars) / 2;
    EXPECT_EQ(ShownTextFor(kLong, kLine | DT_CENTER), kLong.mid(from, MaxShownLineChars));
    EXPECT_EQ(ShownTextFor(kLong, DT_WORDBREAK), kLong.left(MaxShownWrappedChars));
}

TEST(LongText, ACutNeverSplitsACharacterOfTwoUnits) {
    const QString pairs = QString::fromUtf8("😀").repeated(10); // 20 units
    EXPECT_EQ(ShownText(pairs, spStart, 5), pairs.left(4));
    EXPECT_EQ(ShownText(pairs, spEnd, 5), pairs.right(4));
    EXPECT_EQ(ShownText(pairs, spMiddle, 5).size(), 4);
    EXPECT_TRUE(ShownText(pairs, spMiddle, 5).isValidUtf16());
    EXPECT_EQ(ShownText(pairs, spStart, 20), pairs);
}

} // namespace
