#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/editors/popups/PopupList.h"
#include "grid/host/Bitmap.h"
#include "grid/host/PopupWindow.h"
#include "support/InputSimulator.h"

using namespace tolvane;
using tolvane::test::InputSimulator;

namespace {

QStringList Numbered(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i) items << QStringLiteral("Item %1").arg(i);
    return items;
}

// A list as the combo box editor drops it: 120 wide, at most 8 rows of 16 pixels.
struct ListFixture {
    QStringList items;
    TPopupList list;
    InputSimulator sim{list};
    std::vector<std::string> chosen;
    int closes = 0;

    explicit ListFixture(int count, int dropDownCount = 8) : items(Numbered(count)) {
        list.SetItems(&items);
        list.SetDropDownSize(120, dropDownCount);
        list.OnSelect = [this](TPopupView*, const QString& value) { chosen.push_back(value.toStdString()); };
        list.OnCloseUp = [this](TPopupView*) { ++closes; };
    }
    // Opens the list as a click on the editor does, the opening release included.
    void Open(const QString& text = QString()) {
        list.SetText(text);
        list.Popup(40, 40);
        sim.MouseUp(mbLeft, 5, -8);
        list.PaintNow();
    }
    // Rows painted: each row's first pixel column shows the window or the highlight colour.
    int HighlightedRow() {
        for (int r = 0; r * 16 < list.ClientHeight(); ++r)
            if (list.SurfacePixel(list.ClientWidth() - 1, r * 16 + 8) == ColorToRGB(clHighlight)) return r;
        return -1;
    }
};

} // namespace

TEST(PopupList, ShowsAtMostDropDownCountRowsAndScrollsTheRest) {
    struct Case {
        int items, dropDownCount;
        int rows, maxTop;
    } cases[] = {{3, 8, 3, 0}, {20, 8, 8, 12}, {8, 8, 8, 0}, {0, 8, 0, 0}};
    for (const Case& c : cases) {
        ListFixture f(c.items, c.dropDownCount);
        f.Open();
        const std::string what = std::to_string(c.items) + " items";
        EXPECT_EQ(f.list.ClientHeight(), c.rows * 16) << what;
        EXPECT_EQ(f.list.VertScrollBar().Max(), c.maxTop) << what;
        EXPECT_EQ(f.list.ScrollBarVisible(sbVertical), c.maxTop > 0) << what;
        EXPECT_EQ(f.list.ClientWidth() < 116, c.maxTop > 0) << what; // the bar takes its width
    }
    // With 20 items the last one scrolls into the last row.
    ListFixture f(20);
    f.Open();
    EXPECT_EQ(f.HighlightedRow(), 0);
    f.sim.Key(VK_END);
    f.list.PaintNow();
    EXPECT_EQ(f.list.TopIndex(), 12);
    EXPECT_EQ(f.HighlightedRow(), 7);
}

TEST(PopupList, OpensAtTheSelectionOrElseAtTheEditorText) {
    struct Case {
        const char* what;
        int selected;
        const char* text;
        int hot, top;
    } cases[] = {
        {"first opening starts at item 0 whatever the text", 0, "Item 5", 0, 0},
        {"a valid selection wins", 4, "Item 9", 4, 4},
        {"a selection near the end keeps the last page full", 18, "", 18, 12},
        {"selection outside the items: the text is looked up", -1, "Item 9", 9, 9},
        {"the look-up is case-sensitive", 25, "item 9", 0, 0},
        {"no match highlights the first item", -1, "nothing", 0, 0},
    };
    for (const Case& c : cases) {
        ListFixture f(20);
        f.list.SetSelectedIndex(c.selected);
        f.Open(QString::fromLatin1(c.text));
        EXPECT_EQ(f.list.HotIndex(), c.hot) << c.what;
        EXPECT_EQ(f.list.TopIndex(), c.top) << c.what;
    }
}

TEST(PopupList, KeysMoveTheHotRowAndChoose) {
    struct Case {
        std::vector<int> keys;
        int hot, top;
        std::vector<std::string> chosen;
    } cases[] = {
        {{VK_DOWN, VK_DOWN}, 2, 0, {}},
        {{VK_UP}, 0, 0, {}},
        {{VK_END}, 19, 12, {}},
        {{VK_END, VK_DOWN}, 19, 12, {}},
        {{VK_END, VK_HOME}, 0, 0, {}},
        {{VK_NEXT}, 8, 1, {}},
        {{VK_END, VK_PRIOR, VK_UP}, 10, 10, {}},
        {{VK_DOWN, VK_RETURN}, 1, 0, {"Item 1"}},
        {{VK_END, VK_RETURN}, 19, 12, {"Item 19"}},
        {{VK_DOWN, VK_ESCAPE}, 1, 0, {}},
    };
    for (const Case& c : cases) {
        ListFixture f(20);
        f.Open();
        for (int key : c.keys) f.sim.Key(key);
        EXPECT_EQ(f.list.HotIndex(), c.hot) << c.keys.size() << " keys, last " << c.keys.back();
        EXPECT_EQ(f.list.TopIndex(), c.top) << c.keys.back();
        EXPECT_EQ(f.chosen, c.chosen) << c.keys.back();
        const bool closing = c.keys.back() == VK_RETURN || c.keys.back() == VK_ESCAPE;
        EXPECT_EQ(f.list.Closed(), closing) << c.keys.back();
        EXPECT_EQ(f.closes, closing ? 1 : 0) << c.keys.back();
        if (!c.chosen.empty()) {
            EXPECT_EQ(f.list.SelectedIndex(), c.hot);
        }
    }
}

