#pragma once
// The date editor: a date typed in the locale's short date format, or chosen from a month
// calendar dropped under it ("Today" gives today's date, "None" an empty text).

#include <QStringList>

#include "grid/editors/choice/PopupEditor.h"

namespace tolvane {

class TDatePopup;

class TDatePickerEditor : public TPopupEditor {
public:
    static constexpr int CalendarWidth = 151;
    static constexpr int CalendarHeight = 163;

    TDatePickerEditor(); // today's date

    // The date of the text; EConvertError when the text is no date.
    TDateTime Date() const { return AsDateTime(); }
    void SetDate(TDateTime value) { SetAsDateTime(value); }
    // Kept for the caller; it does not change what is shown.
    const QString& EmptyText() const { return emptyText_; }
    void SetEmptyText(const QString& value) { emptyText_ = value; }
    // Used by the calendar only when it holds exactly 12 lines. Copies the lines.
    const QStringList& MonthNames() const { return monthNames_; }
    void SetMonthNames(const QStringList& value) { monthNames_ = value; }

    TDatePopup& Calendar() const;

    // An empty text or "0" reads as today; otherwise the text in the locale's short date format.
    TDateTime AsDateTime() const override;
    // The text becomes the date in the locale's short date format.
    void SetAsDateTime(TDateTime value) override;
    // The calendar shows the month of the editor's date (today for an empty text), that day
    // selected. A text that is no date fails with EConvertError and nothing opens.
    void PreparePopup() override;
    // A date is read from its start: in a field narrower than the date, the start shows (with
    // the caret there) rather than the end of the year.
    void AfterShow() override;
    void SelectAll() override;

private:
    QString emptyText_;
    QStringList monthNames_;
};

} // namespace tolvane
