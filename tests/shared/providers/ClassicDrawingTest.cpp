// Pixel tests of the classic (unthemed) drawing routines, in the classic system palette.
#include <gtest/gtest.h>

#include "grid/host/SystemColors.h"
#include "grid/host/ThemePainter.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"
#include "tests/shared/providers/PixelMap.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr TColor Background = 0x123456;

// H highlight (white), F face, S shadow, K window frame / window text (black), W window, . background
const std::map<char, TColor> Legend{
    {'.', Background}, {'H', 0xFFFFFF}, {'F', 0xC0C0C0}, {'S', 0x808080}, {'K', 0x000000}};

class ClassicDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        UseClassicSystemColors();
        wasEnabled = ThemesEnabled();
        SetThemesEnabled(false);
    }
    void TearDown() override { SetThemesEnabled(wasEnabled); }
    bool wasEnabled = true;
};

} // namespace

TEST_F(ClassicDrawing, ButtonFace) {
    TBitmap b = FilledBitmap(8, 6, Background);
    TGraphicsProvider::DrawButtonFace(b.Canvas(), TRect{1, 1, 7, 5}, false);
    // clang-format off
    const std::vector<std::string> expected{
        "........",
        ".HHHHHS.",
        ".HFFFFS.",
        ".HFFFFS.",
        ".SSSSSS.",
        "........",
    };
    // clang-format on
    EXPECT_EQ(ReadMapLike(expected, b, Legend), expected);
}

TEST_F(ClassicDrawing, DarkButtonFace) {
    TBitmap b = FilledBitmap(6, 4, Background);
    TGraphicsProvider::DrawButtonFace(b.Canvas(), TRect{0, 0, 6, 4}, true);
    // clang-format off
    const std::vector<std::string> expected{
        "HHHHHK",
        "HFFFFK",
        "HFFFFK",
        "KKKKKK",
    };
    // clang-format on
    EXPECT_EQ(ReadMapLike(expected, b, Legend), expected);
}

TEST_F(ClassicDrawing, IndicatorCell) {
    TBitmap b = FilledBitmap(12, 9, Background);
    TGraphicsProvider::DrawIndicatorCell(b.Canvas(), TRect{0, 1, 12, 7}, false, false, false);
    // clang-format off
    const std::vector<std::string> expected{
        "............",
        "HFHHHHHHHHFS",
        "HFFFFFFFFFFS",
        "HFFFFFFFFFFS",
        "HFFFFFFFFFFS",
        "HFFFFFFFFFFS",
        "HFSSSSSSSSFS",
        "H...........", // the left line reaches one pixel below the cell
        "............",
    };
    // clang-format on
    EXPECT_EQ(ReadMapLike(expected, b, Legend), expected);
}

TEST_F(ClassicDrawing, OldStyleIndicatorCellIsADarkButtonFace) {
    TBitmap b = FilledBitmap(12, 8, Background);
    TGraphicsProvider::DrawIndicatorCell(b.Canvas(), TRect{0, 1, 12, 7}, true, false, false);
    // clang-format off
    const std::vector<std::string> expected{
        "............",
        "HHHHHHHHHHHK",
        "HFFFFFFFFFFK",
        "HFFFFFFFFFFK",
        "HFFFFFFFFFFK",
        "HFFFFFFFFFFK",
        "KKKKKKKKKKKK",
        "............",
    };
    // clang-format on
    EXPECT_EQ(ReadMapLike(expected, b, Legend), expected);
}

TEST_F(ClassicDrawing, IndicatorMarkerPointsRightInTheMiddle) {
    for (bool oldStyle : {false, true}) {
        TBitmap b = FilledBitmap(12, 17, Background);
        TGraphicsProvider::DrawIndicatorCell(b.Canvas(), TRect{0, 0, 12, 17}, oldStyle, false, true);
        // 6 x 11 box centred: (3, 3); triangle (3, 3), (8, 8), (3, 13).
        for (TPoint p : {TPoint{3, 3}, TPoint{3, 8}, TPoint{3, 13}, TPoint{8, 8}, TPoint{5, 8}, TPoint{4, 4}})
            EXPECT_EQ(b.GetPixel(p.X, p.Y), clBlack) << p.X << "," << p.Y << " old " << oldStyle;
        for (TPoint p :
             {TPoint{2, 8}, TPoint{9, 8}, TPoint{3, 2}, TPoint{3, 14}, TPoint{5, 3}, TPoint{5, 13}})
            EXPECT_NE(b.GetPixel(p.X, p.Y), clBlack) << p.X << "," << p.Y << " old " << oldStyle;
    }
}

