#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QScrollBar>
#include <QWidget>

#include "grid/scroll/ScrollView.h"
#include "support/InputSimulator.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace tolvane {
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
} // namespace tolvane

namespace {

// Rows of 10 pixels, row r painted in colour r; the vertical position counts rows.
class RowView : public TScrollView {
public:
    std::vector<std::string> log;
    bool supplyDeltas = true;
    TPoint pointer;

    RowView() {
        SetBounds(0, 0, 60, 100);
        VertScrollBar().SetMax(50);
    }
    static TColor RowColour(int row) { return RGB(std::uint8_t(row), 0, 0); }
    void Paint() override {
        SetVertScrollRect(ClientRect());
        SetHorzScrollRect(ClientRect());
        const TRect clip = Canvas().GetClipBox();
        for (int y = clip.Top; y < clip.Bottom; ++y) {
            Canvas().Brush.Color = RowColour(VertScrollBar().Position() + y / 10);
            Canvas().FillRect(Rect(0, y, ClientWidth(), y + 1));
        }
    }
    int GetVertScrollDelta(int previous, int current) override {
        log.push_back("delta " + std::to_string(previous) + "->" + std::to_string(current));
        return supplyDeltas ? (previous - current) * 10 : TScrollView::GetVertScrollDelta(previous, current);
    }
    void ScrollContents(int dx, int dy) override {
        log.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
        TScrollView::ScrollContents(dx, dy);
    }
    void ScrollPositionChanged(TScrollBarKind kind) override {
        log.push_back(std::string("changed ") + (kind == sbVertical ? "v" : "h") +
                      (VertScrollBar().Locked() ? " locked" : ""));
    }

protected:
    TPoint RollPointer() const override { return pointer; }
};

} // namespace

struct ClampCase {
    int min, max, value, expected;
};

class ScrollBarClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ScrollBarClamp, PositionIsLimitedToMaxThenMin) {
    const ClampCase c = GetParam();
    RowView v;
    v.VertScrollBar().SetMax(c.max);
    v.VertScrollBar().SetMin(c.min);
    v.VertScrollBar().SetPosition(c.value);
    EXPECT_EQ(v.VertScrollBar().Position(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarClamp,
                         ::testing::Values(ClampCase{0, 50, 70, 50}, ClampCase{5, 50, 2, 5},
                                           ClampCase{0, 50, 20, 20}, ClampCase{30, 10, 20, 30},
                                           ClampCase{30, 10, 0, 30}));

TEST(ControlScrollBar, NegativeRangeEndsBecomeZero) {
    RowView v;
    v.VertScrollBar().SetMax(-4);
    v.VertScrollBar().SetMin(-2);
    EXPECT_EQ(v.VertScrollBar().Max(), 0);
    EXPECT_EQ(v.VertScrollBar().Min(), 0);
}

TEST(ControlScrollBar, PositionChangeMovesPixelsByTheViewsDelta) {
    RowView v;
    v.PaintNow();
    v.log.clear();
    v.VertScrollBar().SetPosition(3);
    EXPECT_EQ(v.VertScrollBar().PreviousPosition(), 0);
    const std::vector<std::string> expected = {"changed v", "delta 0->3", "scroll 0,-30"};
    EXPECT_EQ(v.log, expected);
    const int w = v.ClientWidth(), h = v.ClientHeight();
    EXPECT_EQ(v.SurfacePixel(5, 0), RowView::RowColour(3)); // old row 3 is now on top
    EXPECT_EQ(v.InvalidBounds(), Rect(0, h - 30, w, h));
    EXPECT_EQ(v.GetScrollPos(sbVertical), 3);
    v.PaintNow();
    EXPECT_EQ(v.SurfacePixel(5, h - 1), RowView::RowColour(3 + (h - 1) / 10));
}

TEST(ControlScrollBar, BaseClassDeltasMoveNoPixels) {
    RowView v;
    v.supplyDeltas = false;
    v.PaintNow();
    v.VertScrollBar().SetPosition(4);
    EXPECT_FALSE(v.PaintPending());
    EXPECT_EQ(v.SurfacePixel(5, 0), RowView::RowColour(0));
}

TEST(ControlScrollBar, MaxZeroWritesAndNotifiesButScrollsNothing) {
    RowView v;
    v.VertScrollBar().SetMax(0);
    v.log.clear();
    v.VertScrollBar().SetPosition(5);
    EXPECT_EQ(v.VertScrollBar().Position(), 0);
    EXPECT_EQ(v.log, std::vector<std::string>{"changed v"});
    v.log.clear();
    v.VertScrollBar().LineDown();
    v.VertScrollBar().PageDown();
    v.VertScrollBar().LineUp();
    v.VertScrollBar().PageUp();
    EXPECT_TRUE(v.log.empty());
}

TEST(ControlScrollBar, SetParamsAssignsEverythingUnderOneLock) {
    RowView v;
    v.log.clear();
    v.VertScrollBar().SetParams(7, 2, true, true, 1, 20);
    EXPECT_EQ(v.log.front(), "changed v locked");
    EXPECT_FALSE(v.VertScrollBar().Locked());
    EXPECT_EQ(v.VertScrollBar().Position(), 7);
    EXPECT_EQ(v.VertScrollBar().Min(), 2);
    EXPECT_EQ(v.VertScrollBar().Max(), 20);
    EXPECT_EQ(v.GetScrollPos(sbVertical), 7); // written when the lock ends
}

TEST(ControlScrollBar, VisibleAndEnabledReachThePlatformBar) {
    RowView v;
    v.VertScrollBar().SetVisible(false);
    EXPECT_FALSE(v.ScrollBarVisible(sbVertical));
    v.VertScrollBar().SetPosition(2); // writing the bar keeps it hidden
    EXPECT_FALSE(v.ScrollBarVisible(sbVertical));
    v.VertScrollBar().SetVisible(true);
    v.VertScrollBar().SetEnabled(false);
    EXPECT_TRUE(v.ScrollBarVisible(sbVertical));
    EXPECT_FALSE(v.ScrollBarEnabled(sbVertical));
}

struct MessageCase {
    int code;
    int expected; // from position 10, max 50, line step 2, page step 7; track position 33
};

class ScrollMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ScrollMessages, RequestsMoveThePosition) {
    RowView v;
    v.VertScrollBar().LineStep = 2;
    v.VertScrollBar().PageStep = 7;
    v.VertScrollBar().SetPosition(10);
    if (GetParam().code == SB_THUMBTRACK || GetParam().code == SB_THUMBPOSITION)
        v.SendScroll(sbVertical, GetParam().code, 33);
    else
        v.SendScroll(sbVertical, GetParam().code, 0);
    EXPECT_EQ(v.VertScrollBar().Position(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrollMessages,
                         ::testing::Values(MessageCase{SB_LINEUP, 8}, MessageCase{SB_LINEDOWN, 12},
                                           MessageCase{SB_PAGEUP, 3}, MessageCase{SB_PAGEDOWN, 17},
                                           MessageCase{SB_THUMBPOSITION, 33}, MessageCase{SB_THUMBTRACK, 33},
                                           MessageCase{SB_TOP, 0}, MessageCase{SB_BOTTOM, 50},
                                           MessageCase{SB_ENDSCROLL, 10}));

TEST(ScrollView, DraggingThePlatformThumbTracksThePosition) {
    RowView v;
    v.PaintNow();
    QScrollBar* bar = nullptr;
    for (auto* b : v.Widget()->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical) bar = b;
    ASSERT_NE(bar, nullptr);
    bar->setSliderDown(true);
    bar->setSliderPosition(20);
    EXPECT_EQ(v.VertScrollBar().Position(), 20);
    EXPECT_EQ(v.SurfacePixel(5, 0), RowView::RowColour(0)); // nothing repainted before the paint
    v.PaintNow();
    EXPECT_EQ(v.SurfacePixel(5, 0), RowView::RowColour(20));
    bar->setSliderDown(false);
    EXPECT_EQ(v.VertScrollBar().Position(), 20);
    EXPECT_EQ(bar->value(), 20);
}

TEST(ScrollView, HorizontalMessagesDriveTheHorizontalBar) {
    RowView v;
    v.HorzScrollBar().SetMax(30);
    v.HorzScrollBar().LineStep = 5;
    v.HorzScrollBar().LineDown();
    EXPECT_EQ(v.HorzScrollBar().Position(), 5);
    EXPECT_EQ(v.VertScrollBar().Position(), 0);
}

TEST(ScrollView, MiddleButtonRollScrollsByPointerDistance) {
    RowView v;
    InputSimulator in(v);
    in.MouseDown(mbMiddle, 20, 50);
    ASSERT_TRUE(v.Rolling());
    EXPECT_TRUE(v.RollTimer().Enabled());
    EXPECT_EQ(v.RollTimer().Interval(), 1);
    EXPECT_TRUE(v.RollMarker().Visible());
    EXPECT_EQ(v.RollMarker().Cursor(), crRoll);
    EXPECT_TRUE(v.MouseCapture());

    in.MouseMove(20, 200);
    EXPECT_TRUE(v.RollingDown());
    EXPECT_EQ(TScreen::Cursor(), crRollDown);
    EXPECT_EQ(v.RollMarker().Cursor(), crRollDown);
    v.pointer = TPoint{20, 200}; // 150 below the origin
    v.RollTimer().Tick();
    EXPECT_EQ(v.RollTimer().Interval(), 1);
    EXPECT_EQ(v.VertScrollBar().Position(), 1);

    v.pointer = TPoint{20, 90}; // 40 below
    v.RollTimer().Tick();
    EXPECT_EQ(v.RollTimer().Interval(), 60);
    EXPECT_EQ(v.VertScrollBar().Position(), 2);

    in.MouseMove(20, 10);
    EXPECT_TRUE(v.RollingUp());
    EXPECT_EQ(TScreen::Cursor(), crRollUp);
    v.pointer = TPoint{20, 10};
    v.RollTimer().Tick();
    EXPECT_EQ(v.VertScrollBar().Position(), 1);

    in.MouseMove(20, 54); // within 5 pixels: ticks without scrolling
    EXPECT_FALSE(v.RollingUp());
    EXPECT_FALSE(v.RollingDown());
    EXPECT_EQ(TScreen::Cursor(), crRoll);
    v.pointer = TPoint{20, 54};
    v.RollTimer().Tick();
    EXPECT_EQ(v.RollTimer().Interval(), 96);
    EXPECT_EQ(v.VertScrollBar().Position(), 1);
    EXPECT_EQ(v.HorzScrollBar().Position(), 0);

    in.MouseUp(mbMiddle, 20, 54);
    EXPECT_FALSE(v.Rolling());
    EXPECT_FALSE(v.RollTimer().Enabled());
    EXPECT_FALSE(v.RollMarker().Visible());
    EXPECT_EQ(TScreen::Cursor(), crDefault);
    EXPECT_FALSE(v.MouseCapture());
}

TEST(ScrollView, OtherButtonsDoNotRoll) {
    RowView v;
    InputSimulator in(v);
    in.MouseDown(mbLeft, 20, 50);
    EXPECT_FALSE(v.Rolling());
    in.MouseUp(mbLeft, 20, 50);
}

TEST(RollShadow, ShapeIsTwoArrowsAndADot) {
    const TWindowShape shape = TRollShadow::MarkerShape();
    EXPECT_TRUE(shape.Contains({7, 3}));  // up arrow
    EXPECT_TRUE(shape.Contains({6, 17})); // down arrow
    EXPECT_TRUE(shape.Contains({7, 11})); // dot
    EXPECT_FALSE(shape.Contains({12, 11}));
    EXPECT_FALSE(shape.Contains({20, 20}));
    EXPECT_FALSE(shape.Contains({7, 8})); // the gap between the up arrow and the dot
}

TEST(RollShadow, PlacedRelativeToTheStartPoint) {
    TRollShadow marker;
    marker.Place(100, 200);
    EXPECT_EQ(marker.BoundsRect(), Rect(93, 189, 125, 221));
    EXPECT_FALSE(marker.Shape().Empty());
    marker.Hide();
}
