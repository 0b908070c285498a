#pragma once
// The calendar arithmetic behind the month popup: a grid of 42 days, 7 a row with Sunday
// first, that starts with day 1 of the month when the month starts on a Sunday and otherwise
// with the last days of the month before; the days run on into the month after.

#include <QString>
#include <QStringList>

#include "grid/base/Types.h"

namespace tolvane {

class TMonthGrid {
public:
    static constexpr int Columns = 7;
    static constexpr int Rows = 6;
    static constexpr int MinYear = 1;
    static constexpr int MaxYear = 9999;

    // EGridError unless 1 <= month <= 12 and MinYear <= year <= MaxYear.
    TMonthGrid(int year, int month);

    int Year() const { return year_; }
    int Month() const { return month_; }

    static int DaysInMonth(int year, int month);
    // 1 for Sunday to 7 for Saturday.
    static int WeekdayNumber(int year, int month, int day);
    static TDateTime EncodeDate(int year, int month, int day);
    // The calendar day of a date (the time of day ignored).
    static void DecodeDate(TDateTime date, int& year, int& month, int& day);

    // The weekday number of the month's first day.
    int FirstWeekday() const;
    // The date of cell (column 0..6, row 0..5), and whether it is a day of this month.
    TDateTime CellDate(int column, int row) const;
    bool InMonth(int column, int row) const;
    // Whether the cell's date lies in the years the calendar covers (the first row of January
    // of year 1 and the last rows of December 9999 lie outside).
    bool InCalendar(int column, int row) const;

    // The month before and after (across years); the grid stays at the ends of the calendar.
    TMonthGrid Previous() const;
    TMonthGrid Next() const;

    // The month's name: line month - 1 of `names` when it holds exactly 12 lines, otherwise the
    // English name.
    static QString MonthName(int month, const QStringList* names);

private:
    int year_;
    int month_;
};

} // namespace tolvane
