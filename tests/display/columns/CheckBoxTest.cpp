#include "grid/host/ThemePainter.h"
#include "grid/display/columns/CheckBoxColumnDisplay.h"
#include "grid/display/columns/CheckBoxColumnPlay.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/shared/ThemesSupport.h"

#include "display/columns/ColumnDisplayFixture.h"

namespace tolvane::testing {
namespace {

using CheckBoxDisplay = ColumnDisplayFixture<TCheckBoxColumn, TCheckBoxColumnDisplay>;

TEST_F(CheckBoxDisplay, ClassicBoxPlacedByAlignment) {
    Display.CellRect = {0, 0, 40, 20};
    Display.BooleanValue = true;
    Display.Paint();
    // 11 x 11 at (2, 10 - 5)
    EXPECT_EQ(Pixel(2, 5), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(12, 15), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(1, 5), Rgb(clWhite));
    EXPECT_EQ(Pixel(4, 9), Rgb(clWindowText)) << "tick";
    EXPECT_EQ(Pixel(8, 12), Rgb(clWindow));

    Column.SetAlignment(taRightJustify);
    Display.BooleanValue = false;
    Display.Paint();
    EXPECT_EQ(Pixel(27, 5), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(37, 15), Rgb(clBtnShadow));
    EXPECT_FALSE(Contains({28, 6, 37, 15}, clWindowText));
}

class CheckBoxPlay : public DisplayFixture {
protected:
    CheckBoxPlay() : Column(Columns.Add<TCheckBoxColumn>()), Play(Column) {
        Play.CellRect = {100, 40, 140, 60};
        Play.OnChange = [this](TColumnPlay&) { ++Changes; };
    }
    TCheckBoxColumn& Column;
    TCheckBoxColumnPlay Play;
    int Changes = 0;
};

TEST_F(CheckBoxPlay, SpaceTogglesAndNotifies) {
    QChar key = ' ';
    Play.KeyPress(key);
    EXPECT_TRUE(Play.BooleanValue);
    EXPECT_EQ(Changes, 1);
    Play.KeyPress(key);
    EXPECT_FALSE(Play.BooleanValue);
    EXPECT_EQ(Changes, 2);

    key = 'x';
    Play.KeyPress(key);
    EXPECT_FALSE(Play.BooleanValue);
    EXPECT_EQ(Changes, 2);
}

TEST_F(CheckBoxPlay, CheckRectInCellCoordinates) {
    // Cell moved to the origin and grown by 1: (-1, -1, 41, 21); 11 x 11 box, margin 2, middle.
    EXPECT_EQ(Play.GetCheckRect(), (TRect{1, 5, 12, 16}));
    Column.SetAlignment(taCenter);
    Column.SetVerticalAlignment(vaTop);
    EXPECT_EQ(Play.GetCheckRect(), (TRect{15, 1, 26, 12}));
}

TEST_F(CheckBoxPlay, ThemedBoxIsThirteenPixels) {
    LoadThemeLibrary();
    SetThemesEnabled(true);
    ASSERT_TRUE(ThemesAvailable());
    const TRect themed = Play.GetCheckRect();
    Play.MouseClick(mbLeft, {}, 13, 16);
    const bool toggled = Play.BooleanValue;
    SetThemesEnabled(false); // the other tests expect the classic look
    EXPECT_EQ(themed, (TRect{1, 4, 14, 17}));
    EXPECT_TRUE(toggled);
}

TEST_F(CheckBoxPlay, ClickInsideTheBoxToggles) {
    Play.MouseClick(mbLeft, {}, 1, 5);
    EXPECT_TRUE(Play.BooleanValue);
    EXPECT_EQ(Play.TextValue, "True");
    EXPECT_EQ(Changes, 1);
    Play.MouseClick(mbLeft, {}, 11, 15);
    EXPECT_FALSE(Play.BooleanValue);
    EXPECT_EQ(Play.TextValue, "False");
    EXPECT_EQ(Changes, 2);
}

TEST_F(CheckBoxPlay, ClickOutsideTheBoxDoesNothing) {
    Play.TextValue = "False";
    for (TPoint p : {TPoint{0, 5}, TPoint{12, 5}, TPoint{5, 4}, TPoint{5, 16}, TPoint{30, 10}})
        Play.MouseClick(mbLeft, {}, p.X, p.Y);
    EXPECT_FALSE(Play.BooleanValue);
    EXPECT_EQ(Play.TextValue, "False");
    EXPECT_EQ(Changes, 0);
}

} // namespace
} // namespace tolvane::testing
