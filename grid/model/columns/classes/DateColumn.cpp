#include "grid/model/columns/classes/DateColumn.h"

#include "grid/display/columns/DateColumnDisplay.h"
#include "grid/shared/Conversions.h"
#include "grid/shared/Locale.h"

namespace tolvane {

TColumnClasses TDateColumn::Classes() {
    return {nullptr, &CreateColumnDisplay<TDateColumnDisplay>, nullptr};
}

TDateColumn::TDateColumn() : TDateColumn(Classes()) {}

TDateColumn::TDateColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    hideWhenEmpty_ = false;
    SetDefaultValue(DateToStr(Date()));
    SetSortType(stDate);
    SetCellKind(4);
}

void TDateColumn::SetHideWhenEmpty(bool value) {
    hideWhenEmpty_ = value;
    Changed(gaCells);
}

bool TDateColumn::AcceptsKey(QChar key) const {
    return (key >= u'0' && key <= u'9') || key == TLocale::Current().DateSeparator;
}

void TDateColumn::PrepareEditor(TCellEditor*) {
    // The date picker (style dsDropDown) is not part of the library yet.
}

} // namespace tolvane
