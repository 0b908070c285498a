// The date picker editor and its calendar through real mouse events.
#include <gtest/gtest.h>

#include "support/PopupEditorDriver.h"
#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/host/ExceptionSink.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

TDateTime Day(int year, int month, int day) {
    return TMonthGrid::EncodeDate(year, month, day);
}

struct PickerFixture {
    TDatePickerEditor editor;
    PopupEditorDriver drive{editor};
    PickerFixture() { drive.Show(); }

    TDatePopup& Calendar() { return editor.Calendar(); }
    void ClickCalendar(const TRect& r) { drive.ClickPopup((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
    int MonthShown() { return Calendar().Year() * 100 + Calendar().Month(); }
};

int MonthOf(TDateTime date) {
    int year = 0, month = 0, day = 0;
    TMonthGrid::DecodeDate(date, year, month, day);
    return year * 100 + month;
}

} // namespace

TEST(DatePickerEditor, StartsTodayAndReadsEmptyOrZeroAsToday) {
    TDatePickerEditor editor;
    EXPECT_EQ(editor.Text(), DateToStr(Date()));
    EXPECT_EQ(editor.Style(), dsDropDown);
    struct Case {
        const char* text;
        TDateTime date;
    } cases[] = {{"", Date()}, {"0", Date()}, {"2/28/2015", Day(2015, 2, 28)}, {" 12/31/1999 ", Day(1999, 12, 31)}};
    for (const Case& c : cases) {
        editor.SetAsString(c.text);
        EXPECT_EQ(editor.Date(), c.date) << c.text;
    }
    editor.SetAsString("31/31/2015");
    EXPECT_THROW(editor.Date(), EConvertError);
    editor.SetDate(Day(2003, 1, 2));
    EXPECT_EQ(editor.Text(), "1/2/2003");
}

TEST(DatePickerEditor, TheCalendarOpensAtTheEditorsDate) {
    PickerFixture f;
    f.editor.SetAsString("2/14/2015");
    f.drive.ClickArrow();
    ASSERT_TRUE(f.editor.DroppedDown());
    EXPECT_EQ(f.Calendar().Width(), TDatePickerEditor::CalendarWidth);
    EXPECT_EQ(f.Calendar().Height(), TDatePickerEditor::CalendarHeight);
    EXPECT_EQ(f.MonthShown(), 201502);
    EXPECT_EQ(f.Calendar().SelectedDate(), Day(2015, 2, 14));
    // A text that is no date opens nothing: the error is reported and the button comes up again.
    f.drive.ClickPopup(-20, -10);
    EXPECT_FALSE(f.editor.DroppedDown());
    f.editor.SetAsString("no date");
    QStringList reported;
    const TExceptionSink previous = SetExceptionSink([&](const QString& m) { reported << m; });
    f.drive.ClickArrow();
    SetExceptionSink(previous);
    EXPECT_EQ(reported.size(), 1);
    EXPECT_FALSE(f.editor.DroppedDown());
    EXPECT_FALSE(f.editor.Button().Down());
    EXPECT_EQ(f.editor.Text(), "no date");
}

TEST(DatePickerEditor, ChoosingSetsTheTextAndNoneLeavesTodayForTheNextDrop) {
    enum Choice { DayCell, PreviousMonthThenDay, TodayButton, NoneButton };
    struct Case {
        Choice choice;
        QString text;
    } cases[] = {
        // February 2015 starts on a Sunday: cell (3, 1) is Wednesday the 11th.
        {DayCell, DateToStr(Day(2015, 2, 11))},
        // January 2015 starts on a Thursday: cell (3, 1) is Wednesday the 7th.
        {PreviousMonthThenDay, DateToStr(Day(2015, 1, 7))},
        {TodayButton, DateToStr(Date())},
        {NoneButton, QString()},
    };
    for (const Case& c : cases) {
        PickerFixture f;
        f.editor.SetAsString("2/14/2015");
        f.drive.ClickArrow();
        switch (c.choice) {
        case DayCell:
            f.ClickCalendar(TDatePopup::CellRect(3, 1));
            break;
        case PreviousMonthThenDay:
            f.ClickCalendar(TRect{0, 0, 18, 18});
            f.ClickCalendar(TDatePopup::CellRect(3, 1));
            break;
        case TodayButton:
            f.ClickCalendar(f.Calendar().TodayButton().BoundsRect());
            break;
        case NoneButton:
            f.ClickCalendar(f.Calendar().NoneButton().BoundsRect());
            break;
        }
        EXPECT_EQ(f.editor.Text(), c.text) << c.choice;
        EXPECT_FALSE(f.editor.DroppedDown()) << c.choice;
        EXPECT_FALSE(f.editor.Button().Down()) << c.choice;
        // The next drop shows the month of the new text, today's for an empty one.
        f.drive.ClickArrow();
        const TDateTime expected = c.text.isEmpty() ? Date() : StrToDateTime(c.text);
        EXPECT_EQ(f.MonthShown(), MonthOf(expected)) << c.choice;
        EXPECT_EQ(f.Calendar().SelectedDate(), expected) << c.choice;
    }
}
