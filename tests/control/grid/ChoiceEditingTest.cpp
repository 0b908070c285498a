// The choosing editors in the grid: each column class prepares its editor, and what is typed or
// chosen lands in the cell. Driven by real key and mouse events.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/base/Conversions.h"
#include "grid/base/Locale.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "support/PopupEditorDriver.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

// Editable date, combo-box (drop-down list) and check-box columns, with an input row.
class ChoiceEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.grid->SetOptions({goGrid, goHeader, goInput});
        h.grid->Columns().Add<TDateColumn>();
        combo = &h.grid->Columns().Add<TComboBoxColumn>();
        h.grid->Columns().Add<TCheckBoxColumn>();
        for (int i = 0; i < 3; ++i) {
            TCustomColumn& c = h.grid->Columns()[i];
            c.SetWidth(90);
            c.SetOptions(c.Options() + coEditing + coCanInput);
        }
        combo->SetItems({"TV", "OVA", "Movie"});
        combo->SetDropDownCount(2);
        combo->SetStyle(cbsDropDownList);
        h.grid->AddRows(3);
        h.ShowAndFocus();
    }
    void TearDown() override { TLocale::SetCurrent(TFormatSettings::Fixed()); }

    // One click makes the cell current, a second one on it starts its editor.
    void StartByClicks(int col, int row, TGridArea area = gaCells) {
        const TRect r = h.grid->GetCellRect(col, row, area);
        for (int i = 0; i < 2 && !h.grid->ActiveEditor(); ++i)
            h.input.Click(r.Left + 10, (r.Top + r.Bottom) / 2);
    }

    GridHarness h;
    TComboBoxColumn* combo = nullptr;
};

} // namespace

TEST_F(ChoiceEditingTest, ADateTypedOrChosenIsStoredInTheLocalesFormatAndReadsBack) {
    TFormatSettings german;
    german.DateSeparator = '.';
    german.ShortDateFormat = "dd.MM.yyyy";
    const TDateTime march4 = TMonthGrid::EncodeDate(2021, 3, 4);
    // The cell holds 2/14/2015; cell (3, 1) of February 2015 is the 11th.
    const TDateTime feb11 = TMonthGrid::EncodeDate(2015, 2, 11);
    struct Case {
        TFormatSettings locale;
        const char* typed; // empty: chosen in the calendar
        TDateTime date;
    } cases[] = {{TFormatSettings::Fixed(), "3/4/2021", march4},
                 {german, "04.03.2021", march4},
                 {TFormatSettings::Fixed(), "", feb11},
                 {german, "", feb11}};
    for (const Case& c : cases) {
        TLocale::SetCurrent(c.locale);
        h.grid->GetCell(0, 1)->SetAsDateTime(TMonthGrid::EncodeDate(2015, 2, 14));
        h.grid->SetCurrentCell(0, 1, {});
        if (*c.typed) {
            h.input.Type(QString::fromLatin1(c.typed));
        } else {
            StartByClicks(0, 1);
            auto* editor = dynamic_cast<TDatePickerEditor*>(h.grid->ActiveEditor());
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->Style(), dsDropDown);
            PopupEditorDriver(*editor).ClickArrow();
            PopupEditorDriver(*editor).ClickPopup(TDatePopup::CellRect(3, 1));
        }
        ASSERT_NE(dynamic_cast<TDatePickerEditor*>(h.grid->ActiveEditor()), nullptr) << c.typed;
        h.input.Key(VK_RETURN);
        EXPECT_EQ(h.grid->GetCellText(0, 1), DateToStr(c.date)) << c.typed;
        EXPECT_EQ(h.grid->GetCell(0, 1)->AsDateTime(), c.date) << c.typed;
    }
}

TEST_F(ChoiceEditingTest, TheComboBoxColumnPreparesItsEditorWhichStepsWithArrowsACheckBoxDoesNot) {
    h.grid->SetCellText(1, 1, "TV");
    StartByClicks(1, 1);
    auto* editor = dynamic_cast<TComboBoxEditor*>(h.grid->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Items(), combo->Items());
    EXPECT_EQ(editor->DropDownCount(), 2);
    EXPECT_EQ(editor->Style(), dsDropDownList);
    h.input.Key(VK_DOWN);
    EXPECT_EQ(h.grid->ActiveEditor(), editor);
    h.input.Key(VK_RETURN);
    EXPECT_EQ(h.grid->GetCellText(1, 1), "OVA");

    // The check box hands the arrows to the grid, which ends the edit and moves.
    StartByClicks(2, 0, gaInput);
    ASSERT_NE(h.grid->ActiveEditor(), nullptr);
    h.input.Key(VK_DOWN);
    EXPECT_EQ(h.grid->ActiveEditor(), nullptr);
    EXPECT_TRUE(h.grid->Focused());
}
