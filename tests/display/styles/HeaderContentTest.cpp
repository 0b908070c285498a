// Glyph, caption and sort arrow placement inside header cells, and the sort arrow shapes.
#include <vector>

#include "grid/display/styles/DefaultStyleDisplay.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/shared/GraphicsProvider.h"

#include "display/DisplayFixture.h"

namespace tolvane::testing {
namespace {

struct ArrowCall {
    int X, Y;
    bool Ascending;
};

class RecordingDisplay : public TDefaultStyleDisplay {
public:
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
    void PaintSortArrow(int x, int y, bool ascending) override {
        Arrows.push_back({x, y, ascending});
        TDefaultStyleDisplay::PaintSortArrow(x, y, ascending);
    }
    std::vector<ArrowCall> Arrows;
};

class HeaderContent : public DisplayFixture {
protected:
    HeaderContent() : Column(Columns.Add<TTextualColumn>()), Display(nullptr) { Display.Canvas = &Canvas(); }
    TTextualColumn& Column;
    RecordingDisplay Display;
};

TEST_F(HeaderContent, ArrowLeftOutWhenCaptionDoesNotLeaveRoom) {
    Column.Header().SetCaption("Sorted caption");
    Column.SetSorted(true);
    const int arrowX = 10 + 2 + Canvas().TextWidth("Sorted caption") + 19;

    Display.PaintHeaderContent(Column, {10, 0, arrowX + 8, 20});
    EXPECT_TRUE(Display.Arrows.empty());

    Display.PaintHeaderContent(Column, {10, 0, arrowX + 9, 20});
    ASSERT_EQ(Display.Arrows.size(), 1u);
    EXPECT_EQ(Display.Arrows[0].X, arrowX);
    EXPECT_EQ(Display.Arrows[0].Y, 0 + 20 / 2 - 4);
    EXPECT_TRUE(Display.Arrows[0].Ascending);
}

TEST_F(HeaderContent, ImageOnlyHeaderWithEmptyGlyphPlacesArrowAfterFixedGap) {
    Column.Header().SetDisplayMode(dmImageOnly);
    Column.SetSorted(true);
    Column.SetSortKind(skDescending);
    Display.PaintHeaderContent(Column, {30, 5, 130, 26});
    ASSERT_EQ(Display.Arrows.size(), 1u);
    EXPECT_EQ(Display.Arrows[0].X, 30 + 21);
    EXPECT_EQ(Display.Arrows[0].Y, 5 + 21 / 2 - 4);
    EXPECT_FALSE(Display.Arrows[0].Ascending);
}

TEST_F(HeaderContent, TextAndImageArrowCountsGlyphAndCaption) {
    TBitmap glyph(6, 6);
    Column.Header().SetGlyph(glyph);
    Column.Header().SetDisplayMode(dmTextAndImage);
    Column.Header().SetCaption("Ab");
    Column.SetSorted(true);
    Display.Themed = true;
    Display.PaintHeaderContent(Column, {0, 0, 200, 20});
    ASSERT_EQ(Display.Arrows.size(), 1u);
    EXPECT_EQ(Display.Arrows[0].X, 2 + 6 + Canvas().TextWidth("Ab") + 21) << "the indent does not count";
    EXPECT_EQ(Display.Arrows[0].Y, 20 / 2 - 4 + 1);
}

TEST_F(HeaderContent, NoArrowWhenSortArrowsAreOff) {
    Column.SetSorted(true);
    Display.ShowSortArrow = false;
    Display.PaintHeaderContent(Column, {0, 0, 200, 20});
    EXPECT_TRUE(Display.Arrows.empty());
    EXPECT_EQ(Display.HeaderIndent(Column), 0);
}

TEST_F(HeaderContent, HeaderIndentByLookAndMode) {
    EXPECT_EQ(Display.HeaderIndent(Column), 2);
    Display.Themed = true;
    EXPECT_EQ(Display.HeaderIndent(Column), 11);
    Column.Header().SetDisplayMode(dmTextAndImage);
    EXPECT_EQ(Display.HeaderIndent(Column), 2);
    Display.ShowPressed = false;
    EXPECT_EQ(Display.HeaderIndent(Column), 0);
}

// The caption starts where DrawTextEllipsis would start it at the expected offset.
TEST_F(HeaderContent, CaptionStartsTwelvePixelsInWhenThemedAndThreeWhenClassic) {
    Column.Header().SetCaption("Mw");
    Canvas().Font.Color = clBlack;
    TBitmap reference(300, 60);
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed);
        Clear(clWhite);
        Display.Themed = themed;
        Display.PaintHeaderContent(Column, {20, 0, 120, 20});

