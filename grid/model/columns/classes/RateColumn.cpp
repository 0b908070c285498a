#include "grid/model/columns/classes/RateColumn.h"


namespace tolvane {

TColumnClasses TRateColumn::Classes() {
    return TColumnHooks::Of<TRateColumn>();
}

TRateColumn::TRateColumn() : TRateColumn(Classes()) {}

TRateColumn::TRateColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    emptyGlyph_.OnChange = [this] { GlyphChanged(emptyGlyph_); };
    glyph_.OnChange = [this] { GlyphChanged(glyph_); };
    max_ = 5;
    transparent_ = false;
    hideWhenEmpty_ = false;
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
    SetCellKind(ckInteger);
}

TRateColumn::~TRateColumn() {
    emptyGlyph_.OnChange = nullptr;
    glyph_.OnChange = nullptr;
}

void TRateColumn::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    Changed(gaCells);
}

void TRateColumn::SetTransparent(bool value) {
    transparent_ = value;
    Changed(gaCells);
}

void TRateColumn::SetHideWhenEmpty(bool value) {
    hideWhenEmpty_ = value;
    Changed(gaCells);
}

void TRateColumn::GlyphChanged(TBitmap& bitmap) {
    // Making the bitmap transparent changes it again; that change is ours.
    if (!transparent_ || adjustingGlyph_) return;
    adjustingGlyph_ = true;
    bitmap.SetTransparentColor(bitmap.GetPixel(0, bitmap.Height() - 1));
    bitmap.SetTransparent(true);
    adjustingGlyph_ = false;
}

void TRateColumn::CopyFrom(const TCustomColumn& source) {
    TCustomColumn::CopyFrom(source);
    auto rate = dynamic_cast<const TRateColumn*>(&source);
    if (!rate || rate == this) return;
    SetEmptyGlyph(rate->EmptyGlyph());
    SetGlyph(rate->Glyph());
    SetMax(rate->Max());
    SetTransparent(rate->Transparent());
}

} // namespace tolvane
