#include "grid/model/cells/Cell.h"

#include "grid/model/cells/Cells.h"

namespace tolvane {

TCell::~TCell() = default;

TColor TCell::EffectiveBackground() const {
    if (owner_ && owner_->GetCellBackground) return owner_->GetCellBackground(col_, row_);
    return color_;
}

TColor TCell::EffectiveTextColor() const {
    if (owner_ && owner_->GetCellTextColor) return owner_->GetCellTextColor(col_, row_);
    return clWindowText;
}

void TCell::SetAsBoolean(bool) {
    Changed();
}
void TCell::SetAsDateTime(TDateTime) {
    Changed();
}
void TCell::SetAsFloat(double) {
    Changed();
}
void TCell::SetAsInteger(int) {
    Changed();
}
void TCell::SetText(const QString&) {
    Changed();
}

void TCell::SetColor(TColor color) {
    color_ = color;
    if (!Initializing()) Changed();
}

void TCell::SetPicture(const TBitmap* picture) {
    if (!extras_ && !picture) return;
    if (!extras_) extras_ = std::make_unique<TExtras>();
    extras_->Picture = picture;
    DropEmptyExtras();
}

void TCell::SetHint(const std::string& hint) {
    if (!extras_ && hint.empty()) return;
    if (!extras_) extras_ = std::make_unique<TExtras>();
    extras_->Hint = hint;
    DropEmptyExtras();
}

void TCell::DropEmptyExtras() {
    if (extras_ && !extras_->Picture && extras_->Hint.empty()) extras_.reset();
}

void TCell::Changed() {
    if (owner_) owner_->CellChanged(*this);
}

} // namespace tolvane
