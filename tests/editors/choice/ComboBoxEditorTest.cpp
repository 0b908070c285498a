// The combo box editor through real mouse and key events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/popups/PopupList.h"
#include "support/PopupEditorDriver.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

struct ComboFixture {
    TComboBoxEditor editor;
    PopupEditorDriver drive{editor};
    std::vector<std::string> events;

    explicit ComboFixture(TDropDownStyle style) {
        editor.SetItems({"Red", "Green", "Blue", "Cyan"});
        editor.SetStyle(style);
        editor.OnPopupClose = [this](TCellEditor& e) {
            events.push_back("close " + e.Text().toStdString() + " " + std::to_string(editor.ItemIndex()));
        };
        editor.OnChange = [this](TCellEditor& e) { events.push_back("change " + e.Text().toStdString()); };
        editor.SetBounds(10, 10, 120, 20);
        InputSimulator::ShowAndFocus(editor);
    }
};

} // namespace

TEST(ComboBoxEditor, AListOpensOnAnyClickAComboOnlyThroughItsArrow) {
    struct Case {
        TDropDownStyle style;
        bool onArrow, opens;
    } cases[] = {{dsDropDownList, false, true},
                 {dsDropDownList, true, true},
                 {dsDropDown, false, false},
                 {dsDropDown, true, true}};
    for (const Case& c : cases) {
        ComboFixture f(c.style);
        c.onArrow ? f.drive.ClickArrow() : f.drive.ClickText();
        const std::string what = std::to_string(c.style) + (c.onArrow ? " arrow" : " text");
        EXPECT_EQ(f.editor.DroppedDown(), c.opens) << what;
        // The arrow stays down while the list is open; the opening release only arms the list.
        EXPECT_EQ(f.editor.Button().Down(), c.opens) << what;
        EXPECT_EQ(f.editor.List().Armed(), c.opens) << what;
        EXPECT_TRUE(f.events.empty()) << what;
    }
}

TEST(ComboBoxEditor, ChoosingRaisesOnPopupCloseBeforeTheTextChanges) {
    for (TDropDownStyle style : {dsDropDown, dsDropDownList}) {
        ComboFixture f(style);
        f.editor.SetAsString("Green");
        f.events.clear();
        f.drive.ClickArrow();
        EXPECT_EQ(f.editor.List().HotIndex(), 1); // the list opens at the item shown
        f.drive.ClickPopup(f.editor.List().ItemRect(2));
        EXPECT_EQ(f.events, (std::vector<std::string>{"close Green 2", "change Blue"})) << style;
        EXPECT_EQ(f.editor.ItemIndex(), 2);
        EXPECT_FALSE(f.editor.DroppedDown());
        EXPECT_FALSE(f.editor.Button().Down());
    }
}

TEST(ComboBoxEditor, KeysStepTheItemOrGoToTheOpenList) {
    struct Case {
        const char* start;
        bool open;
        std::vector<int> keys;
        const char* text;
        int index;
    } cases[] = {
        {"Green", false, {VK_DOWN}, "Blue", 2},
        {"Green", false, {VK_UP, VK_UP}, "Red", -1}, // past the first item the text stays
        {"Cyan", false, {VK_DOWN, VK_UP}, "Cyan", 3},
        {"typed", false, {VK_DOWN}, "Red", 0}, // a text that is no item counts as -1
        {"Green", true, {VK_DOWN, VK_DOWN, VK_RETURN}, "Cyan", 3},
        {"Green", true, {VK_DOWN, VK_ESCAPE}, "Green", 1}, // Escape closes the list only
    };
    for (const Case& c : cases) {
        ComboFixture f(dsDropDownList);
        f.editor.SetAsString(c.start);
        if (c.open) f.drive.ClickText();
        for (int key : c.keys) InputSimulator(f.editor).Key(key);
        EXPECT_EQ(f.editor.Text(), c.text) << c.start << " " << c.keys.size();
        EXPECT_EQ(f.editor.ItemIndex(), c.index) << c.start << " " << c.keys.size();
        EXPECT_FALSE(f.editor.DroppedDown());
    }
}
