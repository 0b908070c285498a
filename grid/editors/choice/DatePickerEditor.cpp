#include "grid/editors/choice/DatePickerEditor.h"

#include "grid/base/Conversions.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/host/EditField.h"

namespace tolvane {

namespace {

bool MeansToday(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == QLatin1String("0");
}

} // namespace

TDatePickerEditor::TDatePickerEditor() : TPopupEditor(&CreatePopupView<TDatePopup>) {
    SetDate(tolvane::Date());
}

TDatePopup& TDatePickerEditor::Calendar() const {
    return static_cast<TDatePopup&>(*Popup());
}

TDateTime TDatePickerEditor::AsDateTime() const {
    const QString text = Text();
    return MeansToday(text) ? tolvane::Date() : StrToDateTime(text.trimmed());
}

void TDatePickerEditor::SetAsDateTime(TDateTime value) {
    SetText(DateToStr(value));
}

void TDatePickerEditor::AfterShow() {
    TPopupEditor::AfterShow();
    Field().ShowStartWhenCut();
}

void TDatePickerEditor::SelectAll() {
    TPopupEditor::SelectAll();
    Field().ShowStartWhenCut();
}

void TDatePickerEditor::PreparePopup() {
    TPopupEditor::PreparePopup();
    TDatePopup& calendar = Calendar();
    calendar.SetMonthNames(&monthNames_);
    calendar.SetBounds(calendar.Left(), calendar.Top(), CalendarWidth, CalendarHeight);
    calendar.ShowDateText(Text());
}

} // namespace tolvane
