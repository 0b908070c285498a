#include "grid/model/columns/ColumnPart.h"

#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

TColumnPart::TColumnPart(TCustomColumn* column) : column_(column) {
    glyph_.OnChange = [this] { GlyphChanged(); };
    displayMode_ = dmTextOnly;
}

TColumnPart::~TColumnPart() {
    glyph_.OnChange = nullptr;
}

void TColumnPart::SetCaption(const QString& value) {
    caption_ = value;
    RepaintColumn();
}

void TColumnPart::SetColor(TColor value) {
    color_ = value;
    RepaintColumn();
}

void TColumnPart::SetDisplayMode(TDisplayMode value) {
    displayMode_ = value;
    Change();
}

void TColumnPart::SetGlyph(const TBitmap& value) {
    // Assign fires the glyph's change handler, which fires OnChange.
    glyph_.Assign(value);
}

void TColumnPart::CopyFrom(const TColumnPart& source) {
    if (&source == this) return;
    SetCaption(source.Caption());
    SetColor(source.Color());
    SetDisplayMode(source.DisplayMode());
    SetGlyph(source.Glyph());
}

void TColumnPart::Change() {
    if (OnChange) OnChange();
}

void TColumnPart::RepaintColumn() {
    if (column_) column_->Changed(gaNone);
}

void TColumnPart::GlyphChanged() {
    // Setting the transparency below changes the bitmap again; those changes are ours.
    if (adjustingGlyph_) return;
    adjustingGlyph_ = true;
    glyph_.SetTransparentColor(glyph_.GetPixel(0, glyph_.Height() - 1));
    glyph_.SetTransparent(true);
    adjustingGlyph_ = false;
    Change();
}

TColumnHeader::TColumnHeader(TCustomColumn* column) : TColumnPart(column) {
    SetColor(clBtnFace);
}

TColumnFooter::TColumnFooter(TCustomColumn* column) : TColumnPart(column) {
    SetColor(clWindow);
    formulaKind_ = fkNone;
}

void TColumnFooter::SetFormulaKind(TFormulaKind value) {
    formulaKind_ = value;
    Change();
}

void TColumnFooter::CopyFrom(const TColumnPart& source) {
    if (&source == this) return;
    TColumnPart::CopyFrom(source);
    if (auto footer = dynamic_cast<const TColumnFooter*>(&source)) SetFormulaKind(footer->FormulaKind());
}

} // namespace tolvane
