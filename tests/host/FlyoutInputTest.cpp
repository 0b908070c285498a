// Flyouts and hints are feedback only: one shown under a resting pointer leaves the pointer, its
// moves and its clicks with the control below.
#include <QApplication>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "grid/host/FlyoutControl.h"
#include "grid/host/HintWindow.h"
#include "support/PointerRouter.h"

namespace tolvane {
namespace {

class Below : public TCustomControl {
public:
    std::vector<std::string> log;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseMove(TShiftState, int x, int y) override {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseLeave() override { log.push_back("leave"); }
};

TEST(FlyoutInputTest, PointerPassesThroughFlyoutsToTheControlBelow) {
    const struct {
        const char* kind;
        std::function<std::unique_ptr<TFlyoutControl>(TPoint at)> show;
    } flyouts[] = {
        {"hint window",
         [](TPoint at) {
             auto hint = std::make_unique<THintWindow>();
             hint->ActivateHint(TRect{at.X - 10, at.Y - 5, at.X + 90, at.Y + 15}, "a hint");
             return std::unique_ptr<TFlyoutControl>(std::move(hint));
         }},
        {"flyout",
         [](TPoint at) {
             auto flyout = std::make_unique<TFlyoutControl>();
             flyout->SetBounds(0, 0, 40, 40);
             flyout->ShowAt(at.X - 20, at.Y - 20);
             return flyout;
         }},
    };
    for (const auto& f : flyouts) {
        SCOPED_TRACE(f.kind);
        QWidget window;
        window.setGeometry(100, 100, 300, 200);
        Below below;
        below.SetParentWidget(&window);
        below.SetBounds(0, 0, 300, 200);
        window.show();
        const TPoint at = below.ClientToScreen({50, 40});
        test::PointerRouter pointer;
        pointer.MoveTo(QPoint(at.X, at.Y));
        ASSERT_EQ(below.log, std::vector<std::string>{"move 50,40"});

        const auto flyout = f.show(at);
        ASSERT_TRUE(flyout->Showing());
        ASSERT_TRUE(flyout->Widget()->geometry().contains(QPoint(at.X, at.Y)));
        pointer.MoveTo(QPoint(at.X + 1, at.Y));
        pointer.Click();
        EXPECT_EQ(below.log, (std::vector<std::string>{"move 50,40", "move 51,40", "down 51,40"}));
        EXPECT_EQ(pointer.Target(), below.ClientWidget());
        EXPECT_TRUE(flyout->Showing());
    }
}

} // namespace
} // namespace tolvane
