#include "grid/model/columns/classes/ImageColumn.h"


namespace tolvane {

TColumnClasses TImageColumn::Classes() {
    return TColumnHooks::Of<TImageColumn>();
}

TImageColumn::TImageColumn() : TImageColumn(Classes()) {}

TImageColumn::TImageColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    transparent_ = true;
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
    SetCellKind(ckInteger);
}

void TImageColumn::CopyFrom(const TCustomColumn& source) {
    TCustomColumn::CopyFrom(source);
    if (auto image = dynamic_cast<const TImageColumn*>(&source); image && image != this)
        SetImages(image->Images());
}

} // namespace tolvane
