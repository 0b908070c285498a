#pragma once
// High-density test runs: CTest starts some test programs a second time with QT_SCALE_FACTOR
// and TOLVANE_TEST_PIXEL_RATIO set to the same ratio. Tests check that the ratio took effect
// instead of silently testing at 1.

#include <gtest/gtest.h>

namespace tolvane::test {

// The ratio this run was started for; 0 in an ordinary run.
double ExpectedPixelRatio();

} // namespace tolvane::test

// `ratio` is what the control got from its screen. In a high-density run it must be the expected
// one (the test fails otherwise); in an ordinary run a test that needs high density skips.
#define REQUIRE_PIXEL_RATIO(ratio, needsHighDensity)                                                         \
    do {                                                                                                     \
        const double expected_ = ::tolvane::test::ExpectedPixelRatio();                                      \
        if (expected_ != 0) {                                                                                \
            ASSERT_DOUBLE_EQ(double(ratio), expected_) << "the screen's pixel ratio did not take effect";    \
        } else if ((needsHighDensity) && double(ratio) == 1.0) {                                             \
            GTEST_SKIP() << "needs a high-density run (QT_SCALE_FACTOR)";                                    \
        }                                                                                                    \
    } while (false)
