#include "grid/model/cells/Cell.h"

#include "grid/base/Errors.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/Cells.h"

namespace tolvane {

TCell::~TCell() = default;

TCells* TCell::Owner() const {
    return poolUnits_ ? static_cast<TCells*>(TCellPool::OwnerOf(this)) : nullptr;
}

TCells* TCell::OwnerOrThrow(const char* what) const {
    TCells* owner = Owner();
    if (!owner) throw EGridError(std::string("A cell outside a grid's store keeps no ") + what);
    return owner;
}

TColor TCell::EffectiveBackground() const {
    TCells* owner = Owner();
    if (owner && owner->GetCellBackground) return owner->GetCellBackground(col_, row_);
    return Color();
}

TColor TCell::EffectiveTextColor() const {
    TCells* owner = Owner();
    if (owner && owner->GetCellTextColor) return owner->GetCellTextColor(col_, row_);
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

TColor TCell::Color() const {
    const TCells* owner = Owner();
    if (!owner) return clWindow;
    const TCellAttributes& attributes = owner->Attributes();
    return colorIndex_ == TCellAttributes::Unlisted ? attributes.UnlistedColor(this)
                                                     : attributes.ListedColor(colorIndex_);
}

void TCell::SetColor(TColor color) {
    TCellAttributes& attributes = OwnerOrThrow("colour")->Attributes();
    const std::uint8_t index = attributes.ColorIndex(color);
    if (index == TCellAttributes::Unlisted)
        attributes.SetUnlistedColor(this, color);
    else if (colorIndex_ == TCellAttributes::Unlisted)
        attributes.DropUnlistedColor(this);
    colorIndex_ = index;
    if (!Initializing()) Changed();
}

const TBitmap* TCell::Picture() const {
    return flags_ & ExtrasFlag ? Owner()->Attributes().Picture(this) : nullptr;
}

void TCell::SetPicture(const TBitmap* picture) {
    if (!picture && !(flags_ & ExtrasFlag)) return;
    const bool kept = OwnerOrThrow("picture")->Attributes().SetPicture(this, picture);
    flags_ = std::uint8_t(kept ? flags_ | ExtrasFlag : flags_ & ~ExtrasFlag);
}

std::string TCell::Hint() const {
    const std::string* hint = flags_ & ExtrasFlag ? Owner()->Attributes().Hint(this) : nullptr;
    return hint ? *hint : std::string();
}

bool TCell::HasHint() const {
    const std::string* hint = flags_ & ExtrasFlag ? Owner()->Attributes().Hint(this) : nullptr;
    return hint && !hint->empty();
}

void TCell::SetHint(const std::string& hint) {
    if (hint.empty() && !(flags_ & ExtrasFlag)) return;
    const bool kept = OwnerOrThrow("hint")->Attributes().SetHint(this, hint);
    flags_ = std::uint8_t(kept ? flags_ | ExtrasFlag : flags_ & ~ExtrasFlag);
}

void TCell::Changed() {
    if (TCells* owner = Owner()) owner->CellChanged(*this);
}

} // namespace tolvane
