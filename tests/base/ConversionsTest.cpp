#include <QDate>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/base/Locale.h"

using namespace tolvane;

namespace {

double Days(int y, int m, int d) {
    return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

// Switches to decimal comma and day.month.year for the length of a test.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings s = TFormatSettings::Fixed();
        s.DecimalSeparator = ',';
        s.ThousandSeparator = '.';
        s.DateSeparator = '.';
        s.ShortDateFormat = "dd.MM.yyyy";
        s.LongTimeFormat = "HH:mm:ss";
        TLocale::SetCurrent(s);
    }
    void TearDown() override { TLocale::SetCurrent(TFormatSettings::Fixed()); }
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

struct FloatText {
    double value;
    const char* text;
};

class FloatToStrCase : public ::testing::TestWithParam<FloatText> {};

TEST_P(FloatToStrCase, GeneralFormWithFifteenDigits) {
    EXPECT_EQ(FloatToStr(GetParam().value), QString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, FloatToStrCase,
    ::testing::Values(FloatText{0, "0"}, FloatText{-0.0, "0"}, FloatText{1.5, "1.5"},
                      FloatText{-2.25, "-2.25"}, FloatText{100, "100"}, FloatText{0.1 + 0.2, "0.3"},
                      FloatText{1.0 / 3, "0.333333333333333"}, FloatText{123456789012345, "123456789012345"},
                      FloatText{1e15, "1E15"}, FloatText{2.5e20, "2.5E20"},
                      FloatText{1.23456789012345678e17, "1.23456789012346E17"}, FloatText{0.0001, "0.0001"},
                      FloatText{1.5e-5, "1.5E-5"}, FloatText{-1e-10, "-1E-10"}, FloatText{1e-100, "1E-100"}));

struct ParseCase {
    const char* text;
    bool valid;
    double value;
};

class StrToFloatCase : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToFloatCase, ParsesOrThrows) {
    const ParseCase& c = GetParam();
    if (c.valid)
        EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value);
    else
        EXPECT_EQ(MessageOf([&] { StrToFloat(c.text); }),
                  std::string("'") + c.text + "' is not a valid floating point value");
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, StrToFloatCase,
    ::testing::Values(ParseCase{"1.5", true, 1.5}, ParseCase{" -2.5e3 ", true, -2500},
                      ParseCase{"+.5", true, 0.5}, ParseCase{"5.", true, 5}, ParseCase{"1E-5", true, 1e-5},
                      ParseCase{"12", true, 12}, ParseCase{"", false, 0}, ParseCase{"abc", false, 0},
                      ParseCase{"1,5", false, 0}, ParseCase{"1.5x", false, 0}, ParseCase{"e5", false, 0},
                      ParseCase{"1e", false, 0}, ParseCase{"1 5", false, 0}, ParseCase{"--1", false, 0},
                      ParseCase{".", false, 0}, ParseCase{"1e999", false, 0}, ParseCase{"1,000", false, 0},
                      ParseCase{"1e-999", true, 0}, ParseCase{"0.001e-400", true, 0},
                      ParseCase{"-100e307", false, 0}, ParseCase{"-100e306", true, -1e308},
                      // The text of the largest double reads back as it; beyond its rounding, nothing.
                      ParseCase{"1.79769313486232E308", true, std::numeric_limits<double>::max()},
                      ParseCase{"-1.79769313486232E308", true, -std::numeric_limits<double>::max()},
                      ParseCase{"1.797693134862321E308", false, 0}));

class StrToIntCase : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToIntCase, ParsesOrThrows) {
    const ParseCase& c = GetParam();
    if (c.valid)
        EXPECT_EQ(StrToInt(c.text), int(c.value));
    else
        EXPECT_EQ(MessageOf([&] { StrToInt(c.text); }),
                  std::string("'") + c.text + "' is not a valid integer value");
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, StrToIntCase,
    ::testing::Values(ParseCase{"42", true, 42}, ParseCase{" -7 ", true, -7}, ParseCase{"+3", true, 3},
                      ParseCase{"2147483647", true, 2147483647},
                      ParseCase{"-2147483648", true, -2147483648.0}, ParseCase{"2147483648", false, 0},
                      ParseCase{"-2147483649", false, 0}, ParseCase{"99999999999999999999", false, 0},
                      ParseCase{"", false, 0}, ParseCase{"1.0", false, 0}, ParseCase{"12a", false, 0},
                      ParseCase{"-", false, 0}));

