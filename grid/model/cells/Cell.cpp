#include "grid/model/cells/Cell.h"

#include "grid/base/Errors.h"
#include "grid/model/cells/CellBlock.h"
#include "grid/model/cells/Cells.h"
#include "grid/model/cells/LooseCellMarks.h"

namespace tolvane {

namespace {

[[noreturn]] void ThrowOutsideStore(const char* what) {
    throw EGridError(std::string("A cell outside a grid's store keeps no ") + what);
}

} // namespace

TCell::~TCell() {
    TLooseCellMarks::Forget(this);
}

bool TCell::FindPlace(TCellPlace& place) const {
    // Only a stored cell lies in a slab whose header may be read.
    if (!Stored()) return false;
    place = TCellPlace::Of(this);
    // A cell too large for its slot lives in a slab of the pool, which has no side table: it
    // borrows the place of its stand-in.
    return place.Side || place.Owner->FindDetachedPlace(this, place);
}

TCells* TCell::Owner() const {
    TCellPlace place;
    return FindPlace(place) ? place.Owner : nullptr;
}

int TCell::Col() const {
    TCellPlace place;
    return FindPlace(place) ? place.Col() : 0;
}

int TCell::Row() const {
    TCellPlace place;
    return FindPlace(place) ? place.Owner->SlotRow(place.Slot()) : 0;
}

bool TCell::Initializing() const {
    TCellPlace place;
    return !FindPlace(place) || (place.Marks().Flags & TCellMarks::InitializingFlag);
}

TColor TCell::EffectiveBackground() const {
    TCellPlace place;
    if (FindPlace(place) && place.Owner->GetCellBackground)
        return place.Owner->GetCellBackground(place.Col(), place.Owner->SlotRow(place.Slot()));
    return Color();
}

TColor TCell::EffectiveTextColor() const {
    TCellPlace place;
    if (FindPlace(place) && place.Owner->GetCellTextColor)
        return place.Owner->GetCellTextColor(place.Col(), place.Owner->SlotRow(place.Slot()));
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

TFontStyles TCell::FontStyle() const {
    TCellPlace place;
    const std::uint8_t flags = FindPlace(place) ? place.Marks().Flags : TLooseCellMarks::FontStyleOf(this);
    return TFontStyles::FromBits(flags & TCellMarks::FontStyleMask);
}

void TCell::SetFontStyle(TFontStyles style) {
    const auto bits = std::uint8_t(style.Bits() & TCellMarks::FontStyleMask);
    TCellPlace place;
    if (!FindPlace(place)) {
        TLooseCellMarks::SetFontStyle(this, bits);
        return;
    }
    std::uint8_t& flags = place.Marks().Flags;
    flags = std::uint8_t((flags & ~TCellMarks::FontStyleMask) | bits);
}

TColor TCell::Color() const {
    TCellPlace place;
    if (!FindPlace(place)) return clWindow;
    const TCellAttributes& attributes = place.Owner->Attributes();
    const std::uint8_t index = place.Marks().ColorIndex;
    return index == TCellAttributes::Unlisted ? attributes.UnlistedColor(this) : attributes.ListedColor(index);
}

void TCell::SetColor(TColor color) {
    TCellPlace place;
    if (!FindPlace(place)) ThrowOutsideStore("colour");
    TCellAttributes& attributes = place.Owner->Attributes();
    TCellMarks& marks = place.Marks();
    const std::uint8_t index = attributes.ColorIndex(color);
    if (index == TCellAttributes::Unlisted)
        attributes.SetUnlistedColor(this, color);
    else if (marks.ColorIndex == TCellAttributes::Unlisted)
        attributes.DropUnlistedColor(this);
    marks.ColorIndex = index;
    if (!(marks.Flags & TCellMarks::InitializingFlag)) Changed();
}

const TBitmap* TCell::Picture() const {
    TCellPlace place;
    if (!FindPlace(place) || !(place.Marks().Flags & TCellMarks::ExtrasFlag)) return nullptr;
    return place.Owner->Attributes().Picture(this);
}

void TCell::SetPicture(const TBitmap* picture) {
    TCellPlace place;
    if (!FindPlace(place)) {
        if (!picture) return;
        ThrowOutsideStore("picture");
    }
    std::uint8_t& flags = place.Marks().Flags;
    if (!picture && !(flags & TCellMarks::ExtrasFlag)) return;
    const bool kept = place.Owner->Attributes().SetPicture(this, picture);
    flags = std::uint8_t(kept ? flags | TCellMarks::ExtrasFlag : flags & ~TCellMarks::ExtrasFlag);
}

std::string TCell::Hint() const {
    TCellPlace place;
    if (!FindPlace(place) || !(place.Marks().Flags & TCellMarks::ExtrasFlag)) return {};
    const std::string* hint = place.Owner->Attributes().Hint(this);
    return hint ? *hint : std::string();
}

bool TCell::HasHint() const {
    TCellPlace place;
    if (!FindPlace(place) || !(place.Marks().Flags & TCellMarks::ExtrasFlag)) return false;
    const std::string* hint = place.Owner->Attributes().Hint(this);
    return hint && !hint->empty();
}

void TCell::SetHint(const std::string& hint) {
    TCellPlace place;
    if (!FindPlace(place)) {
        if (hint.empty()) return; // clearing what is not there needs no store
        ThrowOutsideStore("hint");
    }
    std::uint8_t& flags = place.Marks().Flags;
    if (hint.empty() && !(flags & TCellMarks::ExtrasFlag)) return;
    const bool kept = place.Owner->Attributes().SetHint(this, hint);
    flags = std::uint8_t(kept ? flags | TCellMarks::ExtrasFlag : flags & ~TCellMarks::ExtrasFlag);
}

void TCell::Changed() {
    TCellPlace place;
    if (FindPlace(place)) place.Owner->CellChanged(place.Col(), place.Owner->SlotRow(place.Slot()));
}

} // namespace tolvane
