#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QAbstractSlider>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "grid/host/CustomControl.h"
#include "support/InputSimulator.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace tolvane {
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
} // namespace tolvane

namespace {

// Paints a fixed colour and records every call of its hooks.
class Recorder : public TCustomControl {
public:
    TColor fill = clRed;
    int paints = 0;
    TRect paintClip;
    std::vector<std::string> log;
    std::vector<std::pair<int, int>> vscroll;

    void Paint() override {
        ++paints;
        paintClip = Canvas().GetClipBox();
        Canvas().Brush.Color = fill;
        Canvas().FillRect(ClientRect());
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        log.push_back("down " + std::to_string(b) + (s.Contains(ssDouble) ? " double" : "") + " " +
                      std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        log.push_back("up " + std::to_string(b));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void MouseMove(TShiftState s, int x, int y) override {
        log.push_back(std::string("move") + (s.Contains(ssLeft) ? " left" : "") + " " + std::to_string(x) +
                      "," + std::to_string(y));
    }
    void Click() override {
        log.push_back("click");
        TCustomControl::Click();
    }
    void DblClick() override { log.push_back("dblclick"); }
    void KeyDown(int& key, TShiftState s) override {
        log.push_back("keydown " + std::to_string(key) + (s.Contains(ssCtrl) ? " ctrl" : ""));
    }
    void KeyPress(QChar& key) override { log.push_back("keypress " + std::to_string(key.unicode())); }
    void DoEnter() override { log.push_back("enter"); }
    void DoExit() override { log.push_back("exit"); }
    void WMVScroll(int code, int pos) override { vscroll.emplace_back(code, pos); }
};

} // namespace

TEST(CustomControl, PaintRunsForTheInvalidAreaOnly) {
    Recorder c;
    c.SetBounds(0, 0, 50, 40);
    c.PaintNow();
    EXPECT_EQ(c.paints, 1);
    EXPECT_EQ(c.SurfacePixel(49, 39), clRed);
    c.PaintNow();
    EXPECT_EQ(c.paints, 1); // nothing invalid
    c.fill = clBlue;
    c.InvalidateRect(Rect(10, 10, 20, 15));
    c.PaintNow();
    EXPECT_EQ(c.paints, 2);
    EXPECT_EQ(c.paintClip, Rect(10, 10, 20, 15));
    EXPECT_EQ(c.SurfacePixel(10, 10), clBlue);
    EXPECT_EQ(c.SurfacePixel(19, 14), clBlue);
    EXPECT_EQ(c.SurfacePixel(20, 14), clRed);
    EXPECT_EQ(c.Canvas().GetClipBox(), c.ClientRect()); // the clip ends with the paint
}

TEST(CustomControl, ValidateRectRemovesPendingPaint) {
    Recorder c;
    c.SetBounds(0, 0, 20, 20);
    c.PaintNow();
    c.InvalidateRect(Rect(0, 0, 5, 5));
    c.ValidateRect(Rect(0, 0, 5, 5));
    EXPECT_FALSE(c.PaintPending());
    c.PaintNow();
    EXPECT_EQ(c.paints, 1);
}

TEST(CustomControl, BorderAndScrollBarsShrinkTheClientArea) {
    Recorder c;
    c.SetBounds(0, 0, 100, 80);
    EXPECT_EQ(c.ClientWidth(), 100);
    c.SetBorderStyle(bsSingle);
    EXPECT_EQ(c.ClientWidth(), 98);
    EXPECT_EQ(c.ClientHeight(), 78);
    c.ShowScrollBar(sbVertical, true);
    EXPECT_LT(c.ClientWidth(), 98);
    EXPECT_EQ(c.ClientHeight(), 78);
    EXPECT_EQ(c.Surface().width(), c.ClientWidth());
}

TEST(CustomControl, ScrollWindowMovesPixelsAndInvalidatesTheStrip) {
    struct Rows : TCustomControl {
        void Paint() override {
            for (int y = 0; y < ClientHeight(); ++y) {
                Canvas().Brush.Color = RGB(0, 0, std::uint8_t(y));
                Canvas().FillRect(Rect(0, y, ClientWidth(), y + 1));
            }
        }
    } c;
    c.SetBounds(0, 0, 10, 50);
    c.PaintNow();
    c.ScrollWindowEx(0, -10, Rect(0, 5, 10, 50)); // contents move up inside rows 5..49
    EXPECT_EQ(c.SurfacePixel(3, 5), RGB(0, 0, 15));
    EXPECT_EQ(c.SurfacePixel(3, 39), RGB(0, 0, 49));
    EXPECT_EQ(c.SurfacePixel(3, 4), RGB(0, 0, 4)); // outside the clip
    EXPECT_EQ(c.InvalidBounds(), Rect(0, 40, 10, 50));
    c.ScrollWindowEx(3, 0, Rect(0, 0, 10, 50));
    EXPECT_EQ(c.SurfacePixel(5, 5), RGB(0, 0, 15));
    EXPECT_EQ(c.InvalidBounds(), Rect(0, 0, 10, 50)); // the old strip plus columns 0..2
}

TEST(CustomControl, ScrollInfoFollowsTheClassicRules) {
    Recorder c;
    c.SetBounds(0, 0, 100, 100);
    c.SetScrollInfo(sbVertical, 0, 99, 10, 500, true);
    EXPECT_EQ(c.GetScrollPos(sbVertical), 90); // max - page + 1
    EXPECT_TRUE(c.ScrollBarVisible(sbVertical));
    EXPECT_TRUE(c.ScrollBarEnabled(sbVertical));
    c.SetScrollInfo(sbVertical, 0, 5, 10, 3, true);
    EXPECT_TRUE(c.ScrollBarVisible(sbVertical));
    EXPECT_FALSE(c.ScrollBarEnabled(sbVertical));
    EXPECT_EQ(c.GetScrollPos(sbVertical), 0);
    c.SetScrollInfo(sbVertical, 0, 5, 10, 3, false);
    EXPECT_FALSE(c.ScrollBarVisible(sbVertical));
}

TEST(CustomControl, ScrollBarActionsArriveAsScrollMessages) {
    Recorder c;
    c.SetBounds(0, 0, 100, 100);
    c.SetScrollInfo(sbVertical, 0, 50, 10, 5, true);
    QAbstractSlider* vbar = nullptr;
    for (auto* s : c.Widget()->findChildren<QAbstractSlider*>())
        if (s->orientation() == Qt::Vertical) vbar = s;
    ASSERT_NE(vbar, nullptr);
    vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    vbar->triggerAction(QAbstractSlider::SliderPageStepSub);
    vbar->triggerAction(QAbstractSlider::SliderToMaximum);
    ASSERT_EQ(c.vscroll.size(), 3u);
    EXPECT_EQ(c.vscroll[0].first, SB_LINEDOWN);
    EXPECT_EQ(c.vscroll[1].first, SB_PAGEUP);
    EXPECT_EQ(c.vscroll[2].first, SB_BOTTOM);
    // The hook decided nothing, so the bar stays where the control put it.
    EXPECT_EQ(vbar->value(), 5);
}

TEST(CustomControl, MouseInputReachesTheHooks) {
    Recorder c;
    c.SetBounds(0, 0, 100, 100);
    int clicks = 0;
    c.OnClick = [&] { ++clicks; };
    InputSimulator in(c);
    in.MouseDown(mbLeft, 10, 12);
    in.MouseMove(11, 13);
    in.MouseUp(mbLeft, 11, 13);
    in.DoubleClick(5, 5);
    const std::vector<std::string> expected = {
        "down 0 10,12", "move left 11,13",   "click", "up 0", "down 0 5,5", "click", "up 0",
        "dblclick",     "down 0 double 5,5", "up 0"};
    EXPECT_EQ(c.log, expected);
    EXPECT_EQ(clicks, 2);
}

TEST(CustomControl, KeysArriveAsVirtualKeysThenCharacters) {
    Recorder c;
    c.SetBounds(0, 0, 10, 10);
    InputSimulator in(c);
    in.Key(VK_DOWN);
    in.Key('A', {ssCtrl});
    in.Key(VK_RETURN);
    const std::vector<std::string> expected = {"keydown 40", "keydown 65 ctrl", "keydown 13", "keypress 13"};
    EXPECT_EQ(c.log, expected);
}

TEST(CustomControl, WheelIsOfferedToTheEvents) {
    TCustomControl c;
    c.SetBounds(0, 0, 10, 10);
    int downs = 0, ups = 0;
    c.OnMouseWheelDown = [&](TShiftState, TPoint, bool& handled) {
        ++downs;
        handled = true;
    };
    c.OnMouseWheelUp = [&](TShiftState, TPoint, bool&) { ++ups; };
    InputSimulator in(c);
    in.Wheel(-120, 1, 1);
    in.Wheel(120, 1, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST(CustomControl, EnterAndExitAreAboutTheControlAndItsChildren) {
    QWidget window;
    window.resize(200, 200);
    Recorder grid, other;
    grid.SetParentWidget(&window);
    other.SetParentWidget(&window);
    grid.SetBounds(0, 0, 100, 100);
    other.SetBounds(100, 0, 100, 100);
    TCustomControl editor;
    editor.SetParentControl(&grid);
    editor.SetBounds(5, 5, 20, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    grid.SetFocus();
    EXPECT_TRUE(grid.Focused());
    editor.SetFocus(); // moving into a child is no exit
    EXPECT_FALSE(grid.Focused());
    other.SetFocus();
    const std::vector<std::string> expected = {"enter", "exit"};
    EXPECT_EQ(grid.log, expected);
    EXPECT_EQ(other.log, std::vector<std::string>{"enter"});
}

TEST(CustomControl, WidgetDeletedFirstLeavesAWorkingControl) {
    Recorder c;
    auto* parent = new QWidget;
    c.SetParentWidget(parent);
    c.SetBounds(0, 0, 30, 30);
    delete parent;
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_EQ(c.Widget(), nullptr);
    c.Invalidate();
    c.PaintNow();
    EXPECT_EQ(c.SurfacePixel(1, 1), clRed);
    c.SetScrollInfo(sbVertical, 0, 10, 1, 3);
    c.SetFocus();
}

TEST(CustomControl, ControlDeletedFirstRemovesItsWidget) {
    QWidget parent;
    auto c = std::make_unique<Recorder>();
    c->SetParentWidget(&parent);
    ASSERT_EQ(parent.findChildren<QWidget*>().size(), 4u); // outer, client and two bars
    c.reset();
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
}

TEST(CustomControl, ControlMayBeDestroyedByItsOwnHandler) {
    auto* c = new Recorder;
    c->SetBounds(0, 0, 10, 10);
    c->OnClick = [&] { delete c; };
    InputSimulator in(*c);
    QWidget* client = c->ClientWidget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(client, &press);
    QCoreApplication::sendEvent(client, &release); // deletes the control; must not crash
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
