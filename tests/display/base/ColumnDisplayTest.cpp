// The display and play bases: text placement, hint mark, background, and the play's protocol.

#include <gtest/gtest.h>

#include "grid/host/Canvas.h"
#include "grid/display/base/ColumnPlay.h"
#include "model/columns/FakeColumnsOwner.h"

namespace tolvane::testing {
namespace {

struct Surface {
    TBitmap bitmap;
    PlainColumn column;
    NullDisplay& display;

    Surface(int w, int h) : bitmap(w, h), display(static_cast<NullDisplay&>(*column.Display())) {
        bitmap.Canvas().Brush.Color = clWhite;
        bitmap.Canvas().FillRect({0, 0, w, h});
        display.Canvas = &bitmap.Canvas();
        display.CellRect = {0, 0, w, h};
    }
    TColor Pixel(int x, int y) {
        bitmap.Canvas().Flush();
        return bitmap.GetPixel(x, y);
    }
    // The bounding box of the pixels that are no longer white.
    TRect Inked() {
        bitmap.Canvas().Flush();
        TRect box{bitmap.Width(), bitmap.Height(), -1, -1};
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (bitmap.GetPixel(x, y) != clWhite) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
};

TEST(ColumnDisplay, TextRectNarrowsTheCellByTwoEachSide) {
    PlainColumn column;
    column.Display()->CellRect = {10, 5, 90, 25};
    TRect r;
    column.Display()->GetTextRect(r);
    EXPECT_EQ(r, (TRect{12, 5, 88, 25}));
}

struct FlagCase {
    TAlignment alignment;
    TVerticalAlignment vertical;
    TWrapKind wrap;
    int rightToLeft;
    unsigned expected;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << "alignment " << c.alignment << ", vertical " << c.vertical << ", wrap " << c.wrap << ", rtl "
        << c.rightToLeft;
}

class DrawTextFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(DrawTextFlags, FollowTheColumnSettings) {
    const FlagCase& c = GetParam();
    PlainColumn column;
    column.SetAlignment(c.alignment);
    column.SetVerticalAlignment(c.vertical);
    column.SetWrapKind(c.wrap);
    column.Display()->RightToLeft = c.rightToLeft;
    EXPECT_EQ(column.Display()->TextFlags(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DrawTextFlags,
    ::testing::Values(
        FlagCase{taRightJustify, vaMiddle, wkEllipsis, 0,
                 DT_NOPREFIX | DT_RIGHT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER},
        FlagCase{taLeftJustify, vaTop, wkNone, 0, DT_NOPREFIX | DT_LEFT | DT_SINGLELINE | DT_TOP},
        FlagCase{taCenter, vaBottom, wkNone, 1,
                 DT_NOPREFIX | DT_CENTER | DT_SINGLELINE | DT_BOTTOM | DT_RTLREADING},
        // Wrapped text always starts at the top, whatever the vertical alignment.
        FlagCase{taLeftJustify, vaBottom, wkWordWrap, 0, DT_NOPREFIX | DT_LEFT | DT_WORDBREAK}));

TEST(ColumnDisplay, DrawTextRightAlignedAndCentredOnAClearBrush) {
    Surface s(120, 40);
    s.column.SetAlignment(taRightJustify);
    s.column.SetVerticalAlignment(vaMiddle);
    s.display.Canvas->Brush.Color = clRed; // a solid brush would paint the text background
    s.display.DrawText("ab", s.display.CellRect);
    const TRect ink = s.Inked();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Left, 80);
    EXPECT_GT(ink.Top, 5);
    EXPECT_LT(ink.Bottom, 35);
    for (int x = 0; x < 120; ++x) EXPECT_NE(s.Pixel(x, 20), clRed);
    EXPECT_EQ(s.display.Canvas->Brush.Style, bsSolid);
}

TEST(ColumnDisplay, EllipsisKeepsLongTextOnOneLineInsideTheRectangle) {
    Surface s(200, 60);
    s.column.SetAlignment(taRightJustify);
    const TRect target{20, 0, 80, 60};
    s.display.DrawText("a rather long text that cannot fit in sixty pixels", target);
    const TRect ink = s.Inked();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, target.Left);
    EXPECT_LE(ink.Right, target.Right);
    EXPECT_LT(ink.Height(), 20);
    EXPECT_GT(ink.Top, 15);
}

TEST(ColumnDisplay, WrappedTextStartsAtTheTop) {
    Surface s(60, 80);
    s.column.SetWrapKind(wkWordWrap);
    s.column.SetVerticalAlignment(vaBottom);
    s.display.DrawText("one two three four five", s.display.CellRect);
    const TRect ink = s.Inked();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_LT(ink.Top, 10);
    EXPECT_GT(ink.Bottom, 20); // more than one line
}

TEST(ColumnDisplay, HintMarkIsARedTriangleInTheTopRightCorner) {
    Surface s(40, 30);
    s.display.CellRect = {10, 10, 30, 30};
    s.display.DrawHintMark();
    EXPECT_EQ(s.Pixel(28, 10), clRed);
    EXPECT_EQ(s.Pixel(28, 11), clRed);
    EXPECT_EQ(s.Pixel(24, 10), clWhite);
    EXPECT_EQ(s.Pixel(25, 13), clWhite);
    EXPECT_EQ(s.Pixel(30, 10), clWhite);
    const TRect ink = s.Inked();
    EXPECT_EQ(ink.Left, 25);
    EXPECT_EQ(ink.Top, 10);
    EXPECT_EQ(ink.Right, 30);
    // The corner pixel (R - 1, T + 4) is the outline's; the platform may leave it out.
    EXPECT_GE(ink.Bottom, 14);
    EXPECT_LE(ink.Bottom, 15);
}

TEST(ColumnDisplay, FillBackgroundFillsOrFrames) {
    Surface s(20, 20);
    s.display.CellRect = {2, 2, 18, 18};
    s.display.FillBackground(clBlue, false);
    EXPECT_EQ(s.Pixel(2, 2), clBlue);
    EXPECT_EQ(s.Pixel(17, 17), clBlue);
    EXPECT_EQ(s.Pixel(10, 10), clWhite);
    EXPECT_EQ(s.Pixel(18, 18), clWhite);
    s.display.FillBackground(clGreen, true);
    EXPECT_EQ(s.Pixel(10, 10), clGreen);
    EXPECT_EQ(s.Inked(), (TRect{2, 2, 18, 18}));
}

class TogglePlay : public TColumnPlay {
public:
    using TColumnPlay::TColumnPlay;
    void KeyPress(QChar& key) override {
        if (key == u' ') {
            BooleanValue = !BooleanValue;
            Change();
        }
    }
    void MouseClick(TMouseButton, TShiftState, int, int) override {}
};

class PlayingColumn : public TCustomColumn {
public:
    PlayingColumn()
        : TCustomColumn({nullptr, &CreateColumnDisplay<NullDisplay>, &CreateColumnPlay<TogglePlay>}) {}
};

TEST(ColumnPlay, ChangeReachesOnChangeAndRefreshRepaintsTheDisplay) {
    PlayingColumn column;
    ASSERT_NE(column.Play(), nullptr);
    TColumnPlay& play = *column.Play();
    QChar space(u' ');
    play.KeyPress(space); // no handler: nothing happens beyond the toggle

    int calls = 0;
    play.OnChange = [&](TColumnPlay& sender) {
        EXPECT_EQ(&sender, &play);
        ++calls;
    };
    play.KeyPress(space);
    EXPECT_EQ(calls, 1);

    auto& display = static_cast<NullDisplay&>(*column.Display());
    display.BooleanValue = true;
    play.BooleanValue = false;
    play.Refresh();
    EXPECT_TRUE(play.BooleanValue);
    EXPECT_EQ(display.paints, 1);
}

} // namespace
} // namespace tolvane::testing
