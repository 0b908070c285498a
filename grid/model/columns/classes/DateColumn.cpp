#include "grid/model/columns/classes/DateColumn.h"

#include "grid/base/Conversions.h"
#include "grid/base/Locale.h"

namespace tolvane {

TColumnClasses TDateColumn::Classes() {
    return TColumnHooks::Of<TDateColumn>();
}

TDateColumn::TDateColumn() : TDateColumn(Classes()) {}

TDateColumn::TDateColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    hideWhenEmpty_ = false;
    SetDefaultValue(DateToStr(Date()));
    SetSortType(stDate);
    SetCellKind(ckDateTime);
}

void TDateColumn::SetHideWhenEmpty(bool value) {
    hideWhenEmpty_ = value;
    Changed(gaCells);
}

bool TDateColumn::AcceptsKey(QChar key) const {
    return (key >= u'0' && key <= u'9') || key == TLocale::Current().DateSeparator;
}

} // namespace tolvane
