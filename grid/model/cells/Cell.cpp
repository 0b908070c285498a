#include "grid/model/cells/Cell.h"

#include "grid/model/cells/Cells.h"

namespace tolvane {

TCell::TCell(TCells* owner) : owner_(owner) {}

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
    if (!initializing_) Changed();
}

void TCell::SetHint(const std::string& hint) {
    if (hint.empty())
        hint_.reset();
    else if (hint_)
        *hint_ = hint;
    else
        hint_ = std::make_unique<std::string>(hint);
}

void TCell::Changed() {
    if (owner_) owner_->CellChanged(*this);
}

} // namespace tolvane
