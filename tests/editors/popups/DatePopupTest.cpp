#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/editors/popups/DatePopup.h"
#include "support/InputSimulator.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace {

TDateTime Day(int year, int month, int day) {
    return TMonthGrid::EncodeDate(year, month, day);
}

// Rows of the grid holding at least one day of the month itself.
int RowsOfTheMonth(const TMonthGrid& grid) {
    int rows = 0;
    for (int r = 0; r < TMonthGrid::Rows; ++r) {
        bool any = false;
        for (int c = 0; c < TMonthGrid::Columns; ++c) any = any || grid.InMonth(c, r);
        rows += any ? 1 : 0;
    }
    return rows;
}

// A calendar as the date picker editor drops it, open and armed.
struct CalendarFixture {
    TDatePopup popup;
    InputSimulator sim{popup};
    std::vector<std::string> chosen;

    explicit CalendarFixture(TDateTime date) {
        popup.SetBounds(0, 0, 151, 163);
        popup.SetDate(date);
        popup.OnSelect = [this](TPopupView*, const QString& value) { chosen.push_back(value.toStdString()); };
        popup.Popup(30, 30);
        sim.MouseUp(mbLeft, 20, -10);
    }
    static TPoint CellCentre(int column, int row) {
        const TRect r = TDatePopup::CellRect(column, row);
        return TPoint{r.Left + 8, r.Top + 7};
    }
};

} // namespace

TEST(MonthGrid, StartsOnTheSundayOnOrBeforeTheFirst) {
    struct Case {
        int year, month;
        TDateTime firstCell, lastCell;
        int rowsOfTheMonth;
    } cases[] = {
        {2015, 2, Day(2015, 2, 1), Day(2015, 3, 14), 4}, // non-leap February starting on Sunday
        {2015, 3, Day(2015, 3, 1), Day(2015, 4, 11), 5},
        {2015, 4, Day(2015, 3, 29), Day(2015, 5, 9), 5},  // starts on Wednesday
        {2016, 2, Day(2016, 1, 31), Day(2016, 3, 12), 5}, // leap February starting on Monday
        {2016, 1, Day(2015, 12, 27), Day(2016, 2, 6), 6}, // Friday the first, 31 days
        {2026, 8, Day(2026, 7, 26), Day(2026, 9, 5), 6},  // Saturday the first
    };
    for (const Case& c : cases) {
        const TMonthGrid grid(c.year, c.month);
        const std::string what = std::to_string(c.year) + "-" + std::to_string(c.month);
        EXPECT_EQ(grid.CellDate(0, 0), c.firstCell) << what;
        EXPECT_EQ(grid.CellDate(6, 5), c.lastCell) << what;
        EXPECT_EQ(RowsOfTheMonth(grid), c.rowsOfTheMonth) << what;
        EXPECT_EQ(grid.CellDate(3, 2), grid.CellDate(0, 0) + 17) << what;
    }
    // February 2015 fills exactly four rows; the other two are March.
    const TMonthGrid february(2015, 2);
    for (int c = 0; c < 7; ++c) {
        EXPECT_TRUE(february.InMonth(c, 3));
        EXPECT_FALSE(february.InMonth(c, 4));
    }
}

TEST(MonthGrid, StepsAcrossYearsAndStopsAtTheCalendarsEnds) {
    struct Case {
        int year, month, prevYear, prevMonth, nextYear, nextMonth;
    } cases[] = {
        {2020, 1, 2019, 12, 2020, 2},
        {2019, 12, 2019, 11, 2020, 1},
        {1, 1, 1, 1, 1, 2},
        {9999, 12, 9999, 11, 9999, 12},
    };
    for (const Case& c : cases) {
        const TMonthGrid grid(c.year, c.month);
        EXPECT_EQ(grid.Previous().Year(), c.prevYear);
        EXPECT_EQ(grid.Previous().Month(), c.prevMonth);
        EXPECT_EQ(grid.Next().Year(), c.nextYear);
        EXPECT_EQ(grid.Next().Month(), c.nextMonth);
    }
    EXPECT_THROW(TMonthGrid(2020, 13), EGridError);
    EXPECT_THROW(TMonthGrid(0, 5), EGridError);
}

