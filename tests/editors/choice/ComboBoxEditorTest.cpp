// The combo box editor through real mouse, key and wheel events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PopupEditorDriver.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/host/EditField.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

QStringList Colours(int count) {
    const QStringList names{"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "Black", "White"};
    QStringList items;
    for (int i = 0; i < count; ++i) items << names[i % names.size()] + QString::number(i / names.size());
    return items;
}

struct ComboFixture {
    TComboBoxEditor editor;
    PopupEditorDriver drive{editor};
    std::vector<std::string> events;

    explicit ComboFixture(TDropDownStyle style, int items = 3) {
        editor.SetItems(Colours(items));
        editor.SetStyle(style);
        editor.OnPopupClose = [this](TCellEditor& e) {
            events.push_back("close: text " + e.Text().toStdString() + ", index " +
                             std::to_string(editor.ItemIndex()));
        };
        editor.OnChange = [this](TCellEditor& e) { events.push_back("change: " + e.Text().toStdString()); };
        drive.Show();
    }
};

} // namespace

TEST(ComboBoxEditor, AListOpensOnAnyClickAComboOnlyThroughItsArrow) {
    struct Case {
        TDropDownStyle style;
        bool onArrow;
        bool opens;
    } cases[] = {
        {dsDropDownList, false, true},
        {dsDropDownList, true, true},
        {dsDropDown, false, false},
        {dsDropDown, true, true},
    };
    for (const Case& c : cases) {
        ComboFixture f(c.style);
        const std::string what = std::string(c.style == dsDropDown ? "combo" : "list") + (c.onArrow ? " arrow" : " text");
        if (c.onArrow)
            f.drive.ClickArrow();
        else
            f.drive.ClickText();
        EXPECT_EQ(f.editor.DroppedDown(), c.opens) << what;
        // The arrow stays down while the list is open; the opening release only arms the list.
        EXPECT_EQ(f.editor.Button().Down(), c.opens) << what;
        EXPECT_EQ(f.editor.List().Armed(), c.opens) << what;
        EXPECT_TRUE(f.events.empty()) << what;
        if (!c.opens) continue;
        // Under the editor, one pixel left of it, as wide as it.
        const TPoint below = f.editor.ClientToScreen(TPoint{-1, f.editor.ClientHeight()});
        EXPECT_EQ(f.editor.List().Left(), below.X) << what;
        EXPECT_EQ(f.editor.List().Top(), below.Y) << what;
        EXPECT_EQ(f.editor.List().Width(), f.editor.Width()) << what;
    }
}

TEST(ComboBoxEditor, ChoosingRaisesOnPopupCloseBeforeTheTextChanges) {
    for (TDropDownStyle style : {dsDropDown, dsDropDownList}) {
        ComboFixture f(style);
        f.editor.SetAsString("Red0");
        f.events.clear();
        f.drive.ClickArrow();
        f.drive.ClickPopup(10, 2 * 16 + 5);
        EXPECT_EQ(f.events, (std::vector<std::string>{"close: text Red0, index 2", "change: Blue0"}));
        EXPECT_EQ(f.editor.Text(), "Blue0");
        EXPECT_EQ(f.editor.ItemIndex(), 2);
        EXPECT_FALSE(f.editor.DroppedDown());
        EXPECT_FALSE(f.editor.Button().Down());
        // The next drop shows the chosen item.
        f.drive.ClickArrow();
        EXPECT_EQ(f.editor.List().HotIndex(), 2);
    }
}

TEST(ComboBoxEditor, TheOpenListTakesTheKeys) {
    struct Case {
        std::vector<int> keys;
        const char* text;
        int index;
        bool open;
    } cases[] = {
        {{VK_DOWN, VK_DOWN, VK_RETURN}, "Cyan0", 3, false}, // the list opens at the item shown
        {{VK_END, VK_RETURN}, "Yellow1", 13, false},
        {{VK_DOWN, VK_ESCAPE}, "Green0", 1, false}, // Escape closes the list only
        {{VK_DOWN}, "Green0", 1, true},
    };
    for (const Case& c : cases) {
        ComboFixture f(dsDropDownList, 14);
        f.editor.SetAsString("Green0");
        f.drive.ClickText();
        for (int key : c.keys) f.drive.Keys().Key(key);
        EXPECT_EQ(f.editor.Text(), c.text) << c.keys.back();
        EXPECT_EQ(f.editor.ItemIndex(), c.index) << c.keys.back();
        EXPECT_EQ(f.editor.DroppedDown(), c.open) << c.keys.back();
    }
}

