// Header, header-section and tail backgrounds of the three looks.
#include "grid/host/CustomControl.h"
#include "grid/display/styles/DefaultStyleDisplay.h"
#include "grid/display/styles/FlatStyleDisplay.h"
#include "grid/display/styles/OldStyleDisplay.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/shared/ThemesSupport.h"

#include "display/DisplayFixture.h"

namespace tolvane::testing {
namespace {

constexpr TColor headerColor = 0x3050C0;

class HeaderLooks : public DisplayFixture {
protected:
    TTextualColumn& AddColumn() {
        auto& column = Columns.Add<TTextualColumn>();
        column.Header().SetColor(headerColor);
        return column;
    }
    TRect HeaderRect(const TCustomColumn& column) {
        return {column.Left(), 0, column.Left() + column.Width(), 20};
    }
};

TEST_F(HeaderLooks, OnlyVisibleColumnGetsFullFrame) {
    auto& column = AddColumn();
    TDefaultStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    display.PaintHeaderCell(column, HeaderRect(column)); // (0, 0, 80, 20)

    EXPECT_EQ(Pixel(0, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(0, 18), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(40, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(79, 1), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(79, 18), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(40, 19), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(40, 10), headerColor);
    EXPECT_EQ(Pixel(80, 10), Rgb(clWhite));
}

TEST_F(HeaderLooks, InnerEdgesOfThreeColumnsLeaveGaps) {
    auto& first = AddColumn();
    auto& middle = AddColumn();
    auto& last = AddColumn();
    TDefaultStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    for (TCustomColumn* c : {&first, &middle, &last}) display.PaintHeaderCell(*c, HeaderRect(*c));

    // First: full left edge, gapped right edge.
    EXPECT_EQ(Pixel(0, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(0, 18), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(79, 1), headerColor);
    EXPECT_EQ(Pixel(79, 2), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(79, 17), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(79, 18), headerColor);

    // Middle: gapped on both sides.
    EXPECT_EQ(Pixel(80, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(80, 1), headerColor);
    EXPECT_EQ(Pixel(80, 2), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(80, 17), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(80, 18), headerColor);
    EXPECT_EQ(Pixel(80, 19), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(159, 1), headerColor);
    EXPECT_EQ(Pixel(159, 2), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(159, 18), headerColor);

    // Last: gapped left edge, full right edge.
    EXPECT_EQ(Pixel(160, 1), headerColor);
    EXPECT_EQ(Pixel(239, 1), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(239, 18), Rgb(clBtnShadow));
}

TEST_F(HeaderLooks, FlatLookHasGreyRightAndBottomLinesAndNoFeatures) {
    auto& column = AddColumn();
    AddColumn();
    TFlatStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    EXPECT_TRUE(display.HeaderFeatures().Empty());

    Grid.Pressed = 0;
    display.PaintHeaderCell(column, HeaderRect(column));
    EXPECT_EQ(Pixel(0, 0), headerColor);
    EXPECT_EQ(Pixel(40, 10), headerColor) << "a pressed flat header is not inverted";
    EXPECT_EQ(Pixel(79, 0), Rgb(clGrayText));
    EXPECT_EQ(Pixel(79, 18), Rgb(clGrayText));
    EXPECT_EQ(Pixel(0, 19), Rgb(clGrayText));
}

TEST_F(HeaderLooks, ClassicPressedHeaderIsInverted) {
    auto& column = AddColumn();
    AddColumn();
    TDefaultStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    EXPECT_EQ(display.HeaderFeatures(), THeaderFeatures{hfInvertPressed});

    Grid.Pressed = 0;
    display.PaintHeaderCell(column, HeaderRect(column));
    EXPECT_EQ(Pixel(40, 10), headerColor ^ 0xFFFFFF);
    EXPECT_EQ(Pixel(79, 10), Rgb(clBtnShadow)) << "the right column of the cell stays as drawn";

    display.ShowPressed = false;
    display.PaintHeaderCell(column, HeaderRect(column));
    EXPECT_EQ(Pixel(40, 10), headerColor);
}

TEST_F(HeaderLooks, OldLookIgnoresHeaderColourAndUsesDarkFrame) {
    auto& column = AddColumn();
    TOldStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    EXPECT_EQ(display.HeaderFeatures(), THeaderFeatures{hfInvertPressed});
    display.PaintHeaderCell(column, HeaderRect(column));
    EXPECT_EQ(Pixel(40, 10), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(0, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(79, 10), Rgb(clWindowFrame));
    EXPECT_EQ(Pixel(40, 19), Rgb(clWindowFrame));
}

TEST_F(HeaderLooks, ThemedDefaultTracksHotHeaders) {
    TDefaultStyleDisplay display(nullptr);
    display.Themed = true;
    EXPECT_EQ(display.HeaderFeatures(), THeaderFeatures{hfHotTrack});
}

// The themed background is the header item in the state of the column: normal, hot or pressed.
TEST_F(HeaderLooks, ThemedHeaderIsTheHeaderItemInItsState) {
    auto& column = AddColumn();
    AddColumn();
    TDefaultStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    display.Themed = true;
    TBitmap reference(80, 20);
    for (int state : {1, 2, 3}) {
        SCOPED_TRACE(state);
        Grid.Hot = state == 2 ? 0 : -1;
        Grid.Pressed = state == 3 ? 0 : -1;
        Clear(clWhite);
        display.PaintHeaderCell(column, HeaderRect(column));
        reference.Canvas().Brush.Color = clWhite;
        reference.Canvas().FillRect({0, 0, 80, 20});
        DrawThemeElement(reference.Canvas(), {0, 0, 80, 20}, state, 1, "header");
        int differing = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 80; ++x) differing += Pixel(x, y) != reference.GetPixel(x, y);
        EXPECT_EQ(differing, 0) << "drawn as the item, not inverted";
        EXPECT_FALSE(All({0, 0, 80, 20}, clWhite));
    }
}

TEST_F(HeaderLooks, HeaderSections) {
    TStyleDisplay plain(nullptr);
    TFlatStyleDisplay flat(nullptr);
    TOldStyleDisplay old(nullptr);
    TDefaultStyleDisplay classic(nullptr);
    for (TStyleDisplay* d : std::initializer_list<TStyleDisplay*>{&plain, &flat, &old, &classic})
        d->Canvas = &Canvas();

    plain.PaintHeaderSection({0, 0, 12, 20});
    EXPECT_TRUE(All({0, 0, 12, 20}, clBtnFace)) << "no owner: button face";

    flat.PaintHeaderSection({20, 0, 32, 20});
    EXPECT_EQ(Pixel(25, 5), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(31, 5), Rgb(clGrayText));
    EXPECT_EQ(Pixel(20, 19), Rgb(clGrayText));

    old.PaintHeaderSection({40, 0, 52, 20});
    EXPECT_EQ(Pixel(51, 5), Rgb(clWindowFrame));

    classic.PaintHeaderSection({60, 0, 72, 20});
    EXPECT_EQ(Pixel(60, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(71, 5), Rgb(clBtnShadow));
}

TEST_F(HeaderLooks, PlainSectionsAndUnthemedTailTakeOwnerColour) {
    TCustomControl owner;
    owner.SetColor(0x123456);
    TStyleDisplay plain(&owner);
    TDefaultStyleDisplay classic(&owner);
    plain.Canvas = classic.Canvas = &Canvas();
    plain.PaintHeaderSection({0, 0, 12, 20});
    classic.PaintHeaderTail({20, 0, 60, 20});
    EXPECT_TRUE(All({0, 0, 12, 20}, 0x123456));
    EXPECT_TRUE(All({20, 0, 60, 20}, 0x123456));

    classic.Themed = true;
    classic.PaintHeaderTail({20, 0, 60, 20});
    EXPECT_FALSE(All({20, 0, 60, 20}, 0x123456)) << "themed: the header item-left part";
}

TEST_F(HeaderLooks, GridLinesRunAlongBottomAndRightInside) {
    TStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    display.PaintGridLines({10, 10, 30, 20}, clRed);
    EXPECT_TRUE(All({10, 19, 29, 20}, clRed));
    EXPECT_TRUE(All({29, 10, 30, 21}, clRed)) << "the right line reaches one pixel below the cell";
    EXPECT_EQ(Pixel(29, 21), Rgb(clWhite));
    EXPECT_EQ(Pixel(28, 18), Rgb(clWhite));
}

} // namespace
} // namespace tolvane::testing