TEST(MonthGrid, MonthNamesNeedExactlyTwelveLines) {
    QStringList twelve, eleven;
    for (int i = 1; i <= 12; ++i) twelve << QStringLiteral("M%1").arg(i);
    eleven = twelve.mid(0, 11);
    EXPECT_EQ(TMonthGrid::MonthName(3, &twelve), "M3");
    EXPECT_EQ(TMonthGrid::MonthName(3, &eleven), "March");
    EXPECT_EQ(TMonthGrid::MonthName(12, nullptr), "December");
}

TEST(DatePopup, ArrowsStepMonthsAcrossTheYear) {
    CalendarFixture f(Day(2020, 1, 15));
    f.sim.Click(6, 9); // left arrow
    EXPECT_EQ(f.popup.Month(), 12);
    EXPECT_EQ(f.popup.Year(), 2019);
    f.sim.Click(f.popup.ClientWidth() - 6, 9); // right arrow, twice
    f.sim.Click(f.popup.ClientWidth() - 6, 9);
    EXPECT_EQ(f.popup.Month(), 2);
    EXPECT_EQ(f.popup.Year(), 2020);
    EXPECT_TRUE(f.chosen.empty());
    EXPECT_FALSE(f.popup.Closed()); // releases in the title neither choose nor close
    EXPECT_EQ(f.popup.SelectedDate(), Day(2020, 1, 15));
}

TEST(DatePopup, AClickOnADayReportsItAsAShortDate) {
    CalendarFixture f(Day(2015, 2, 10));
    const TPoint march = CalendarFixture::CellCentre(2, 5); // the grid's last row is March
    f.sim.Click(march.X, march.Y);
    EXPECT_EQ(f.chosen, (std::vector<std::string>{"3/10/2015"}));
    EXPECT_TRUE(f.popup.Closed());
}

TEST(DatePopup, DraggingOverTheDaysMovesTheSelection) {
    CalendarFixture f(Day(2015, 4, 10));
    const TPoint from = CalendarFixture::CellCentre(0, 0), to = CalendarFixture::CellCentre(4, 1);
    f.sim.MouseDown(mbLeft, from.X, from.Y);
    EXPECT_TRUE(f.popup.Tracking());
    EXPECT_EQ(f.popup.SelectedDate(), Day(2015, 3, 29));
    f.sim.MouseMove(to.X, to.Y);
    EXPECT_EQ(f.popup.SelectedDate(), Day(2015, 4, 9));
    f.popup.PaintNow();
    const TRect cell = TDatePopup::CellRect(4, 1);
    EXPECT_EQ(f.popup.SurfacePixel(cell.Right - 1, cell.Top + 7), RGB(192, 192, 192));
    f.sim.MouseUp(mbLeft, to.X, to.Y);
    EXPECT_FALSE(f.popup.Tracking());
    EXPECT_EQ(f.chosen, (std::vector<std::string>{"4/9/2015"}));
}

TEST(DatePopup, BelowTheSixthRowAndBeforeTheFirstYearIsNoDay) {
    CalendarFixture f(Day(2015, 2, 10));
    f.sim.Click(40, 128); // between the last row and the buttons
    EXPECT_TRUE(f.chosen.empty());
    EXPECT_FALSE(f.popup.Closed());
    // January of year 1 starts on a Monday: its first cell would be a day of year 0.
    CalendarFixture g(Day(1, 1, 2));
    const TPoint before = CalendarFixture::CellCentre(0, 0), first = CalendarFixture::CellCentre(1, 0);
    g.sim.Click(before.X, before.Y);
    EXPECT_TRUE(g.chosen.empty());
    EXPECT_EQ(g.popup.SelectedDate(), Day(1, 1, 2));
    g.sim.Click(first.X, first.Y);
    EXPECT_EQ(g.chosen, (std::vector<std::string>{"1/1/0001"}));
}