TEST_F(ClassicDrawing, InvertedIndicatorCellInvertsItsRectangleOnly) {
    for (bool marker : {false, true}) {
        TBitmap plain = FilledBitmap(12, 16, Background);
        TBitmap inverted = FilledBitmap(12, 16, Background);
        const TRect cell{0, 2, 12, 15};
        TGraphicsProvider::DrawIndicatorCell(plain.Canvas(), cell, false, false, marker);
        TGraphicsProvider::DrawIndicatorCell(inverted.Canvas(), cell, false, true, marker);
        EXPECT_EQ(inverted.Canvas().CopyMode, cmSrcCopy);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = cell.Contains({x, y});
                const TColor want = inside ? (plain.GetPixel(x, y) ^ 0xFFFFFFu) : plain.GetPixel(x, y);
                ASSERT_EQ(inverted.GetPixel(x, y), want) << x << "," << y;
            }
    }
}

namespace {
// The 11 x 11 classic box with its tick, from its top-left corner.
// clang-format off
const std::vector<std::string> CheckedBox{
    "SSSSSSSSSSS",
    "S.........S",
    "S.......K.S",
    "S......KK.S",
    "S.K...KKK.S",
    "S.KK.KKK..S",
    "S.KKKKK...S",
    "S..KKK....S",
    "S...K.....S",
    "S.........S",
    "SSSSSSSSSSS",
};
// clang-format on

std::vector<std::string> WithInside(std::vector<std::string> box, char inside, bool tick) {
    for (std::size_t y = 1; y + 1 < box.size(); ++y)
        for (std::size_t x = 1; x + 1 < box[y].size(); ++x)
            if (box[y][x] == '.' || (!tick && box[y][x] == 'K')) box[y][x] = inside;
    return box;
}

struct CheckCase {
    bool Pressed, Checked;
    TVerticalAlignment Vertical;
    TAlignment Horizontal;
    TPoint Corner;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << (c.Pressed ? "pressed " : "") << (c.Checked ? "checked " : "unchecked ") << "at " << c.Corner.X
        << "," << c.Corner.Y;
}
} // namespace

class ClassicCheckBox : public ClassicDrawing, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ClassicCheckBox, BoxAndTick) {
    const CheckCase& c = GetParam();
    TBitmap b = FilledBitmap(24, 24, Background);
    TGraphicsProvider::DrawCheckBox(b.Canvas(), false, c.Pressed, c.Checked, c.Vertical, c.Horizontal,
                                    TRect{1, 1, 21, 21});
    std::map<char, TColor> legend = Legend;
    legend['W'] = 0xFFFFFF;
    legend.erase('H');
    const auto expected = WithInside(CheckedBox, c.Pressed ? 'F' : 'W', c.Checked);
    EXPECT_EQ(ReadMap(b, legend, c.Corner.X, c.Corner.Y, 11, 11), expected);
    // Nothing around the box.
    const auto around = ReadMap(b, legend, c.Corner.X - 1, c.Corner.Y - 1, 13, 13);
    EXPECT_EQ(around.front(), std::string(13, '.'));
    EXPECT_EQ(around.back(), std::string(13, '.'));
    for (const std::string& row : around) {
        EXPECT_EQ(row.front(), '.');
        EXPECT_EQ(row.back(), '.');
    }
}

INSTANTIATE_TEST_SUITE_P(Providers, ClassicCheckBox,
                         ::testing::Values(CheckCase{false, true, vaMiddle, taCenter, {6, 6}},
                                           CheckCase{true, true, vaMiddle, taCenter, {6, 6}},
                                           CheckCase{false, false, vaMiddle, taCenter, {6, 6}},
                                           CheckCase{true, false, vaTop, taLeftJustify, {3, 3}},
                                           CheckCase{false, true, vaBottom, taRightJustify, {8, 8}}));

TEST_F(ClassicDrawing, GradientOfHeightZeroDrawsNothing) {
    TBitmap b = FilledBitmap(6, 4, Background);
    TGraphicsProvider::FillGradientVertical(b.Canvas(), TRect{0, 2, 6, 2}, clWhite, clBlack);
    TGraphicsProvider::FillGradientHorizontal(b.Canvas(), TRect{3, 0, 3, 4}, clWhite, clBlack);
    TGraphicsProvider::FillGradientVertical(b.Canvas(), TRect{0, 3, 6, 1}, clWhite, clBlack);
    EXPECT_EQ(ReadMap(b, Legend, 0, 0, 6, 4), std::vector<std::string>(4, "......"));
}

