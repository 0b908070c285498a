// Input-row and footer cells.
#include "grid/display/styles/DefaultStyleDisplay.h"
#include "grid/model/columns/classes/TextualColumn.h"

#include "display/DisplayFixture.h"

namespace tolvane::testing {
namespace {

constexpr TColor columnColor = 0x40A040;

class FixedCells : public DisplayFixture {
protected:
    FixedCells()
        : First(Columns.Add<TTextualColumn>()), Second(Columns.Add<TTextualColumn>()), Display(nullptr) {
        Display.Canvas = &Canvas();
        for (TTextualColumn* c : {&First, &Second}) {
            c->SetColor(columnColor);
            c->SetInputCaption("WWWW");
        }
        Grid.Current = 0;
    }
    TTextualColumn& First;
    TTextualColumn& Second;
    TDefaultStyleDisplay Display;
};

TEST_F(FixedCells, CurrentColumnInputCellKeepsColumnLookWhileInputFocused) {
    Display.PaintInputCell(First, {0, 0, 80, 20}, true, true, false);
    EXPECT_EQ(Pixel(1, 1), columnColor);
    EXPECT_TRUE(Contains({0, 0, 80, 20}, clGrayText));
    EXPECT_FALSE(Contains({0, 0, 80, 20}, clHighlight));

    Display.PaintInputCell(Second, {80, 0, 160, 20}, true, true, false);
    EXPECT_EQ(Pixel(81, 1), Rgb(clHighlight));
    EXPECT_TRUE(Contains({80, 0, 160, 20}, clHighlightText));
}

TEST_F(FixedCells, InputCellColoursByFocus) {
    Display.PaintInputCell(Second, {0, 0, 80, 20}, false, true, false);
    EXPECT_EQ(Pixel(1, 1), Rgb(clBtnFace)) << "grid not focused";
    Display.PaintInputCell(Second, {0, 0, 80, 20}, true, false, false);
    EXPECT_EQ(Pixel(1, 1), columnColor) << "input row not focused";
    EXPECT_TRUE(Contains({0, 0, 80, 20}, clGrayText));
}

TEST_F(FixedCells, FocusedInputRowWithGridLinesLeavesRoomForHighlightLines) {
    Display.PaintInputCell(Second, {0, 0, 80, 20}, true, true, true);
    EXPECT_EQ(Pixel(79, 5), Rgb(clHighlight));
    EXPECT_EQ(Pixel(5, 19), Rgb(clHighlight));
    EXPECT_EQ(Pixel(79, 20), Rgb(clHighlight));
}

TEST_F(FixedCells, EditedInputCellIsOnlyFramed) {
    Second.SetInputEditing(true);
    Second.SetInputCaption("");
    Display.PaintInputCell(Second, {0, 0, 80, 20}, true, true, false);
    EXPECT_EQ(Pixel(0, 0), columnColor);
    EXPECT_EQ(Pixel(79, 19), columnColor);
    EXPECT_TRUE(All({1, 1, 79, 19}, clWhite));
}

TEST_F(FixedCells, InputTextUsesColumnAlignmentAndCaptionIsCentred) {
    Second.SetInputCaption("");
    Second.SetInputText("WW");
    Second.SetAlignment(taRightJustify);
    Display.PaintInputCell(Second, {0, 0, 120, 20}, true, false, false);
    EXPECT_FALSE(Contains({2, 0, 60, 20}, clGrayText));
    EXPECT_TRUE(Contains({60, 0, 119, 20}, clGrayText));

    Second.SetInputText("");
    Second.SetInputCaption("WW");
    Display.PaintInputCell(Second, {0, 0, 120, 20}, true, false, false);
    EXPECT_FALSE(Contains({2, 0, 40, 20}, clGrayText));
    EXPECT_TRUE(Contains({40, 0, 80, 20}, clGrayText));
    EXPECT_FALSE(Contains({80, 0, 119, 20}, clGrayText));
}

TEST_F(FixedCells, FooterCellWithGridLines) {
    First.Footer().SetColor(columnColor);
    First.Footer().SetCaption("WW");
    TFont font;
    font.Color = clRed;
    First.SetFont(font);
    Display.PaintFooterCell(First, {0, 0, 80, 20}, true);
    EXPECT_EQ(Pixel(1, 1), columnColor);
    EXPECT_EQ(Pixel(79, 5), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(5, 19), Rgb(clBtnFace));
    EXPECT_TRUE(Contains({2, 0, 40, 20}, clRed));
    EXPECT_FALSE(Contains({0, 0, 2, 20}, clRed));

    Display.PaintFooterCell(First, {0, 0, 80, 20}, false);
    EXPECT_EQ(Pixel(79, 5), columnColor);
}

} // namespace
} // namespace tolvane::testing
