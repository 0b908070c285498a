#include "grid/model/columns/classes/GraphicColumn.h"


namespace tolvane {

TColumnClasses TGraphicColumn::Classes() {
    return TColumnHooks::Of<TGraphicColumn>();
}

TGraphicColumn::TGraphicColumn() : TGraphicColumn(Classes()) {}

TGraphicColumn::TGraphicColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    margin_ = 4;
    borderWidth_ = 1;
    strecht_ = false;
    SetSortType(stAlphabetic);
    SetCellKind(ckPicture);
}

void TGraphicColumn::SetMargin(int value) {
    margin_ = value;
    Changed(gaNone);
}

void TGraphicColumn::SetBorderWidth(int value) {
    borderWidth_ = value;
    Changed(gaNone);
}

void TGraphicColumn::SetStrecht(bool value) {
    strecht_ = value;
    Changed(gaNone);
}

} // namespace tolvane
