#include <gtest/gtest.h>

#include "app/Formats.h"

namespace tolvane {
namespace {

struct TDurationCase {
    std::int64_t ms;
    const char* text;
};

class FormatDurationTest : public ::testing::TestWithParam<TDurationCase> {};

TEST_P(FormatDurationTest, GivesHoursMinutesSecondsAndMilliseconds) {
    EXPECT_EQ(FormatDuration(GetParam().ms), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatDurationTest,
    ::testing::Values(TDurationCase{0, "00:00:00,000"}, TDurationCase{5, "00:00:00,005"},
                      TDurationCase{999, "00:00:00,999"}, TDurationCase{1500, "00:00:01,500"},
                      TDurationCase{61000, "00:01:01,000"}, TDurationCase{3600000, "01:00:00,000"},
                      TDurationCase{86399999, "23:59:59,999"}, TDurationCase{234000000, "65:00:00,000"},
                      TDurationCase{360000000, "100:00:00,000"},
                      // 32-bit limit, and a total beyond it
                      TDurationCase{2147483647, "596:31:23,647"},
                      TDurationCase{3600000000LL * 10, "10000:00:00,000"}));

INSTANTIATE_TEST_SUITE_P(Negative, FormatDurationTest,
                         ::testing::Values(TDurationCase{-1, "-00:00:00,001"},
                                           TDurationCase{-61000, "-00:01:01,000"},
                                           TDurationCase{-2147483648LL, "-596:31:23,648"},
                                           TDurationCase{INT64_MIN, "-2562047788015:12:55,808"}));

struct TSizeCase {
    const char* digits;
    const char* text;
};

class FormatSizeTest : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(FormatSizeTest, GroupsDigitsInThrees) {
    EXPECT_EQ(FormatSize(GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatSizeTest,
                         ::testing::Values(TSizeCase{"", ""}, TSizeCase{"0", "  0 "},
                                           TSizeCase{"999", "999 "}, TSizeCase{"1000", "  1 000 "},
                                           TSizeCase{"1234567890", "  1 234 567 890 "},
                                           TSizeCase{"12", " 12 "},
                                           TSizeCase{"4831838208", "  4 831 838 208 "}));

// Text kept in the size field (the store is typeless) is grouped by characters, never cutting one
// of several bytes apart.
INSTANTIATE_TEST_SUITE_P(Text, FormatSizeTest,
                         ::testing::Values(TSizeCase{"абвг", "  а бвг "}, TSizeCase{"1 ГБ", "  1  ГБ "},
                                           TSizeCase{"日本", " 日本 "}));

TEST(FormatSize, ExampleOfTenDigitsIsSixteenCharacters) {
    EXPECT_EQ(FormatSize("1234567890").size(), 16u);
}

struct TFloatFieldCase {
    double value;
    const char* text;
};

class FloatFieldTextTest : public ::testing::TestWithParam<TFloatFieldCase> {};

TEST_P(FloatFieldTextTest, WholeNumbersKeepAllTheirDigits) {
    EXPECT_EQ(FloatFieldText(GetParam().value), GetParam().text);
}

// A title whose sizes are 2^63 - 1 and -1 sums beyond 64 bits as a double: its total is still
// digits, the nearest whole number the double holds.
INSTANTIATE_TEST_SUITE_P(Examples, FloatFieldTextTest,
                         ::testing::Values(TFloatFieldCase{0.0, "0"}, TFloatFieldCase{-0.0, "0"},
                                           TFloatFieldCase{1.5, "1.5"}, TFloatFieldCase{0.1 + 0.2, "0.3"},
                                           TFloatFieldCase{-42.0, "-42"},
                                           TFloatFieldCase{1e15, "1000000000000000"},
                                           TFloatFieldCase{9223372036854775807.0, "9223372036854775808"},
                                           TFloatFieldCase{-9223372036854775808.0, "-9223372036854775808"},
                                           TFloatFieldCase{1e20, "100000000000000000000"},
                                           TFloatFieldCase{1.5e-7, "1.5e-07"}));

} // namespace
} // namespace tolvane
