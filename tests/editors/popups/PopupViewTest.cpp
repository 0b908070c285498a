#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QWidget>

#include "grid/editors/popups/PopupView.h"
#include "support/InputSimulator.h"
#include "support/PointerRouter.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace {

// A popup that chooses the point it is released on.
class ProbeView : public TPopupView {
public:
    std::vector<std::string> log;
    ProbeView() {
        SetBounds(0, 0, 100, 60);
        OnSelect = [this](TPopupView*, const QString& value) {
            log.push_back("select " + value.toStdString());
        };
        OnCloseUp = [this](TPopupView*) { log.push_back(Closed() ? "closed" : "close event while open"); };
    }
    void SelectAt(int x, int y) override { Choose(QString::number(x) + "," + QString::number(y)); }
};

TRect WorkArea() {
    return TPopupWindow::WorkAreaAt(TPoint{0, 0});
}

} // namespace

TEST(PopupView, IsAFramedTopMostToolWindowThatLeavesTheFocusAlone) {
    ProbeView view;
    EXPECT_TRUE(view.Window().IsTopLevel());
    EXPECT_TRUE(view.Window().StaysOnTop());
    EXPECT_FALSE(view.Window().InTaskList());
    EXPECT_FALSE(view.Window().TakesFocus());
    EXPECT_TRUE(view.Closed());
    EXPECT_FALSE(view.Showing());
    EXPECT_EQ(view.BorderWidth(), 2);
    EXPECT_EQ(view.ClientWidth(), 96); // no scroll bars of its own
    view.Popup(10, 10);
    view.SetFocus();
    EXPECT_FALSE(view.Focused());
    // Unlike a flyout it takes the clicks over it, the scroll bar's included.
    QWidget* under = tolvane::test::PointerRouter::WidgetAt(QPoint(10 + 50, 10 + 30));
    ASSERT_NE(under, nullptr);
    EXPECT_EQ(under->window(), view.Widget());
    EXPECT_FALSE(under->testAttribute(Qt::WA_TransparentForMouseEvents));
    view.PaintNow();
    EXPECT_EQ(view.WindowPixel(0, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(view.WindowPixel(99, 59), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(view.WindowPixel(1, 1), clWhite);
    EXPECT_EQ(view.WindowPixel(98, 58), clWhite);
    view.ClosePopup();
}

TEST(PopupView, StaysInsideTheWorkAreaHorizontallyOnly) {
    const TRect area = WorkArea();
    ASSERT_GT(area.Width(), 300);
    struct Case {
        const char* what;
        int x, y, width;
        int left, top;
    } cases[] = {
        {"room enough", area.Left + 50, area.Top + 40, 100, area.Left + 50, area.Top + 40},
        {"right edge exactly on the work area's", area.Right - 100, 40, 100, area.Right - 100, 40},
        {"crossing the right edge", area.Right - 30, 40, 100, area.Right - 101, 40},
        {"wider than the work area", area.Right - 30, 40, area.Width() + 50, area.Left, 40},
        {"left of the work area", area.Left - 20, 40, 100, area.Left, 40},
        {"below the bottom edge", 50, area.Bottom - 5, 100, 50, area.Bottom - 5},
    };
    for (const Case& c : cases) {
        ProbeView view;
        view.SetBounds(0, 0, c.width, 60);
        view.Popup(c.x, c.y);
        EXPECT_EQ(view.Left(), c.left) << c.what;
        EXPECT_EQ(view.Top(), c.top) << c.what;
        EXPECT_EQ(view.Width(), c.width) << c.what;
        view.ClosePopup();
    }
}

TEST(PopupView, TheOpeningReleaseOnlyArms) {
    ProbeView view;
    InputSimulator sim(view);
    view.Popup(20, 20);
    EXPECT_FALSE(view.Closed());
    EXPECT_FALSE(view.Armed());
    EXPECT_TRUE(view.Showing());
    EXPECT_TRUE(view.MouseCapture());
    sim.MouseUp(mbLeft, 10, 10); // the click that opened it ends over the popup
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(view.Armed());
    EXPECT_FALSE(view.Closed());
    EXPECT_TRUE(view.MouseCapture());
    sim.Click(12, 7);
    EXPECT_EQ(view.log, (std::vector<std::string>{"select 12,7", "closed"}));
    EXPECT_FALSE(view.Showing());
    EXPECT_FALSE(view.MouseCapture());
}

TEST(PopupView, AReleaseOutsideClosesWithoutChoosing) {
    ProbeView view;
    InputSimulator sim(view);
    view.Popup(20, 20);
    sim.MouseUp(mbLeft, -5, -30); // opening release, over the editor above
    EXPECT_FALSE(view.Closed());
    sim.Click(-40, 30);
    EXPECT_EQ(view.log, (std::vector<std::string>{"closed"}));
    EXPECT_TRUE(view.Closed());
    // A closed popup ignores stray releases.
    sim.MouseUp(mbLeft, 5, 5);
    EXPECT_EQ(view.log.size(), 1u);
}

TEST(PopupView, GivesUpTheMouseOverItselfAndTakesItBackOutside) {
    ProbeView view;
    InputSimulator sim(view);
    view.Popup(20, 20);
    sim.MouseMove(-10, -10);
    EXPECT_TRUE(view.MouseCapture());
    sim.MouseMove(30, 30);
    EXPECT_FALSE(view.MouseCapture());
    sim.MouseMove(-10, 30); // moves outside arrive while it holds the mouse again
    EXPECT_TRUE(view.MouseCapture());
    sim.MouseMove(30, 30);
    // Leaving the window through its edge takes the mouse back.
    QCursor::setPos(view.Left() + view.Width() + 50, view.Top());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view.Widget(), &leave);
    EXPECT_TRUE(view.MouseCapture());
    view.ClosePopup();
    EXPECT_FALSE(view.MouseCapture());
    QCoreApplication::sendEvent(view.Widget(), &leave);
    EXPECT_FALSE(view.MouseCapture()); // closed: stays released
}