TEST(PopupList, WheelScrollsThreeItemsANotchWithinTheRange) {
    ListFixture f(20);
    f.Open();
    f.sim.Wheel(-120, 10, 10);
    EXPECT_EQ(f.list.TopIndex(), 3);
    f.sim.Wheel(-360, 10, 10);
    EXPECT_EQ(f.list.TopIndex(), 12);
    f.sim.Wheel(120, 10, 10);
    EXPECT_EQ(f.list.TopIndex(), 9);
    f.sim.Wheel(600, 10, 10);
    EXPECT_EQ(f.list.TopIndex(), 0);
    EXPECT_EQ(f.list.HotIndex(), 0);
}

TEST(PopupList, PointerHighlightsAndAClickChoosesTheRowUnderIt) {
    ListFixture f(20);
    f.Open();
    f.sim.Wheel(-120, 10, 10); // item 3 on top
    f.list.PaintNow();
    f.sim.MouseMove(10, 2 * 16 + 3);
    EXPECT_EQ(f.list.HotIndex(), 5);
    EXPECT_EQ(f.list.PreviousHotIndex(), 0);
    // Only the new row is on screen to repaint; the old one scrolled away.
    EXPECT_EQ(f.list.InvalidBounds(), (TRect{0, 32, f.list.ClientWidth(), 48}));
    f.list.PaintNow();
    EXPECT_EQ(f.HighlightedRow(), 2);
    EXPECT_EQ(f.list.SurfacePixel(f.list.ClientWidth() - 1, 8), ColorToRGB(clWindow));
    f.sim.Click(10, 2 * 16 + 3);
    EXPECT_EQ(f.chosen, (std::vector<std::string>{"Item 5"}));
    EXPECT_EQ(f.list.SelectedIndex(), 5);
    EXPECT_TRUE(f.list.Closed());
}

TEST(PopupList, APointBelowTheLastItemChoosesNothing) {
    ListFixture f(3, 8);
    f.list.SetBounds(0, 0, 120, 100); // taller than its items
    f.Open();
    f.list.PaintNow();
    EXPECT_EQ(f.list.SurfacePixel(5, 80), ColorToRGB(clWindow));
    f.sim.MouseMove(10, 80);
    EXPECT_EQ(f.list.HotIndex(), 0);
    f.sim.Click(10, 80);
    EXPECT_TRUE(f.chosen.empty());
    EXPECT_EQ(f.list.SelectedIndex(), 0);
    EXPECT_FALSE(f.list.Closed());
}

TEST(PopupList, ItemHeightIsAtLeastOne) {
    TPopupList list;
    list.SetItemHeight(0);
    EXPECT_EQ(list.ItemHeight(), 1);
    list.SetItemHeight(-7);
    EXPECT_EQ(list.ItemHeight(), 1);
    list.SetItemHeight(20);
    EXPECT_EQ(list.ItemHeight(), 20);
}

TEST(PopupList, DrawsImagesBeforeTheTextsThatHaveOne) {
    ListFixture f(3);
    TBitmap red(8, 8);
    red.Canvas().Brush.Color = clRed;
    red.Canvas().FillRect(TRect{0, 0, 8, 8});
    TImageList images(8, 8);
    images.Add(red);
    f.list.SetImages(&images);
    f.list.SetShowImages(true);
    f.list.SetSelectedIndex(2);
    f.Open();
    EXPECT_EQ(f.list.SurfacePixel(2, 4), clRed); // image 0, centred in its 16-pixel row
    EXPECT_EQ(f.list.SurfacePixel(9, 11), clRed);
    EXPECT_EQ(f.list.SurfacePixel(2, 3), ColorToRGB(clWindow));
    EXPECT_EQ(f.list.SurfacePixel(4, 16 + 8), ColorToRGB(clWindow)); // item 1 has no image
    f.list.SetShowImages(false);
    f.list.PaintNow();
    EXPECT_EQ(f.list.SurfacePixel(4, 8), ColorToRGB(clWindow));
}

// An item wider than the screen: the list is fitted into the work area and opens inside it.
TEST(PopupList, NeverOpensWiderThanTheScreen) {
    ListFixture f(3);
    f.items << QString(2000, QLatin1Char('W'));
    f.list.SetDropDownSize(120, 8);
    const TRect area = TPopupWindow::WorkAreaAt(TPoint{40, 40});
    ASSERT_FALSE(area.IsEmpty());
    ASSERT_GT(f.list.Width(), area.Width());
    f.Open();
    EXPECT_EQ(f.list.Width(), area.Width());
    EXPECT_GE(f.list.Left(), area.Left);
    EXPECT_LE(f.list.Left() + f.list.Width(), area.Right);
}

// The widest item is measured once for the same strings and font, and again when either changes.
TEST(PopupList, ItsWidthFollowsItsItemsAndFont) {
    ListFixture f(3);
    const int narrow = f.list.Width();
    f.items[1] = QString(60, QLatin1Char('W')); // same count, one item wider
    f.list.SetDropDownSize(120, 8);
    const int wide = f.list.Width();
    EXPECT_GT(wide, narrow);
    TFont bigger = f.list.Font();
    bigger.Height *= 2;
    f.list.SetFont(bigger);
    f.list.SetDropDownSize(120, 8);
    EXPECT_GT(f.list.Width(), wide);
    f.items[1] = QStringLiteral("W");
    f.list.SetDropDownSize(120, 8);
    EXPECT_LT(f.list.Width(), wide);
}
