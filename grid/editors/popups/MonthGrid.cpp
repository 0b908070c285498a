#include "grid/editors/popups/MonthGrid.h"

#include <cmath>

#include <QDate>

#include "grid/base/Errors.h"

namespace tolvane {

namespace {

// Day 0 of TDateTime.
qint64 EpochJulianDay() {
    static const qint64 day = QDate(1899, 12, 30).toJulianDay();
    return day;
}

} // namespace

TMonthGrid::TMonthGrid(int year, int month) : year_(year), month_(month) {
    if (month < 1 || month > 12) throw EGridError("Month out of range (" + std::to_string(month) + ")");
    if (year < MinYear || year > MaxYear)
        throw EGridError("Year out of range (" + std::to_string(year) + ")");
}

int TMonthGrid::DaysInMonth(int year, int month) {
    return QDate(year, month, 1).daysInMonth();
}

int TMonthGrid::WeekdayNumber(int year, int month, int day) {
    return QDate(year, month, day).dayOfWeek() % 7 + 1; // Qt counts Monday 1 to Sunday 7
}

TDateTime TMonthGrid::EncodeDate(int year, int month, int day) {
    return double(QDate(year, month, day).toJulianDay() - EpochJulianDay());
}

void TMonthGrid::DecodeDate(TDateTime date, int& year, int& month, int& day) {
    // The day is the whole part, towards zero: -1.25 is 6 o'clock on day -1.
    const QDate d = QDate::fromJulianDay(EpochJulianDay() + qint64(std::trunc(date)));
    year = d.year();
    month = d.month();
    day = d.day();
}

int TMonthGrid::FirstWeekday() const {
    return WeekdayNumber(year_, month_, 1);
}

TDateTime TMonthGrid::CellDate(int column, int row) const {
    const int index = column + Columns * row;
    return EncodeDate(year_, month_, 1) + index - (FirstWeekday() - 1);
}

bool TMonthGrid::InMonth(int column, int row) const {
    const int day = column + Columns * row - (FirstWeekday() - 1) + 1;
    return day >= 1 && day <= DaysInMonth(year_, month_);
}

bool TMonthGrid::InCalendar(int column, int row) const {
    const TDateTime date = CellDate(column, row);
    return date >= EncodeDate(MinYear, 1, 1) && date <= EncodeDate(MaxYear, 12, 31);
}

TMonthGrid TMonthGrid::Previous() const {
    if (month_ > 1) return TMonthGrid(year_, month_ - 1);
    return year_ > MinYear ? TMonthGrid(year_ - 1, 12) : *this;
}

TMonthGrid TMonthGrid::Next() const {
    if (month_ < 12) return TMonthGrid(year_, month_ + 1);
    return year_ < MaxYear ? TMonthGrid(year_ + 1, 1) : *this;
}

QString TMonthGrid::MonthName(int month, const QStringList* names) {
    static const char* const kEnglish[12] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
    if (month < 1 || month > 12) return QString();
    if (names && names->size() == 12) return (*names)[month - 1];
    return QString::fromLatin1(kEnglish[month - 1]);
}

} // namespace tolvane
