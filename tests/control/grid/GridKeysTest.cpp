// Keys every grid is expected to know: F2 edits with the caret at the end, F4 and Alt+Down open a
// cell's drop-down list or calendar, Ctrl+C of a markup cell gives its words as text and its
// markup as HTML. Driven by real key events into a shown grid.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/host/Clipboard.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "support/PopupEditorDriver.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

enum { kText, kCombo, kDate, kPlainText };

// Editable text, combo-box (drop-down list) and date columns, and a text column without an
// editor that drops anything down; an input row.
class GridKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.grid->SetOptions({goGrid, goHeader, goInput});
        h.grid->SetBounds(0, 0, 400, 170);
        h.AddColumn(90);
        auto& combo = h.grid->Columns().Add<TComboBoxColumn>();
        combo.SetItems({"TV", "OVA", "Movie"});
        combo.SetStyle(cbsDropDownList);
        h.grid->Columns().Add<TDateColumn>();
        h.AddColumn(60);
        for (int i = 0; i < h.grid->Columns().Count(); ++i) {
            TCustomColumn& c = h.grid->Columns()[i];
            c.SetWidth(90);
            c.SetOptions(c.Options() + coEditing);
        }
        h.grid->AddRows(2);
        h.grid->SetCellText(kText, 1, "Kaiba");
        h.grid->SetCellText(kCombo, 1, "OVA");
        h.grid->SetCellText(kPlainText, 1, "plain");
        h.ShowAndFocus();
    }

    GridHarness h;
};

} // namespace

TEST_F(GridKeysTest, F2EditsTheCurrentCellWithTheCaretAfterItsText) {
    h.grid->SetCurrentCell(kText, 1, {});
    h.input.Key(VK_F2);
    auto* editor = dynamic_cast<TTextualEditor*>(h.grid->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Text(), "Kaiba");
    EXPECT_EQ(editor->SelLength(), 0); // nothing selected to be typed over
    EXPECT_EQ(editor->SelStart(), 5);
    // Typing goes on after the text.
    h.input.Type("!");
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(kText, 1), "Kaiba!");
}

TEST_F(GridKeysTest, F2EditsTheInputCellWhenTheInputRowHasTheFocus) {
    h.grid->Columns()[kText].SetInputText("new");
    h.grid->SetCurrentCell(kText, 0, {});
    h.input.Key(VK_UP); // from row 0 into the input row
    ASSERT_TRUE(h.grid->InputFocused());
    h.input.Key(VK_F2);
    auto* editor = dynamic_cast<TTextualEditor*>(h.grid->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(h.grid->EditingInput());
    EXPECT_EQ(editor->SelStart(), 3);
    EXPECT_EQ(editor->SelLength(), 0);
}

struct DropDownKey {
    const char* name;
    int key;
    TShiftState shift;
};

void PrintTo(const DropDownKey& k, std::ostream* os) {
    *os << k.name;
}

class GridDropDownKeys : public GridKeysTest, public ::testing::WithParamInterface<DropDownKey> {};

// From the grid the key starts the edit and opens the popup; in the editor it closes and opens it
// again; the list takes a single click at once, since no opening click is waited for.
TEST_P(GridDropDownKeys, OpenTheListOrCalendarOfTheCurrentCell) {
    const DropDownKey& k = GetParam();
    for (int col : {kCombo, kDate}) {
        SCOPED_TRACE(col);
        h.grid->SetCurrentCell(col, 1, {});
        h.input.Key(k.key, k.shift);
        auto* editor = dynamic_cast<TPopupEditor*>(h.grid->ActiveEditor());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(h.grid->Row(), 1); // Alt+Down does not move the current row
        EXPECT_TRUE(editor->DroppedDown());
        EXPECT_TRUE(editor->Button().Down());
        h.input.Key(k.key, k.shift);
        EXPECT_FALSE(editor->DroppedDown());
        EXPECT_FALSE(editor->Button().Down());
        h.input.Key(k.key, k.shift);
        EXPECT_TRUE(editor->DroppedDown());
        if (col == kCombo) {
            auto& combo = static_cast<TComboBoxEditor&>(*editor);
            PopupEditorDriver(combo).ClickPopup(combo.List().ItemRect(2));
            EXPECT_FALSE(editor->DroppedDown());
            EXPECT_EQ(editor->Text(), "Movie");
        } else {
            h.input.Key(VK_ESCAPE);
            EXPECT_FALSE(editor->DroppedDown());
        }
        h.grid->HideEditor();
    }
    // A column whose editor drops nothing down starts no edit, and the row stays.
    h.grid->SetCurrentCell(kPlainText, 0, {});
    h.input.Key(k.key, k.shift);
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr);
    EXPECT_EQ(h.grid->Row(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, GridDropDownKeys,
                         ::testing::Values(DropDownKey{"F4", VK_F4, {}},
                                           DropDownKey{"AltDown", VK_DOWN, TShiftState{ssAlt}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MarkupCopy {
    const char* name;
    const char* markup;
    const char* text;
    const char* html;
};

void PrintTo(const MarkupCopy& c, std::ostream* os) {
    *os << c.markup;
}

class GridMarkupCopy : public ::testing::TestWithParam<MarkupCopy> {};

TEST_P(GridMarkupCopy, GivesTheWordsAsTextAndKeepsTheMarkupAsHtml) {
    const MarkupCopy& c = GetParam();
    GridHarness h;
    auto& note = h.grid->Columns().Add<THtmlColumn>();
    note.SetWidth(200);
    h.grid->AddRows(1);
    h.grid->SetCellText(0, 0, QString::fromUtf8(c.markup));
    h.ShowAndFocus();
    SetClipboardText("before");
    h.input.Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(ClipboardText(), QString::fromUtf8(c.text));
    EXPECT_EQ(ClipboardHtml(), QStringLiteral("<table><tr><td>%1</td></tr></table>").arg(QString::fromUtf8(c.html)));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GridMarkupCopy,
    ::testing::Values(
        MarkupCopy{"Styles", "<b>bold</b> and <i>quiet</i> <u>episodes</u>", "bold and quiet episodes\n",
                   "<b>bold</b> and <i>quiet</i> <u>episodes</u>"},
        MarkupCopy{"FontAndUnclosedTags", "<B><I>dark</I></B> <font color=gray>end", "dark end\n",
                   "<b><i>dark</i></b> <font color=\"gray\">end</font>"},
        MarkupCopy{"BreakInsideTheLine", "one<br>two", "one two\n", "one<br>two"},
        MarkupCopy{"LinksKeepOnlySafeTargets", "<a href=\"#top\">x</a> <a href=\"javascript:y\">y</a>", "x y\n",
                   "<a href=\"#top\">x</a> <a>y</a>"},
        MarkupCopy{"OtherTagsDropAndTextIsEscaped", "<script>Tom & Jerry</script> 1 > 0", "Tom & Jerry 1 > 0\n",
                   "Tom &amp; Jerry 1 &gt; 0"},
        MarkupCopy{"AStrayEndTagClosesNothing", "</b>x<i>y</u>z", "xyz\n", "x<i>yz</i>"}),
    [](const auto& info) { return std::string(info.param.name); });
