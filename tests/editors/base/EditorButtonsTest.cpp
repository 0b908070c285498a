#include <vector>

#include <gtest/gtest.h>

#include "grid/editors/base/ExecuteButton.h"
#include "grid/editors/base/SpinButtons.h"
#include "support/InputSimulator.h"

namespace tolvane {
namespace {

using test::InputSimulator;

class SpinButtonsTest : public ::testing::Test {
protected:
    SpinButtonsTest() : input(buttons) {
        buttons.SetBounds(0, 0, 16, 20);
        buttons.OnSpin = [this](TSpinButtons&, int part) { steps.push_back(part); };
    }
    TSpinButtons buttons;
    InputSimulator input;
    std::vector<int> steps;
};

TEST_F(SpinButtonsTest, HoldingStepsAtOnceThenEveryRepeatAfterTheDelay) {
    input.MouseDown(mbLeft, 8, 4);
    EXPECT_EQ(steps, std::vector<int>({1}));
    EXPECT_TRUE(buttons.DelayTimer().Enabled());
    EXPECT_EQ(buttons.DelayTimer().Interval(), 400);
    EXPECT_FALSE(buttons.RepeatTimer().Enabled());

    buttons.DelayTimer().Tick(); // 400 ms later
    ASSERT_TRUE(buttons.RepeatTimer().Enabled());
    EXPECT_EQ(buttons.RepeatTimer().Interval(), 20);
    EXPECT_EQ(steps.size(), 1u);
    for (int i = 0; i < 3; ++i) buttons.RepeatTimer().Tick();
    buttons.DelayTimer().Tick(); // the delay keeps running and must not restart the repeat
    EXPECT_TRUE(buttons.RepeatTimer().Enabled());
    EXPECT_EQ(steps, std::vector<int>({1, 1, 1, 1}));

    input.MouseUp(mbLeft, 8, 4);
    EXPECT_FALSE(buttons.DelayTimer().Enabled());
    EXPECT_FALSE(buttons.RepeatTimer().Enabled());
    EXPECT_EQ(buttons.PressedPart(), 0);
}

TEST_F(SpinButtonsTest, ReleaseBeforeTheDelayGivesOneStepOfTheLowerArrow) {
    input.MouseDown(mbLeft, 8, 15);
    input.MouseUp(mbLeft, 8, 15);
    EXPECT_EQ(steps, std::vector<int>({2}));
    EXPECT_FALSE(buttons.DelayTimer().Enabled());
    EXPECT_FALSE(buttons.RepeatTimer().Enabled());
}

TEST_F(SpinButtonsTest, PressedPartFromKeysStepsAndRearmsTheDelay) {
    buttons.SetPressedPart(1);
    buttons.SetPressedPart(1); // an auto-repeated key-down
    EXPECT_EQ(steps, std::vector<int>({1, 1}));
    EXPECT_TRUE(buttons.DelayTimer().Enabled());
    buttons.SetPressedPart(0);
    EXPECT_FALSE(buttons.DelayTimer().Enabled());
    buttons.RepeatTimer().Tick(); // a late tick after the release steps nothing
    EXPECT_EQ(steps.size(), 2u);
}

TEST_F(SpinButtonsTest, HotPartFollowsThePointer) {
    input.MouseMove(8, 15);
    EXPECT_EQ(buttons.HotPart(), 2);
    input.MouseMove(8, 2);
    EXPECT_EQ(buttons.HotPart(), 1);
    input.Leave();
    EXPECT_EQ(buttons.HotPart(), 0);
}

TEST(SmallButton, ReleaseFiresOnlyAfterAPressOfThisButton) {
    TExecuteButton button;
    button.SetBounds(0, 0, 21, 20);
    InputSimulator input(button);
    int presses = 0, releases = 0;
    button.OnPress = [&](TSmallButton& b) {
        ++presses;
        EXPECT_TRUE(b.Down());
    };
    button.OnRelease = [&](TSmallButton& b) {
        ++releases;
        EXPECT_FALSE(b.Down());
    };

    input.MouseUp(mbLeft, 5, 5); // a release that ends no press here
    EXPECT_EQ(releases, 0);
    input.MouseDown(mbLeft, 5, 5);
    input.MouseUp(mbLeft, 50, 50); // released off the button: still the end of its press
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(button.Width(), TExecuteButton::DefaultWidth);
}

} // namespace
} // namespace tolvane
