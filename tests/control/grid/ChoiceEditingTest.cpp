// The choosing editors in the grid: each column class prepares its editor, and what is typed or
// chosen lands in the cell. Driven by real key and mouse events.
#include <gtest/gtest.h>

#include <string>

#include "GridTestSupport.h"
#include "support/PopupEditorDriver.h"
#include "grid/base/Conversions.h"
#include "grid/base/Locale.h"
#include "grid/editors/choice/CheckBoxEditor.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

// A grid with a date, a combo-box and a check-box column, all editable, and an input row.
class ChoiceEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.grid->SetOptions({goGrid, goHeader, goInput});
        date = &h.grid->Columns().Add<TDateColumn>();
        combo = &h.grid->Columns().Add<TComboBoxColumn>();
        check = &h.grid->Columns().Add<TCheckBoxColumn>();
        for (TCustomColumn* c : {static_cast<TCustomColumn*>(date), static_cast<TCustomColumn*>(combo),
                                 static_cast<TCustomColumn*>(check)}) {
            c->SetWidth(90);
            c->SetOptions(c->Options() + coEditing + coCanInput);
        }
        combo->SetItems({"TV", "OVA", "Movie", "Special"});
        combo->SetDropDownCount(3);
        combo->SetStyle(cbsDropDownList);
        h.grid->AddRows(3);
        h.ShowAndFocus();
    }
    void TearDown() override { TLocale::SetCurrent(TFormatSettings::Fixed()); }

    // Makes the cell current with one click and starts its editor with a second.
    void StartByClicks(int col, int row) {
        const TRect r = h.grid->GetCellRect(col, row);
        h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
        if (!h.grid->ActiveEditor()) h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
    }
    template <class E>
    E* Editor() const {
        return dynamic_cast<E*>(h.grid->ActiveEditor());
    }

    GridHarness h;
    TDateColumn* date = nullptr;
    TComboBoxColumn* combo = nullptr;
    TCheckBoxColumn* check = nullptr;
};

TFormatSettings German() {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd.MM.yyyy";
    s.LongTimeFormat = "HH:mm:ss";
    return s;
}

} // namespace