        reference.Canvas().Brush.Color = clWhite;
        reference.Canvas().FillRect({0, 0, 300, 60});
        reference.Canvas().Font = Canvas().Font;
        const int offset = themed ? 12 : 3;
        TGraphicsProvider::DrawTextEllipsis(reference.Canvas(), {20 + offset, 0, 120, 20}, false, "Mw",
                                            taLeftJustify);
        int expected = -1;
        for (int x = 0; x < 120 && expected < 0; ++x)
            for (int y = 0; y < 20; ++y)
                if (reference.GetPixel(x, y) != Rgb(clWhite)) {
                    expected = x;
                    break;
                }
        ASSERT_GE(expected, 20 + offset);
        EXPECT_EQ(FirstInkColumn({0, 0, 120, 20}, clWhite), expected);
    }
}

TEST_F(HeaderContent, GlyphIsCentredVerticallyAfterIndentAndMadeTransparent) {
    TBitmap glyph(4, 6);
    glyph.Canvas().Brush.Color = clRed;
    glyph.Canvas().FillRect({0, 0, 4, 6});
    glyph.SetPixel(0, 5, clBlue); // bottom-left: the transparent colour
    Column.Header().SetGlyph(glyph);
    Column.Header().SetDisplayMode(dmImageOnly);
    Display.PaintHeaderContent(Column, {10, 0, 100, 20});
    // x = 10 + indent 2 + 1; y = 20 / 2 - 6 / 2
    EXPECT_TRUE(Column.Header().Glyph().Transparent());
    EXPECT_EQ(Pixel(13, 7), Rgb(clRed));
    EXPECT_EQ(Pixel(16, 12), Rgb(clRed));
    EXPECT_EQ(Pixel(13, 12), Rgb(clWhite)) << "the transparent colour is left out";
    EXPECT_EQ(Pixel(12, 7), Rgb(clWhite));
    EXPECT_EQ(Pixel(13, 6), Rgb(clWhite));
}

struct ArrowShape {
    bool Themed;
    bool Ascending;
    std::vector<std::pair<TPoint, TColor>> Pixels; // offsets from (x, y)
};

class SortArrowShapes : public DisplayFixture, public ::testing::WithParamInterface<ArrowShape> {};

TEST_P(SortArrowShapes, DrawnPixels) {
    const ArrowShape& shape = GetParam();
    TDefaultStyleDisplay display(nullptr);
    display.Canvas = &Canvas();
    display.Themed = shape.Themed;
    display.PaintSortArrow(20, 20, shape.Ascending);
    for (const auto& [offset, color] : shape.Pixels)
        EXPECT_EQ(Pixel(20 + offset.X, 20 + offset.Y), Rgb(color)) << offset.X << "," << offset.Y;
}

INSTANTIATE_TEST_SUITE_P(
    Looks, SortArrowShapes,
    ::testing::Values(
        // Classic ascending: the shadow runs along the bottom and up the left slope, the light
        // up the right slope; the polylines leave out their last points.
        ArrowShape{false,
                   true,
                   {{{7, 6}, clBtnShadow},
                    {{0, 6}, clBtnShadow},
                    {{1, 4}, clBtnShadow},
                    {{3, 0}, clBtnShadow},
                    {{3, -1}, clWhite},
                    {{7, 5}, clBtnHighlight},
                    {{5, 2}, clBtnHighlight},
                    {{4, 0}, clBtnHighlight},
                    {{4, -1}, clWhite},
                    {{8, 6}, clWhite}}},
        ArrowShape{false,
                   false,
                   {{{7, 0}, clBtnShadow},
                    {{0, 0}, clBtnShadow},
                    {{1, 2}, clBtnShadow},
                    {{3, 6}, clBtnShadow},
                    {{3, 7}, clWhite},
                    {{7, 1}, clBtnHighlight},
                    {{5, 4}, clBtnHighlight},
                    {{4, 6}, clBtnHighlight},
                    {{4, 7}, clWhite}}},
        // Themed: filled grey triangles.
        ArrowShape{true,
                   true,
                   {{{4, 0}, clGrayText}, {{4, 3}, clGrayText}, {{1, 4}, clGrayText}, {{0, 0}, clWhite}}},
        ArrowShape{true,
                   false,
                   {{{4, 4}, clGrayText}, {{4, 1}, clGrayText}, {{1, 0}, clGrayText}, {{0, 4}, clWhite}}}));

} // namespace
} // namespace tolvane::testing