TEST(DatePopup, TodayAndNoneButtons) {
    CalendarFixture f(Day(2015, 2, 10));
    EXPECT_EQ(f.popup.TodayButton().Caption(), "Today");
    EXPECT_EQ(f.popup.NoneButton().BoundsRect(), (TRect{79, 131, 127, 151}));
    f.sim.MouseDown(mbLeft, 100, 140);
    EXPECT_TRUE(f.popup.NoneButton().Down());
    f.popup.PaintNow();
    EXPECT_EQ(f.popup.SurfacePixel(79, 131), ColorToRGB(clBtnShadow)); // sunken while down
    EXPECT_EQ(f.popup.SurfacePixel(126, 150), ColorToRGB(clBtnHighlight));
    f.sim.MouseUp(mbLeft, 100, 140);
    EXPECT_FALSE(f.popup.NoneButton().Down());
    EXPECT_EQ(f.chosen, (std::vector<std::string>{""}));
    EXPECT_TRUE(f.popup.Closed());
    // The editor then prepares the calendar from its empty text: today's month.
    f.popup.ShowDateText(QString());
    int year = 0, month = 0, day = 0;
    TMonthGrid::DecodeDate(Date(), year, month, day);
    EXPECT_EQ(f.popup.Month(), month);
    EXPECT_EQ(f.popup.Year(), year);
    EXPECT_EQ(f.popup.SelectedDate(), Date());

    CalendarFixture g(Day(2015, 2, 10));
    g.sim.Click(30, 140);
    EXPECT_EQ(g.chosen, (std::vector<std::string>{DateToStr(Date()).toStdString()}));
    // Pressing a button and leaving it before the release chooses nothing.
    CalendarFixture h(Day(2015, 2, 10));
    h.sim.MouseDown(mbLeft, 30, 140);
    h.sim.MouseUp(mbLeft, 30, 100);
    EXPECT_FALSE(h.popup.TodayButton().Down());
    EXPECT_EQ(h.chosen, (std::vector<std::string>{"3/1/2015"})); // the release lands on a day
}

TEST(DatePopup, PaintsTheMonthWithTheSelectedDayAndTheRaisedButtons) {
    CalendarFixture f(Day(2015, 2, 10));
    f.popup.PaintNow();
    const TRect selected = TDatePopup::CellRect(2, 1);
    EXPECT_EQ(f.popup.SurfacePixel(selected.Right - 1, selected.Top + 1), RGB(192, 192, 192));
    EXPECT_EQ(f.popup.SurfacePixel(16, 34), ColorToRGB(clGrayText));    // the rule under the letters
    EXPECT_EQ(f.popup.SurfacePixel(65, 150), ColorToRGB(cl3DDkShadow)); // raised edge
    EXPECT_THROW(f.popup.SetMonth(13), EGridError);
    EXPECT_EQ(f.popup.Month(), 2);
    EXPECT_THROW(f.popup.ShowDateText(QStringLiteral("not a date")), EConvertError);
}

TEST(DatePopup, TwoDigitDaysKeepAGapInAnyFont) {
    // The cells are laid out for a small font: a larger one must not run "27" and "28" together.
    for (int height : {11, 13, 20, 30}) {
        CalendarFixture f(Day(2015, 2, 3));
        TFont font = f.popup.Font();
        font.Height = height;
        f.popup.SetFont(font);
        f.popup.PaintNow();
        const TColor background = ColorToRGB(f.popup.Color());
        for (int column = 0; column + 1 < TMonthGrid::Columns; ++column) {
            const TRect cell = TDatePopup::CellRect(column, 3); // 22 to 28
            for (int y = cell.Top; y < cell.Bottom; ++y)
                EXPECT_EQ(f.popup.SurfacePixel(cell.Right - 1, y), background)
                    << "font height " << height << ", column " << column << ", y " << y;
        }
    }
}
