#include <gtest/gtest.h>

#include "grid/base/FormatFloat.h"
#include "grid/base/Locale.h"
#include "grid/base/NumberTexts.h"

using namespace tolvane;

namespace {
struct MaskCase {
    const char* Mask;
    double Value;
    const char* Expected;
};

void PrintTo(const MaskCase& c, std::ostream* os) {
    *os << '"' << c.Mask << "\" " << c.Value;
}

class FormatFloatTest : public ::testing::TestWithParam<MaskCase> {};
} // namespace

TEST_P(FormatFloatTest, Formats) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(FormatFloat(QString::fromUtf8(c.Mask), c.Value).toStdString(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Rounding, FormatFloatTest,
                         ::testing::Values(MaskCase{"0", 0, "0"}, MaskCase{"0", 0.5, "1"},
                                           MaskCase{"0", 1.5, "2"}, MaskCase{"0", 2.5, "3"},
                                           MaskCase{"0", -0.5, "-1"}, MaskCase{"0", -2.5, "-3"},
                                           MaskCase{"0", 0.49, "0"}, MaskCase{"0.00", 1.005, "1.01"},
                                           MaskCase{"0.00", 2.675, "2.68"}, MaskCase{"0.00", 0.125, "0.13"},
                                           MaskCase{"0.00", 9.995, "10.00"},
                                           MaskCase{"0.00", 1234.5678, "1234.57"},
                                           MaskCase{"0.0", 0.05, "0.1"}, MaskCase{"0.00", 0.1 + 0.2, "0.30"},
                                           MaskCase{"0.000", 1e-7, "0.000"}));

INSTANTIATE_TEST_SUITE_P(NegativeZero, FormatFloatTest,
                         ::testing::Values(MaskCase{"0", -0.4, "0"}, MaskCase{"0.0", -0.04, "0.0"},
                                           MaskCase{"0", -0.0, "0"}, MaskCase{"#,##0.00", -0.001, "0.00"},
                                           MaskCase{"0.00;(0.00)", -0.001, "0.00"},
                                           MaskCase{"0.00;(0.00);'nil'", -0.001, "nil"},
                                           MaskCase{"0.00;(0.00);'nil'", 0.004, "nil"}));

INSTANTIATE_TEST_SUITE_P(Placeholders, FormatFloatTest,
                         ::testing::Values(MaskCase{"#", 0, ""}, MaskCase{"#.##", 0.5, ".5"},
                                           MaskCase{"0.##", 1, "1"}, MaskCase{"0.##", 1.5, "1.5"},
                                           MaskCase{"0.0#", 1, "1.0"}, MaskCase{"0.0#", 1.25, "1.25"},
                                           MaskCase{"0.0#", 1.255, "1.26"}, MaskCase{".00", 0.5, ".50"},
                                           MaskCase{".00", 12.5, "12.50"}, MaskCase{"00000", 42, "00042"},
                                           MaskCase{"#####", 42, "42"}, MaskCase{"##0.###", 3.14159, "3.142"},
                                           MaskCase{"0.", 3, "3"}, MaskCase{"0.0.0", 1.25, "1.25"},
                                           MaskCase{"00-00", 123, "01-23"}, MaskCase{"#-##", 5, "-5"},
                                           MaskCase{"(0)", 123, "(123)"}, MaskCase{"0", -123.4, "-123"}));

INSTANTIATE_TEST_SUITE_P(
    Grouping, FormatFloatTest,
    ::testing::Values(MaskCase{"#,##0.00", 1234567.891, "1,234,567.89"}, MaskCase{"#,##0", 999.5, "1,000"},
                      MaskCase{"#,##0", -1234, "-1,234"}, MaskCase{"#,##0", 123, "123"},
                      MaskCase{"0,000", 12, "0,012"}, MaskCase{",0", 1234567, "1,234,567"},
                      MaskCase{"0.00,", 1234.5, "1234.50"}, // a comma after the point does not group
                      MaskCase{"###,###,###,###,##0.00", 1234.5, "1,234.50"},
                      MaskCase{"#,##0", 1e15, "1,000,000,000,000,000"},
                      MaskCase{"0", 1e20, "100000000000000000000"},
                      MaskCase{"0.00", 123456789.125, "123456789.13"}));

INSTANTIATE_TEST_SUITE_P(
    Scientific, FormatFloatTest,
    ::testing::Values(MaskCase{"0.00E+00", 12345, "1.23E+04"}, MaskCase{"0.00E+00", 0.00012345, "1.23E-04"},
                      MaskCase{"0.00E-00", 12345, "1.23E04"}, MaskCase{"0.00E-00", 0.012345, "1.23E-02"},
                      MaskCase{"0.00e+0", 12345, "1.23e+4"}, MaskCase{"0.00E+00", 0, "0.00E+00"},
                      MaskCase{"0.00E+00", -12345, "-1.23E+04"}, MaskCase{"0.0E+0", 9.96, "1.0E+1"},
                      MaskCase{"##0.0E+0", 12345, "123.5E+2"}, MaskCase{"0E+000", 5, "5E+000"},
                      MaskCase{"0.##E+0", 1000, "1E+3"}, MaskCase{"0.0E-0", 0.05, "5.0E-2"},
                      MaskCase{"0.00E+00", 1.5e300, "1.50E+300"}));

INSTANTIATE_TEST_SUITE_P(
    SectionsAndLiterals, FormatFloatTest,
    ::testing::Values(MaskCase{"0.00;(0.00)", -5, "(5.00)"}, MaskCase{"0.00;(0.00)", 5, "5.00"},
                      MaskCase{"0.00;0.00", -5, "5.00"}, // a given negative section adds no minus
                      MaskCase{"0.00;(0.00);'zero'", 0, "zero"}, MaskCase{"0.00;;zero", 0, "zero"},
                      MaskCase{"0.00;;", 0, "0.00"}, MaskCase{"0;;", -3, "-3"}, MaskCase{"0;(0);-;x", 0, "-"},
                      MaskCase{"'$'#,##0.00", 1234.5, "$1,234.50"}, MaskCase{"\"Total: \"0", 7, "Total: 7"},
                      MaskCase{"0 kg", 5, "5 kg"}, MaskCase{"0' ; '0", 12, "1 ; 2"},
                      MaskCase{"0'%'", 5, "5%"}, MaskCase{"0%", 5, "5%"}, MaskCase{"'0.#,E+0'", 1, "0.#,E+0"},
                      MaskCase{"abc", 5, "abc"}, MaskCase{"abc", -5, "-abc"}, MaskCase{"0 'abc", 5, "5 abc"},
                      MaskCase{"0E", 5, "5E"}, MaskCase{"", 1.5, "1.5"}, MaskCase{"", 0.1 + 0.2, "0.3"}));

TEST(FormatFloat, FollowsTheRegionalSeparators) {
    TFormatSettings german = TFormatSettings::Fixed();
    german.DecimalSeparator = ',';
    german.ThousandSeparator = '.';
    TLocale::SetCurrent(german);
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5), "1.234.567,50");
    EXPECT_EQ(FormatFloat("0.0E+0", 1234), "1,2E+3");
    EXPECT_EQ(FormatFloat("", 2.5), "2,5");
    TLocale::SetCurrent(TFormatSettings::Fixed());
}

TEST(FormatFloat, NotFiniteValuesUseTheGeneralText) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()),
              FormatFloat("", std::numeric_limits<double>::infinity()));
}

TEST(PercentText, FixedWithoutDecimals) {
    EXPECT_EQ(PercentText(42.4), "42%");
    EXPECT_EQ(PercentText(42.5), "43%");
    EXPECT_EQ(PercentText(0), "0%");
    EXPECT_EQ(PercentText(100), "100%");
    EXPECT_EQ(PercentText(1234567), "1234567%"); // no grouping
    EXPECT_EQ(PercentText(-12.5), "-13%");
    EXPECT_EQ(PercentText(-0.3), "0%");
}
