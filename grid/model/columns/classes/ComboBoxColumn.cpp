#include "grid/model/columns/classes/ComboBoxColumn.h"


namespace tolvane {

TColumnClasses TComboBoxColumn::Classes() {
    return TColumnHooks::Of<TComboBoxColumn>();
}

TComboBoxColumn::TComboBoxColumn() : TComboBoxColumn(Classes()) {}

TComboBoxColumn::TComboBoxColumn(const TColumnClasses& classes) : TTextualColumn(classes) {
    dropDownCount_ = 8;
    showImages_ = false;
    style_ = cbsDropDown;
}

void TComboBoxColumn::CopyFrom(const TCustomColumn& source) {
    TTextualColumn::CopyFrom(source);
    auto combo = dynamic_cast<const TComboBoxColumn*>(&source);
    if (!combo || combo == this) return;
    SetDropDownCount(combo->DropDownCount());
    SetItems(combo->Items());
    SetStyle(combo->Style());
}

} // namespace tolvane