TEST_F(ClassicDrawing, GradientOfHeightOneIsTheStartColour) {
    TBitmap b = FilledBitmap(6, 3, Background);
    TGraphicsProvider::FillGradientVertical(b.Canvas(), TRect{1, 1, 5, 2}, clWhite, clBlack);
    const std::vector<std::string> expected{"......", ".KKKK.", "......"};
    EXPECT_EQ(ReadMapLike(expected, b, Legend), expected);
}

TEST_F(ClassicDrawing, VerticalGradientRamp) {
    TBitmap b = FilledBitmap(5, 6, Background);
    TGraphicsProvider::FillGradientVertical(b.Canvas(), TRect{1, 1, 4, 5}, RGB(200, 100, 40), clBlack);
    const TColor rows[] = {RGB(0, 0, 0), RGB(50, 25, 10), RGB(100, 50, 20), RGB(150, 75, 30)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b.GetPixel(0, 1 + i), Background);
        for (int x = 1; x < 4; ++x) EXPECT_EQ(b.GetPixel(x, 1 + i), rows[i]) << x << "," << i;
        EXPECT_EQ(b.GetPixel(4, 1 + i), Background);
    }
    EXPECT_EQ(b.GetPixel(2, 5), Background);
}

TEST_F(ClassicDrawing, HorizontalGradientRamp) {
    TBitmap b = FilledBitmap(6, 4, Background);
    // System colours are resolved: window white towards the classic highlight 0x800000.
    TGraphicsProvider::FillGradientHorizontal(b.Canvas(), TRect{1, 1, 5, 3}, clHighlight, clWindow);
    const TColor columns[] = {RGB(255, 255, 255), RGB(191, 191, 223), RGB(128, 128, 192), RGB(64, 64, 160)};
    for (int i = 0; i < 4; ++i)
        for (int y = 1; y < 3; ++y) EXPECT_EQ(b.GetPixel(1 + i, y), columns[i]) << i << "," << y;
    EXPECT_EQ(b.GetPixel(5, 1), Background);
    EXPECT_EQ(b.GetPixel(1, 3), Background);
}

TEST_F(ClassicDrawing, SolidFocusFrame) {
    TBitmap b = FilledBitmap(6, 5, Background);
    TGraphicsProvider::DrawFocusFrame(b.Canvas(), TRect{1, 1, 5, 5}, true);
    std::map<char, TColor> legend = Legend;
    legend['h'] = 0x800000;
    const std::vector<std::string> expected{"......", ".hhhh.", ".h..h.", ".h..h.", ".hhhh."};
    EXPECT_EQ(ReadMapLike(expected, b, legend), expected);
}

TEST_F(ClassicDrawing, DottedFocusFrameInvertsEveryOtherPixelAndRestoresTheColours) {
    TBitmap b = FilledBitmap(8, 8, clBlack);
    TCanvas& c = b.Canvas();
    c.Brush.Color = RGB(1, 2, 3);
    c.Font.Color = RGB(4, 5, 6);
    TGraphicsProvider::DrawFocusFrame(c, TRect{1, 1, 7, 7}, false);
    EXPECT_EQ(c.Brush.Color, RGB(1, 2, 3));
    EXPECT_EQ(c.Font.Color, RGB(4, 5, 6));
    int inverted = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool onFrame = TRect{1, 1, 7, 7}.Contains({x, y}) && !TRect{2, 2, 6, 6}.Contains({x, y});
            if (b.GetPixel(x, y) == clWhite) {
                ++inverted;
                EXPECT_TRUE(onFrame) << x << "," << y;
            } else {
                EXPECT_EQ(b.GetPixel(x, y), clBlack);
            }
        }
    EXPECT_GE(inverted, 8); // a dotted frame: about half of its 20 pixels
    EXPECT_LE(inverted, 12);
    // Drawn again it disappears.
    TGraphicsProvider::DrawFocusFrame(c, TRect{1, 1, 7, 7}, false);
    EXPECT_EQ(ReadMap(b, {{'.', clBlack}}, 0, 0, 8, 8), std::vector<std::string>(8, "........"));
}

TEST_F(ClassicDrawing, ClipToRectLimitsLaterDrawing) {
    TBitmap b = FilledBitmap(6, 3, Background);
    TCanvas& c = b.Canvas();
    TGraphicsProvider::ClipToRect(c, TRect{2, 0, 4, 3});
    c.Brush.Color = clBlack;
    c.FillRect(TRect{0, 0, 6, 3});
    c.ResetClip();
    EXPECT_EQ(ReadMap(b, Legend, 0, 0, 6, 3), std::vector<std::string>(3, "..KK.."));
}
