// The combo box editor through real mouse and key events.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/host/Canvas.h"
#include "support/PopupEditorDriver.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

QStringList Numbered(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i) items << QStringLiteral("Item %1").arg(i);
    return items;
}

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
        EXPECT_EQ(f.editor.List().HotIndex(), 0); // a first opening starts at item 0
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
        {"Green", true, {VK_DOWN, VK_DOWN, VK_RETURN}, "Blue", 2}, // the open list starts at item 0
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

// The list has a selection of its own, item 0 until something is chosen there; a value handed to
// the editor moves ItemIndex but not where the list opens.
TEST(ComboBoxEditor, TheFirstOpeningStartsAtItemZeroWhateverTheText) {
    struct Case {
        const char* text;
        int itemIndex;
    } cases[] = {{"Blue", 2}, {"Cyan", 3}, {"typed", -1}, {"", -1}};
    for (const Case& c : cases) {
        ComboFixture f(dsDropDownList);
        f.editor.SetAsString(c.text);
        EXPECT_EQ(f.editor.ItemIndex(), c.itemIndex) << c.text;
        f.drive.ClickArrow();
        ASSERT_TRUE(f.editor.DroppedDown()) << c.text;
        EXPECT_EQ(f.editor.List().HotIndex(), 0) << c.text;
        EXPECT_EQ(f.editor.List().TopIndex(), 0) << c.text;
        // A choice is what the next opening shows, whatever the text then.
        f.drive.ClickPopup(f.editor.List().ItemRect(1));
        f.editor.SetAsString("Cyan");
        f.drive.ClickArrow();
        EXPECT_EQ(f.editor.List().HotIndex(), 1) << c.text;
    }
}

// "Movie" in a cell narrower than the word: the list grows to the widest item, not beyond need.
TEST(ComboBoxEditor, TheListIsAtLeastAsWideAsItsWidestItem) {
    struct Case {
        QStringList items;
        int editorWidth;
        bool grows;
    } cases[] = {{{"TV", "OVA", "Movie"}, 30, true},
                 {{"TV", "OVA", "Movie"}, 150, false},
                 {Numbered(19) << "A much longer item than the others", 60, true}};
    for (const Case& c : cases) {
        ComboFixture f(dsDropDownList);
        f.editor.SetItems(c.items);
        f.editor.SetBounds(10, 10, c.editorWidth, 20);
        f.drive.ClickArrow();
        ASSERT_TRUE(f.editor.DroppedDown());
        QImage image(1, 1, QImage::Format_RGB32);
        TCanvas measure(&image);
        measure.Font = f.editor.Font();
        int widest = 0;
        for (const QString& item : c.items) widest = std::max(widest, measure.TextWidth(item));
        const std::string what = c.items.last().toStdString();
        // The text starts 2 pixels in; the row leaves it as much room on the right.
        EXPECT_GE(f.editor.List().ClientWidth(), 2 + widest + 2) << what;
        if (c.grows)
            EXPECT_GT(f.editor.List().Width(), c.editorWidth) << what;
        else
            EXPECT_EQ(f.editor.List().Width(), c.editorWidth) << what;
    }
}