TEST(ComboBoxEditor, ArrowsAndWheelStepTheItemPastTheEndsWithoutChangingTheText) {
    enum Step { Up, Down, WheelUp, WheelDown };
    struct Case {
        const char* start;
        std::vector<Step> steps;
        bool ignoreArrows;
        const char* text;
        int index;
    } cases[] = {
        {"Green0", {Down}, false, "Blue0", 2},
        {"Green0", {Up, Up}, false, "Red0", -1},     // below the first: text stays
        {"Green0", {Up, Up, Down}, false, "Red0", 0}, // and back
        {"Blue0", {Down, Down}, false, "Blue0", 4},
        {"Green0", {Down}, true, "Green0", 1},
        {"Green0", {WheelDown}, true, "Blue0", 2},   // the wheel ignores IgnoreArrows
        {"Red0", {WheelUp}, false, "Red0", 0},       // never up from the first
        {"typed", {Down}, false, "Red0", 0},         // a text that is no item starts at -1
    };
    for (const Case& c : cases) {
        ComboFixture f(dsDropDown);
        f.editor.SetIgnoreArrows(c.ignoreArrows);
        f.editor.SetAsString(c.start);
        for (Step s : c.steps) {
            if (s == Up || s == Down)
                f.drive.Keys().Key(s == Up ? VK_UP : VK_DOWN);
            else
                f.drive.Keys().Wheel(s == WheelUp ? 120 : -120, 10, 10);
        }
        EXPECT_EQ(f.editor.Text(), c.text) << c.start << " " << c.steps.size();
        EXPECT_EQ(f.editor.ItemIndex(), c.index) << c.start << " " << c.steps.size();
    }
}

TEST(ComboBoxEditor, TheListHasDropDownCountRowsAtMost) {
    struct Case {
        int items, dropDownCount, rows;
        bool scrolls;
    } cases[] = {{3, 8, 3, false}, {20, 8, 8, true}, {20, 4, 4, true}};
    for (const Case& c : cases) {
        ComboFixture f(dsDropDown, c.items);
        f.editor.SetDropDownCount(c.dropDownCount);
        f.drive.ClickArrow();
        EXPECT_EQ(f.editor.List().ClientHeight(), c.rows * f.editor.ItemHeight()) << c.items;
        EXPECT_EQ(f.editor.List().ScrollBarVisible(sbVertical), c.scrolls) << c.items;
    }
}

TEST(ComboBoxEditor, AListDrawsItsFaceAndKeepsTheKeys) {
    ComboFixture f(dsDropDownList);
    f.editor.SetAsString("Green0");
    EXPECT_FALSE(f.editor.UsesWindowPainting());
    EXPECT_TRUE(f.editor.ReadOnly());
    EXPECT_TRUE(f.editor.Field().FieldRect().IsEmpty());
    ASSERT_TRUE(f.editor.Focused());
    f.editor.PaintNow();
    // Focused: the face in the highlight colour, the button beside it.
    EXPECT_EQ(f.editor.SurfacePixel(f.editor.Button().Left() - 6, f.editor.ClientHeight() / 2),
              ColorToRGB(clHighlight));
    f.drive.Keys().Type("x");
    EXPECT_EQ(f.editor.Text(), "Green0");
    // Back to a combo: the field shows the text again and takes typing.
    f.editor.SetStyle(dsDropDown);
    EXPECT_FALSE(f.editor.Field().FieldRect().IsEmpty());
    EXPECT_EQ(f.editor.Field().FieldRect().Right, f.editor.Button().Left());
    f.drive.Keys().Type("x");
    EXPECT_EQ(f.editor.Text(), "Green0x");
}
