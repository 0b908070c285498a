#include <gtest/gtest.h>

#include "grid/shared/CalcProvider.h"

using namespace tolvane;

TEST(CalcProvider, PercentOfMaximum) {
    EXPECT_DOUBLE_EQ(TCalcProvider::CalcPercent(200, 50), 25);
    EXPECT_DOUBLE_EQ(TCalcProvider::CalcPercent(10, 15), 150);
    EXPECT_DOUBLE_EQ(TCalcProvider::CalcPercent(-4, 1), -25);
}

TEST(CalcProvider, PercentOfZeroMaximumIsZero) {
    EXPECT_EQ(TCalcProvider::CalcPercent(0, 5), 0);
    EXPECT_EQ(TCalcProvider::CalcPercent(0, 0), 0);
    EXPECT_EQ(TCalcProvider::CalcPercent(0, -3), 0);
}

struct IntersectCase {
    TRect A, B;
    bool Expected;
};

class RectsIntersectTest : public ::testing::TestWithParam<IntersectCase> {};

TEST_P(RectsIntersectTest, BothOrders) {
    const IntersectCase& c = GetParam();
    EXPECT_EQ(TCalcProvider::RectsIntersect(c.A, c.B), c.Expected);
    EXPECT_EQ(TCalcProvider::RectsIntersect(c.B, c.A), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    CalcProvider, RectsIntersectTest,
    ::testing::Values(IntersectCase{{0, 0, 10, 10}, {5, 5, 15, 15}, true},
                      IntersectCase{{0, 0, 10, 10}, {10, 0, 20, 10}, true}, // shared edge
                      IntersectCase{{0, 0, 10, 10}, {0, 10, 10, 20}, true},
                      IntersectCase{{0, 0, 10, 10}, {10, 10, 20, 20}, true}, // one corner
                      IntersectCase{{0, 0, 10, 10}, {11, 0, 20, 10}, false},
                      IntersectCase{{0, 0, 10, 10}, {0, 11, 10, 20}, false},
                      IntersectCase{{0, 0, 10, 10}, {2, 2, 4, 4}, true},
                      IntersectCase{{0, 0, 10, 10}, {-20, -20, -1, -1}, false}));

struct AlignCase {
    int Width, Height;
    TVerticalAlignment Vertical;
    TAlignment Horizontal;
    TRect Bounds;
    int Margin;
    TPoint Expected;
};

class AlignBoxTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignBoxTest, PlacesTheBox) {
    const AlignCase& c = GetParam();
    EXPECT_EQ(TCalcProvider::AlignBox(c.Width, c.Height, c.Vertical, c.Horizontal, c.Bounds, c.Margin),
              c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    CalcProvider, AlignBoxTest,
    ::testing::Values(AlignCase{13, 13, vaMiddle, taCenter, {0, 0, 20, 20}, 2, {4, 4}}, // 10 - 6
                      AlignCase{13, 13, vaTop, taLeftJustify, {5, 7, 40, 30}, 2, {7, 9}},
                      AlignCase{13, 13, vaBottom, taRightJustify, {5, 7, 40, 30}, 2, {25, 15}},
                      AlignCase{6, 11, vaMiddle, taCenter, {0, 3, 12, 20}, 0, {3, 6}},
                      AlignCase{11, 11, vaMiddle, taCenter, {10, 10, 21, 21}, 5, {10, 10}}, // margin ignored
                      AlignCase{30, 30, vaMiddle, taCenter, {0, 0, 10, 10}, 0, {-10, -10}},
                      AlignCase{4, 4, vaMiddle, taCenter, {-9, -9, 0, 0}, 0, {-7, -7}}, // div toward zero
                      AlignCase{8, 8, vaBottom, taLeftJustify, {0, 0, 10, 10}, 0, {0, 2}}));

TEST(CalcProvider, AdjustRectMovesEachEdgeByItsOwnDelta) {
    EXPECT_EQ(TCalcProvider::AdjustRect({10, 20, 30, 40}, 1, -2, 3, -4), (TRect{11, 18, 33, 36}));
    EXPECT_EQ(TCalcProvider::AdjustRect({10, 20, 30, 40}, 0, 0, 0, 0), (TRect{10, 20, 30, 40}));
}
