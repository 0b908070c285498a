#pragma once
// The month calendar of the date picker editor: a title with the month and year between two
// arrows, the day-of-week letters, 42 day cells, and the "Today" and "None" buttons. It reports
// the chosen day as a short-date text, "Today" as today's date and "None" as an empty text.
// The editor sizes it 151 x 163; the layout below is in client pixels.

#include <memory>

#include <QStringList>

#include "grid/editors/popups/MonthGrid.h"
#include "grid/editors/popups/PopupView.h"
#include "grid/editors/popups/PopupButton.h"

namespace tolvane {

// The colour of the gradient of an inactive caption in the system colours.
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;

class TDatePopup : public TPopupView {
public:
    TDatePopup();

    // Shows the month of the date and selects the day.
    TDateTime Date() const;
    void SetDate(TDateTime value);
    // The month shown. Setters store only; a month outside 1..12 or a year outside 1..9999 is
    // refused with EGridError.
    int Day() const { return day_; }
    void SetDay(int value) { day_ = value; }
    int Month() const { return month_; }
    void SetMonth(int value);
    int Year() const { return year_; }
    void SetYear(int value);
    // Names of the months, owned by the editor; used only when it holds exactly 12 lines.
    const QStringList* MonthNames() const { return monthNames_; }
    void SetMonthNames(const QStringList* value) { monthNames_ = value; }
    TDateTime SelectedDate() const { return selectedDate_; }
    void SetSelectedDate(TDateTime value) { selectedDate_ = value; }
    bool Tracking() const { return tracking_; }

    // Prepares the calendar for an editor's text: that date, or today when the text is empty
    // or "0". A text that is no date fails with EConvertError.
    void ShowDateText(const QString& text);

    TPopupButton& TodayButton() { return *today_; }
    TPopupButton& NoneButton() { return *none_; }

    // The month before and after, across years.
    void PreviousMonth();
    void NextMonth();
    // Where the days are: the cell rectangle, and the cell under a client point (false when
    // the point is on no day, or on one before year 1 or after 9999).
    static TRect CellRect(int column, int row);
    bool CellAt(int x, int y, int& column, int& row) const;
    // The area whose presses pick days.
    TRect DayArea() const;

    void SelectAt(int x, int y) override;
    void Paint() override;
    void WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMMouseMove(TShiftState shift, int x, int y) override;
    void WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TMonthGrid Grid() const { return TMonthGrid(year_, month_); }
    void ShowMonth(const TMonthGrid& grid);
    void HighlightAt(int x, int y);
    TPopupButton* ButtonAt(int x, int y) const;
    void ButtonReleased(TPopupButton* button, int x, int y);
    void PaintTitle(TCanvas& canvas);
    void PaintDays(TCanvas& canvas);

    TDateTime date_ = 0;
    int day_ = 1;
    int month_ = 1;
    int year_ = 1;
    const QStringList* monthNames_ = nullptr;
    TDateTime selectedDate_ = 0;
    bool tracking_ = false;
    TRect selectedRect_;
    std::unique_ptr<TPopupButton> today_;
    std::unique_ptr<TPopupButton> none_;
    TPopupButton* pressed_ = nullptr;
};

} // namespace tolvane
