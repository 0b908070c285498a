#include "grid/model/columns/CustomColumn.h"

#include "grid/model/columns/Columns.h"
#include "grid/model/columns/ColumnsOwner.h"
#include "grid/base/Errors.h"

namespace tolvane {

namespace {
constexpr int MinColumnWidth = 8;
}

TCustomColumn::TCustomColumn(const TColumnClasses& classes) : classes_(classes) {
    if (!classes_.Display) throw EGridError(std::string("A column class must name a display class"));
    alignment_ = taLeftJustify;
    if (classes_.Editor) editor_ = classes_.Editor(*this);
    cursor_ = 0;
    display_ = classes_.Display(*this);
    if (!display_) throw EGridError(std::string("The column's display class created no display"));
    if (classes_.Play) play_ = classes_.Play(*this);
    drawingOptions_ = doNormal;
    defaultWidth_ = 80;
    font_ = TFont();
    footer_ = std::make_unique<TColumnFooter>(this);
    footer_->OnChange = [this] { PartChanged(); };
    header_ = std::make_unique<TColumnHeader>(this);
    header_->OnChange = [this] { PartChanged(); };
    inputEditing_ = false;
    inputCaption_.clear();
    left_ = 0;
    options_ = {coCanClick, coCanSort, coCanInput, coEditorAutoSelect, coPublicUsing};
    parentFont_ = true;
    position_ = -1;
    slideBounds_ = std::make_unique<TSlideBounds>(this);
    sorted_ = false;
    sortKind_ = skAscending;
    sortType_ = stAlphabetic;
    verticalAlignment_ = vaMiddle;
    visible_ = true;
    width_ = 80;
    wrapKind_ = wkEllipsis;
    SetCellKind(ckText);
}

TCustomColumn::~TCustomColumn() {
    editor_.reset();
    footer_.reset();
    header_.reset();
    slideBounds_.reset();
    display_.reset();
    play_.reset();
}

bool TCustomColumn::AcceptsKey(QChar) const {
    return false;
}

void TCustomColumn::PrepareEditor(TCellEditor* editor) {
    if (editor && classes_.PrepareEditor) classes_.PrepareEditor(*this, *editor);
}

TColumnsOwner* TCustomColumn::Grid() const {
    return collection_ ? collection_->Grid() : nullptr;
}

// ---- setters --------------------------------------------------------------------------------

void TCustomColumn::SetAlignment(TAlignment value) {
    alignment_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetColor(TColor value) {
    color_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetCursor(TCursor value) {
    cursor_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetDrawingOptions(TDrawingOptions value) {
    drawingOptions_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetFont(const TFont& value) {
    font_ = value;
    parentFont_ = false;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetInputCaption(const QString& value) {
    inputCaption_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetInputText(const QString& value) {
    inputText_ = value;
    NotifyChanged(ccInputValue);
}

bool TCustomColumn::CanRearrange() const {
    return collection_ && !collection_->IsReading() && collection_->IndexOf(*this) >= 0;
}

void TCustomColumn::SetOptions(TColumnOptions value) {
    const TColumnOptions old = options_;
    if (value.Contains(coSearchColumn) && !old.Contains(coSearchColumn) && collection_) {
        for (int i = 0; i < collection_->Count(); ++i) {
            TCustomColumn& other = (*collection_)[i];
            if (&other != this && other.Options().Contains(coSearchColumn))
                other.SetOptions(other.Options() - coSearchColumn);
        }
    }
    options_ = value;
    if (CanRearrange() && !(old.Contains(coAutoSize) && value.Contains(coAutoSize)))
        collection_->AutoSize(this, true);
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) UpdateParentFont();
}

void TCustomColumn::UpdateParentFont() {
    if (!parentFont_) return;
    if (TColumnsOwner* grid = Grid()) font_ = grid->GridFont();
}

void TCustomColumn::SetPosition(int value) {
    // The column's real place in the display order is the move's origin: a column that was never
    // renumbered still carries Position -1. Setting -1 itself (copying an unplaced column) only
    // stores it, as a newly added column has it.
    if (CanRearrange() && value != -1) {
        collection_->Move(collection_->DisplayIndexOf(*this), value);
        NotifyChanged(ccPosition);
    }
    position_ = value;
}

void TCustomColumn::SetSlideBounds(const TSlideBounds& value) {
    slideBounds_->CopyFrom(value);
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetSorted(bool value) {
    if (value == sorted_) return;
    if (value && collection_) {
        for (int i = 0; i < collection_->Count(); ++i) {
            TCustomColumn& other = (*collection_)[i];
            if (&other != this && other.Sorted()) other.SetSorted(false);
        }
    }
    sorted_ = value;
    NotifyChanged(value ? ccSorted : ccUnsorted);
}

void TCustomColumn::SetSortKind(TSortKind value) {
    sortKind_ = value;
    NotifyChanged(ccSortParams);
}

void TCustomColumn::SetSortType(TSortType value) {
    sortType_ = value;
    NotifyChanged(ccSortParams);
}

void TCustomColumn::SetVerticalAlignment(TVerticalAlignment value) {
    verticalAlignment_ = value;
    NotifyChanged(ccAppearance);
}

void TCustomColumn::SetVisible(bool value) {
    visible_ = value;
    if (collection_ && collection_->IndexOf(*this) >= 0) {
        collection_->Layout(false);
        collection_->AutoSize(nullptr, false);
    }
    NotifyChanged(ccVisibility);
}

void TCustomColumn::StoreWidth(int value) {
    width_ = value < MinColumnWidth ? MinColumnWidth : value;
    if (collection_ && collection_->IndexOf(*this) >= 0) collection_->Layout(false);
    NotifyChanged(ccWidth);
}

void TCustomColumn::SetWidth(int value) {
    StoreWidth(value);
    if (collection_ && collection_->IndexOf(*this) >= 0) collection_->AutoSize(this, false);
}

// ---- copy -----------------------------------------------------------------------------------

void TCustomColumn::CopyFrom(const TCustomColumn& source) {
    if (&source == this) return;
    SetAlignment(source.Alignment());
    SetColor(source.Color());
    SetCursor(source.Cursor());
    SetDefaultValue(source.DefaultValue());
    SetDrawingOptions(source.DrawingOptions());
    SetFont(source.Font());
    SetFooter(source.Footer());
    SetHeader(source.Header());
    SetInputCaption(source.InputCaption());
    SetInputText(source.InputText());
    SetOptions(source.Options());
    SetParentFont(source.ParentFont());
    SetPosition(source.Position());
    SetSlideBounds(source.SlideBounds());
    SetSorted(source.Sorted());
    SetSortKind(source.SortKind());
    SetVerticalAlignment(source.VerticalAlignment());
    SetVisible(source.Visible());
    SetWidth(source.Width());
    SetWrapKind(source.WrapKind());
}

// ---- plain operations -----------------------------------------------------------------------

int TCustomColumn::GetIndex() const {
    return collection_ ? collection_->IndexOf(*this) : -1;
}

int TCustomColumn::GetScreenLeft() const {
    TColumnsOwner* grid = Grid();
    return left_ - (grid ? grid->ColumnsHorzPosition() : 0);
}

void TCustomColumn::GetPartRect(int part, TRect& rect) const {
    TColumnsOwner* grid = Grid();
    TRect band;
    switch (part) {
    case cpHeader:
        band = grid ? grid->HeaderBand() : TRect{};
        break;
    case cpFooter:
        band = grid ? grid->FooterBand() : TRect{};
        band.Top += 4;
        break;
    case cpInput:
        band = grid ? grid->InputBand() : TRect{};
        band.Bottom -= 6;
        break;
    default:
        return;
    }
    const int x = GetScreenLeft();
    rect = TRect{x, band.Top, x + width_, band.Bottom};
}

int TCustomColumn::GetVisiblePlace() const {
    const int count = collection_ ? collection_->VisibleCount() : 0;
    if (count == 1) return 0;
    if (visibleIndex_ == 0) return 1;
    if (visibleIndex_ == count - 1) return 3;
    return 2;
}

bool TCustomColumn::IsOnlyVisible() const {
    return collection_ && collection_->VisibleCount() == 1;
}

bool TCustomColumn::IsCurrentColumn() const {
    TColumnsOwner* grid = Grid();
    const int index = GetIndex();
    return grid && index >= 0 && grid->CurrentColumnIndex() == index;
}

bool TCustomColumn::IsPressedHeader() const {
    TColumnsOwner* grid = Grid();
    const int index = GetIndex();
    return grid && index >= 0 && grid->PressedHeaderColumnIndex() == index;
}

bool TCustomColumn::IsHotHeader() const {
    TColumnsOwner* grid = Grid();
    const int index = GetIndex();
    return grid && index >= 0 && grid->HotHeaderColumnIndex() == index;
}

void TCustomColumn::Changed(TGridArea area) {
    TColumnsOwner* grid = Grid();
    const int index = GetIndex();
    if (grid && index >= 0) grid->InvalidateColumnPart(index, area);
}

void TCustomColumn::NotifyChanged(TColumnChangeKind kind) {
    if (collection_) collection_->ColumnChanged(*this, kind);
}

} // namespace tolvane