TEST(Conversions, StrToBoolTakesWordsInAnyCaseOrNumbers) {
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_FALSE(StrToBool("fAlSe"));
    EXPECT_TRUE(StrToBool("1"));
    EXPECT_TRUE(StrToBool("-2.5"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_FALSE(StrToBool("0.0"));
    EXPECT_THROW(StrToBool("yes"), EConvertError);
    EXPECT_THROW(StrToBool(""), EConvertError);
    EXPECT_EQ(BoolToStr(true), "True");
    EXPECT_EQ(BoolToStr(false), "False");
}

TEST(Conversions, IntToStr) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-15), "-15");
    EXPECT_EQ(IntToStr(2147483647), "2147483647");
}

TEST(Conversions, RoundToIntHalvesToEven) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(-2.6), -3);
    EXPECT_THROW(RoundToInt(1e20), EConvertError);
    EXPECT_THROW(RoundToInt(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(Conversions, DateTimeTextLeavesOutMidnight) {
    EXPECT_EQ(DateToStr(Days(2024, 3, 5) + 0.5), "3/5/2024");
    EXPECT_EQ(DateTimeToStr(Days(2024, 3, 5)), "3/5/2024");
    EXPECT_EQ(DateTimeToStr(Days(2024, 3, 5) + 0.5), "3/5/2024 12:00:00 PM");
    EXPECT_EQ(DateTimeToStr(Days(2024, 3, 5) + 0.25), "3/5/2024 6:00:00 AM");
    EXPECT_EQ(DateTimeToStr(0), "12/30/1899");
    // Before day 0 the day counts back while the time of day still counts forward.
    EXPECT_EQ(DateTimeToStr(-1.25), "12/29/1899 6:00:00 AM");
    // A time of day that rounds up to midnight moves the day on, backwards as much as forwards.
    EXPECT_EQ(DateTimeToStr(1.99999999999), "1/1/1900");
    EXPECT_EQ(DateTimeToStr(-1.99999999999), "12/28/1899");
    EXPECT_THROW(DateTimeToStr(1e300), EConvertError);
    EXPECT_THROW(DateTimeToStr(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(Conversions, StrToDateTimeReadsDatesAndTimes) {
    EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024"), Days(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime("12/31/1999 6:30:00 PM"), Days(1999, 12, 31) + 18.5 / 24);
    EXPECT_DOUBLE_EQ(StrToDateTime("03/05/2024 18:00"), Days(2024, 3, 5) + 0.75);
    EXPECT_DOUBLE_EQ(StrToDateTime("3/5/24"), Days(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime("12:00:00 PM"), 0.5);
    EXPECT_DOUBLE_EQ(StrToDateTime(" 3/5/2024 "), Days(2024, 3, 5));
    // A year beyond 9999 has no date text, so it is no date either.
    for (const char* bad : {"garbage", "", "13/45/2024", "3/5/2024 25:00", "3/5/2024 x", "12", "1.5",
                            "2/29/22000 11:59:59 PM", "1/1/10000"})
        EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
}

TEST(Conversions, FloatTextOfTheLargestDoublesReadsBack) {
    for (double value :
         {std::numeric_limits<double>::max(), std::nextafter(std::numeric_limits<double>::max(), 0.0),
          -std::numeric_limits<double>::max(), 1.797693134862315e308})
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(value))), FloatToStr(value)) << value;
}

TEST(Conversions, DateTimeTextRoundTrips) {
    for (double value : {Days(2024, 2, 29) + 0.25, Days(1950, 7, 1) + 13.0 / 24 + 5.0 / 1440, -700.5})
        EXPECT_NEAR(StrToDateTime(DateTimeToStr(value)), value, 1e-9) << DateTimeToStr(value).toStdString();
}

TEST(Conversions, TodayAndNow) {
    const double today = Date();
    EXPECT_EQ(today,
              Days(QDate::currentDate().year(), QDate::currentDate().month(), QDate::currentDate().day()));
    const double now = Now();
    EXPECT_GE(now, today);
    EXPECT_LT(now, today + 1.0001);
}

TEST_F(CommaLocale, FloatsUseTheRegionalSeparator) {
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(1.5e-5), "1,5E-5");
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2,5E2"), -250);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
    EXPECT_TRUE(StrToBool("0,5"));
}

TEST_F(CommaLocale, DatesFollowTheRegionalFormat) {
    EXPECT_EQ(DateTimeToStr(Days(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(DateTimeToStr(Days(2024, 3, 5) + 0.75), "05.03.2024 18:00:00");
    EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024"), Days(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime("5.3.2024 18:00"), Days(2024, 3, 5) + 0.75);
    EXPECT_THROW(StrToDateTime("3/5/2024"), EConvertError);
}

} // namespace
