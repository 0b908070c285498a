#include "grid/model/columns/classes/ProgressColumn.h"


namespace tolvane {

TColumnClasses TProgressColumn::Classes() {
    return TColumnHooks::Of<TProgressColumn>();
}

TProgressColumn::TProgressColumn() : TProgressColumn(Classes()) {}

TProgressColumn::TProgressColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    max_ = 100;
    margin_ = 2;
    progressColor_ = clHighlight;
    borderColor_ = 0x808080;
    showText_ = false;
    progressStyle_ = psSolid;
    transparent_ = false;
    hideWhenEmpty_ = false;
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
    SetCellKind(ckFloat);
}

void TProgressColumn::SetProgressColor(TColor value) {
    progressColor_ = value;
    Changed(gaCells);
}

void TProgressColumn::SetProgressStyle(TProgressStyle value) {
    progressStyle_ = value;
    Changed(gaCells);
}

void TProgressColumn::SetHideWhenEmpty(bool value) {
    hideWhenEmpty_ = value;
    Changed(gaCells);
}

void TProgressColumn::CopyFrom(const TCustomColumn& source) {
    TCustomColumn::CopyFrom(source);
    auto progress = dynamic_cast<const TProgressColumn*>(&source);
    if (!progress || progress == this) return;
    SetBorderColor(progress->BorderColor());
    SetMargin(progress->Margin());
    SetMax(progress->Max());
    SetProgressColor(progress->ProgressColor());
    SetProgressStyle(progress->ProgressStyle());
    SetShowText(progress->ShowText());
}

} // namespace tolvane
