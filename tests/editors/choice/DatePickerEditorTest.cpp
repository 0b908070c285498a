// The date picker editor and its calendar through real mouse events.
#include <gtest/gtest.h>

#include "grid/base/Conversions.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/DatePopup.h"
#include "support/PopupEditorDriver.h"

using namespace tolvane;
using namespace tolvane::test;

TEST(DatePickerEditor, ChoosingSetsTheTextAndNoneLeavesTodayForTheNextDrop) {
    const TDateTime feb14 = TMonthGrid::EncodeDate(2015, 2, 14);
    struct Case {
        const char* what;
        TRect (*place)(TDatePopup&);
        QString text;
    } cases[] = {
        // February 2015 starts on a Sunday: cell (3, 1) is Wednesday the 11th.
        {"day", [](TDatePopup&) { return TDatePopup::CellRect(3, 1); },
         DateToStr(TMonthGrid::EncodeDate(2015, 2, 11))},
        {"today", [](TDatePopup& p) { return p.TodayButton().BoundsRect(); }, DateToStr(Date())},
        {"none", [](TDatePopup& p) { return p.NoneButton().BoundsRect(); }, QString()},
    };
    for (const Case& c : cases) {
        TDatePickerEditor editor;
        EXPECT_EQ(editor.Date(), Date()); // a new picker shows today
        editor.SetBounds(10, 10, 120, 20);
        InputSimulator::ShowAndFocus(editor);
        PopupEditorDriver drive(editor);
        editor.SetDate(feb14);
        drive.ClickArrow();
        TDatePopup& calendar = editor.Calendar();
        EXPECT_EQ(calendar.Width(), TDatePickerEditor::CalendarWidth);
        EXPECT_EQ(calendar.Month(), 2);
        EXPECT_EQ(calendar.SelectedDate(), feb14);
        drive.ClickPopup(c.place(calendar));
        EXPECT_EQ(editor.Text(), c.text) << c.what;
        EXPECT_FALSE(editor.DroppedDown()) << c.what;
        EXPECT_FALSE(editor.Button().Down()) << c.what;
        // The next drop shows the new date's month; an empty text reads as today.
        drive.ClickArrow();
        EXPECT_EQ(calendar.SelectedDate(), editor.Date()) << c.what;
        EXPECT_EQ(DateToStr(editor.Date()), c.text.isEmpty() ? DateToStr(Date()) : c.text) << c.what;
        int year = 0, month = 0, day = 0;
        TMonthGrid::DecodeDate(editor.Date(), year, month, day);
        EXPECT_EQ(calendar.Year(), year) << c.what;
        EXPECT_EQ(calendar.Month(), month) << c.what;
    }
}