TEST_F(ChoiceEditingTest, ADateTypedOrChosenIsStoredInTheLocalesFormatAndReadsBack) {
    enum How { Typed, ChosenDay, Today };
    struct Case {
        const char* what;
        TFormatSettings locale;
        How how;
        const char* typed;
        TDateTime date;
    } cases[] = {
        {"typed, US", TFormatSettings::Fixed(), Typed, "3/4/2021", TMonthGrid::EncodeDate(2021, 3, 4)},
        {"typed, German", German(), Typed, "04.03.2021", TMonthGrid::EncodeDate(2021, 3, 4)},
        // The cell holds 2/14/2015; cell (3, 1) of February 2015 is the 11th.
        {"chosen, US", TFormatSettings::Fixed(), ChosenDay, "", TMonthGrid::EncodeDate(2015, 2, 11)},
        {"chosen, German", German(), ChosenDay, "", TMonthGrid::EncodeDate(2015, 2, 11)},
        {"today, German", German(), Today, "", Date()},
    };
    for (const Case& c : cases) {
        TLocale::SetCurrent(c.locale);
        h.grid->GetCell(0, 1)->SetAsDateTime(TMonthGrid::EncodeDate(2015, 2, 14));
        h.grid->SetCurrentCell(0, 1, {});
        if (c.how == Typed) {
            h.input.Type(QString::fromLatin1(c.typed));
            ASSERT_NE(Editor<TDatePickerEditor>(), nullptr) << c.what;
        } else {
            StartByClicks(0, 1);
            TDatePickerEditor* editor = Editor<TDatePickerEditor>();
            ASSERT_NE(editor, nullptr) << c.what;
            EXPECT_EQ(editor->Style(), dsDropDown) << c.what;
            EXPECT_EQ(editor->Text(), DateToStr(TMonthGrid::EncodeDate(2015, 2, 14))) << c.what;
            PopupEditorDriver drive(*editor);
            drive.ClickArrow();
            const TRect r = c.how == Today ? editor->Calendar().TodayButton().BoundsRect()
                                           : TDatePopup::CellRect(3, 1);
            drive.ClickPopup((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            EXPECT_EQ(h.grid->ActiveEditor(), editor) << c.what; // choosing does not end the edit
        }
        h.input.Key(VK_RETURN);
        EXPECT_EQ(h.grid->ActiveEditor(), nullptr) << c.what;
        EXPECT_EQ(h.grid->GetCellText(0, 1), DateToStr(c.date)) << c.what;
        EXPECT_EQ(h.grid->GetCell(0, 1)->AsDateTime(), c.date) << c.what;
    }
}

TEST_F(ChoiceEditingTest, TheComboBoxColumnPreparesItsEditorAndTheChoiceLandsInTheCell) {
    h.grid->SetCellText(1, 0, "OVA");
    StartByClicks(1, 0);
    TComboBoxEditor* editor = Editor<TComboBoxEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Items(), combo->Items());
    EXPECT_EQ(editor->DropDownCount(), 3);
    EXPECT_EQ(editor->Style(), dsDropDownList);
    EXPECT_EQ(editor->Text(), "OVA");
    EXPECT_EQ(editor->ItemIndex(), 1);
    PopupEditorDriver drive(*editor);
    drive.ClickText(); // a drop-down list opens on a click anywhere
    ASSERT_TRUE(editor->DroppedDown());
    EXPECT_EQ(editor->List().ClientHeight(), 3 * editor->ItemHeight());
    EXPECT_EQ(editor->List().HotIndex(), 1);
    EXPECT_EQ(editor->List().TopIndex(), 1); // the last page stays full
    drive.ClickPopup(10, (2 - 1) * editor->ItemHeight() + 4);
    EXPECT_EQ(editor->Text(), "Movie");
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(1, 0), "Movie");
    EXPECT_EQ(h.grid->Row(), 1);

    // A combo-box column of the drop-down style types; Escape with the list open closes only it.
    combo->SetStyle(cbsDropDown);
    StartByClicks(1, 2);
    editor = Editor<TComboBoxEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Style(), dsDropDown);
    h.input.Type("Pilot");
    PopupEditorDriver(*editor).ClickArrow();
    ASSERT_TRUE(editor->DroppedDown());
    h.input.Key(VK_ESCAPE);
    EXPECT_FALSE(editor->DroppedDown());
    EXPECT_EQ(h.grid->ActiveEditor(), editor);
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(1, 2), "Pilot");
}

TEST_F(ChoiceEditingTest, ArrowsStepAComboButLeaveACheckBoxForTheGrid) {
    struct Case {
        int col;
        bool input;
        bool editorStays;
    } cases[] = {{1, false, true}, {2, true, false}};
    for (const Case& c : cases) {
        h.grid->SetCellText(1, 1, "TV");
        if (c.input) {
            const TRect r = h.grid->GetCellRect(c.col, 0, gaInput);
            h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
        } else {
            StartByClicks(c.col, 1);
        }
        TCellEditor* editor = h.grid->ActiveEditor();
        ASSERT_NE(editor, nullptr) << c.col;
        h.input.Key(VK_DOWN);
        EXPECT_EQ(h.grid->ActiveEditor() == editor, c.editorStays) << c.col;
        if (c.editorStays) {
            EXPECT_EQ(editor->Text(), "OVA");
        } else {
            EXPECT_TRUE(h.grid->Focused());
        }
        h.input.Key(VK_ESCAPE);
    }
}

TEST_F(ChoiceEditingTest, TheCheckBoxEditsTheInputRowAndTogglesOnRelease) {
    const TRect r = h.grid->GetCellRect(2, 0, gaInput);
    h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
    TCheckBoxEditor* editor = Editor<TCheckBoxEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->Checked());
    h.input.KeyDown(VK_SPACE);
    EXPECT_FALSE(editor->Checked());
    h.input.KeyUp(VK_SPACE);
    EXPECT_TRUE(editor->Checked());
    h.input.Key(VK_RETURN);
    ASSERT_EQ(h.grid->GetRowCount(), 4);
    EXPECT_TRUE(h.grid->GetCell(2, 3)->AsBoolean());
}
