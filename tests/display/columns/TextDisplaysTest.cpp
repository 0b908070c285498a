// Displays that draw one text: date, numeric, increment and textual.
#include "grid/display/columns/DateColumnDisplay.h"
#include "grid/display/columns/IncrementColumnDisplay.h"
#include "grid/display/columns/NumericColumnDisplay.h"
#include "grid/display/columns/TextualColumnDisplay.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"
#include "grid/base/Conversions.h"

#include "display/columns/ColumnDisplayFixture.h"

namespace tolvane::testing {
namespace {

using DateDisplay = ColumnDisplayFixture<TDateColumn, TDateColumnDisplay>;

TEST_F(DateDisplay, ZeroDateShowsEmptyCaptionOnlyWhenHidingEmpty) {
    Column.SetEmptyCaption("(none)");
    Column.SetHideWhenEmpty(true);
    Display.DateValue = 0;
    Display.Paint();
    Column.SetHideWhenEmpty(false);
    Display.Paint();
    Column.SetHideWhenEmpty(true);
    Display.DateValue = 45000.5;
    Display.Paint();

    ASSERT_EQ(Display.Texts.size(), 3u);
    EXPECT_EQ(Display.Texts[0], "(none)");
    EXPECT_EQ(Display.Texts[1], DateTimeToStr(0));
    EXPECT_EQ(Display.Texts[1], "12/30/1899");
    EXPECT_EQ(Display.Texts[2], DateTimeToStr(45000.5));
    EXPECT_EQ(Display.Rects[0], (TRect{2, 0, 78, 20}));
}

using NumericDisplay = ColumnDisplayFixture<TNumericColumn, TNumericColumnDisplay>;

TEST_F(NumericDisplay, MaskAndSurroundingTexts) {
    Column.SetTextBefore("$ ");
    Column.SetTextAfter(" net");
    Display.FloatValue = 1234.5;
    Display.Paint();
    Column.SetFormatMask("#,##0.00");
    Display.Paint();
    ASSERT_EQ(Display.Texts.size(), 2u);
    EXPECT_EQ(Display.Texts[0], "$ 1234.5 net");
    EXPECT_EQ(Display.Texts[1], "$ 1,234.50 net");
}

using IncrementDisplay = ColumnDisplayFixture<TIncrementColumn, TIncrementColumnDisplay>;

TEST_F(IncrementDisplay, DecimalText) {
    Display.IntegerValue = -42;
    Display.Paint();
    ASSERT_EQ(Display.Texts.size(), 1u);
    EXPECT_EQ(Display.Texts[0], "-42");
}

using TextualDisplay = ColumnDisplayFixture<TTextualColumn, TTextualColumnDisplay>;

TEST_F(TextualDisplay, SurroundingTextsAndPixels) {
    Column.SetTextBefore("<");
    Column.SetTextAfter(">");
    Display.TextValue = "WW";
    Canvas().Font.Color = clRed;
    Display.Paint();
    ASSERT_EQ(Display.Texts.size(), 1u);
    EXPECT_EQ(Display.Texts[0], "<WW>");
    EXPECT_TRUE(Contains({2, 0, 78, 20}, clRed));
}

using ComboDisplay = ColumnDisplayFixture<TComboBoxColumn, TTextualColumnDisplay>;

TEST_F(ComboDisplay, InheritsTextualSurroundingTexts) {
    Column.SetTextBefore("[");
    Display.TextValue = "x";
    Display.Paint();
    ASSERT_EQ(Display.Texts.size(), 1u);
    EXPECT_EQ(Display.Texts[0], "[x");
}

} // namespace
} // namespace tolvane::testing
