// The grid core's routing. Sections, in order: construction · scroll view · data side defaults ·
// colours and highlight · painting (→ TGridPainter, TGridInvalidator) · scroll bars ·
// navigation (→ TGridNavigation) and incremental search · editing (→ TGridEditing) and the
// input row · rows · column model notifications · column interaction (→ TColumnDragging) ·
// control hooks (→ TGridKeyboard, TGridMouse).
//
// A typical edit: a typed character reaches KeyPress → TGridKeyboard → ShowEditor →
// TGridEditing places the column's editor over the cell; Enter in the editor comes back as
// TGridEditing::EditorKeyDown → AcceptEdit → SetCellText (the data side) and OnAfterEdit, then
// TGridNavigation moves the current cell and TGridInvalidator asks for the rectangles to repaint.

#include "grid/control/CustomGridViewControl.h"

#include <cmath>

#include "grid/base/Errors.h"
#include "grid/control/GridAccessibility.h"
#include "grid/control/StandardColumnHooks.h"

#include "grid/control/input/GridCopy.h"
#include "grid/host/Clipboard.h"
#include "grid/host/Screen.h"
#include "grid/host/Timer.h"
#include "grid/control/edit/GridEditing.h"
#include "grid/control/input/GridKeyboard.h"
#include "grid/control/input/GridMouse.h"
#include "grid/control/input/GridNavigation.h"
#include "grid/control/input/TextFitHint.h"
#include "grid/control/paint/GridInvalidator.h"
#include "grid/control/paint/GridPainter.h"
#include "grid/display/styles/DefaultStyleDisplay.h"
#include "grid/display/styles/FlatStyleDisplay.h"
#include "grid/display/styles/OldStyleDisplay.h"
#include "grid/display/styles/StyleDisplay.h"
#include "grid/editors/base/CellEditor.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

// ---- construction ---------------------------------------------------------------------------

const TGridSelection& TCustomGridViewControl::Selection() const {
    return navigation_->Selection();
}

TCustomGridViewControl::TCustomGridViewControl()
    : columns_(std::make_unique<TColumns>(this)), geometry_(settings_, *columns_, *this),
      searchTimer_(std::make_unique<TTimer>()), editing_(std::make_unique<TGridEditing>(*this)),
      invalidator_(std::make_unique<TGridInvalidator>(*this)),
      painter_(std::make_unique<TGridPainter>(*this)), navigation_(std::make_unique<TGridNavigation>(*this)),
      keyboard_(std::make_unique<TGridKeyboard>(*this)), mouse_(std::make_unique<TGridMouse>(*this)),
      fitHint_(std::make_unique<TTextFitHint>(*this)),
      accessibility_(std::make_unique<TGridAccessibility>(*this)) {
    SetAccessibleTable(accessibility_.get());
    BindStandardColumnHooks();
    columns_->OnColumnChanged = [this](TCustomColumn& column, TColumnChangeKind kind) {
        ColumnChanged(column, kind);
    };
    columns_->OnColumnsNotify = [this](TColumnsNotification kind, int a, int b) {
        ColumnsNotify(kind, a, b);
    };
    columns_->OnColumnsChanged = [this](TColumnsNotification kind) { ColumnsChanged(kind); };

    displays_[hsAuto] = std::make_unique<TDefaultStyleDisplay>(this);
    displays_[hsFlatBorders] = std::make_unique<TFlatStyleDisplay>(this);
    displays_[hsOldStyle] = std::make_unique<TOldStyleDisplay>(this);

    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(TIncrementalSearch::ResetInterval);
    searchTimer_->SetOnTimer([this] { ResetSearch(); });

    TScreen::LoadCursor(crGridHorzSplit, "HORZSPLIT");
    TScreen::LoadCursor(crGridColumnNoDrag, "COLUMNNODRAG");
    TScreen::LoadCursor(crGridIndicatorSelect, "INDICATORSELECT");

    HorzScrollBar().PageStep = 10;
    HorzScrollBar().LineStep = 5;
    VertScrollBar().PageStep = 10;
    VertScrollBar().LineStep = 1;

    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 250, 150);
    lastClientWidth_ = ClientWidth();
    lastClientHeight_ = ClientHeight();
    // Its flyouts stand on the finished window.
    columnDragging_ = std::make_unique<TColumnDragging>(*this);
}

TCustomGridViewControl::~TCustomGridViewControl() {
    columnDragging_.reset();
    SetAccessibleTable(nullptr);
    editing_->Detach();
    // The columns call back into the grid while they go; they must go while it is whole.
    columns_->OnColumnChanged = nullptr;
    columns_->OnColumnsNotify = nullptr;
    columns_->OnColumnsChanged = nullptr;
    columns_.reset();
}

// ---- scroll view --------------------------------------------------------------------------

int TCustomGridViewControl::HorzPosition() const {
    return HorzScrollBar().Position();
}
int TCustomGridViewControl::VertPosition() const {
    return VertScrollBar().Position();
}
void TCustomGridViewControl::SetVertPosition(int value) {
    VertScrollBar().SetPosition(value);
}
int TCustomGridViewControl::VertMax() const {
    return VertScrollBar().Max();
}
void TCustomGridViewControl::VertLineUp() {
    VertScrollBar().LineUp();
}
void TCustomGridViewControl::VertLineDown() {
    VertScrollBar().LineDown();
}
void TCustomGridViewControl::VertPageUp() {
    VertScrollBar().PageUp();
}
void TCustomGridViewControl::VertPageDown() {
    VertScrollBar().PageDown();
}

void TCustomGridViewControl::SetScrollClipRects(const TRect& horz, const TRect& vert) {
    SetHorzScrollRect(horz);
    SetVertScrollRect(vert);
}

int TCustomGridViewControl::GetHorzScrollDelta(int previous, int current) {
    SetScrollClipRects(geometry_.HorzScrollClip(), geometry_.VertScrollClip());
    return geometry_.HorzScrollDelta(previous, current);
}

int TCustomGridViewControl::GetVertScrollDelta(int previous, int current) {
    SetScrollClipRects(geometry_.HorzScrollClip(), geometry_.VertScrollClip());
    return geometry_.VertScrollDelta(previous, current);
}

void TCustomGridViewControl::ScrollPositionChanged(TScrollBarKind kind) {
    // The empty grid's caption stays centred in the client while the columns move.
    if (kind == sbHorizontal && GetRowCount() == 0) invalidator_->Caption();
    // Scrolling away from a cell being typed in keeps what was typed, as the focus leaving does.
    if (kind == sbHorizontal || EditingCell()) editing_->EndEdit();
    PlaceEditor();
}

void TCustomGridViewControl::ScrollContents(int dx, int dy) {
    TScrollView::ScrollContents(dx, dy);
    // The focus frame's dots keep to the surface, not to the pixels that moved: redrawn in place.
    if (dx != 0 || dy != 0) invalidator_->FocusFrame();
}

void TCustomGridViewControl::MakeRowVisible(int ARow) {
    const int position = geometry_.PositionToShowRow(ARow);
    if (position != VertPosition()) SetVertPosition(position);
}

bool TCustomGridViewControl::CopyToClipboard() {
    const TCopiedCells copied = CopiedSelection(*this);
    if (copied.Empty()) return false;
    SetClipboardText(copied.Text, copied.Html);
    return true;
}

// ---- data side defaults ---------------------------------------------------------------------

int TCustomGridViewControl::GetRowCount() const {
    return 0;
}
bool TCustomGridViewControl::IsRowSelected(int) const {
    return false;
}
int TCustomGridViewControl::GetRowHeight(int) const {
    return settings_.RowSize;
}
int TCustomGridViewControl::GetCurrentRow() const {
    return Row();
}
int TCustomGridViewControl::GetHorzScrollRange() const {
    return geometry_.HorzScrollRange();
}
int TCustomGridViewControl::GetVertScrollRange() const {
    return geometry_.VertScrollRange();
}
bool TCustomGridViewControl::HidePartialRows() const {
    return false;
}
void TCustomGridViewControl::DoCellFormating(int, int, TCellState) {}

// ---- colours and highlight -----------------------------------------------------------------

bool TCustomGridViewControl::GridFocused() const {
    return Focused() || (ActiveEditor() && ActiveEditor()->Focused());
}

TCellCoord TCustomGridViewControl::ClickCell() const {
    return mouse_->ClickCell();
}

bool TCustomGridViewControl::IsCellHighlighted(int ACol, int ARow) const {
    if (InputFocused()) return false;
    if (ACol < 0 || ACol >= columns_->Count()) return false;
    if ((*columns_)[ACol].Options().Contains(coDontHighlight)) return false;
    if (Has(aoHideSelection) && !GridFocused()) return false;
    const bool current = IsCurrentCell(ACol, ARow);
    if (Has(goSelectFullRow)) {
        if (ARow < 0 || ARow >= GetRowCount() || !IsRowSelected(ARow)) return false;
        if (!current) return true;
        return !Has(aoIndicateSelectedCell) && !IsEditCell(ACol, ARow);
    }
    return current && !IsEditCell(ACol, ARow);
}

TColor TCustomGridViewControl::GetCellBackground(int ACol, int ARow) {
    if (!IsCellHighlighted(ACol, ARow)) return GetCellColor(ACol, ARow);
    if (!GridFocused()) return clBtnFace;
    if (Has(aoAlphaBlendedSelection)) return TGraphicsProvider::MixColors(Color(), clHighlight, 0.25);
    return clHighlight;
}

TColor TCustomGridViewControl::GetCellTextColor(int ACol, int ARow) {
    if (IsCellHighlighted(ACol, ARow) && GridFocused()) return highlightedTextColor_;
    return (*columns_)[ACol].Font().Color;
}

bool TCustomGridViewControl::PrepareCellCanvas(int ACol, int ARow, TCellState state) {
    TCanvas& canvas = Canvas();
    canvas.Font = (*columns_)[ACol].Font();
    canvas.Font.Color = GetCellTextColor(ACol, ARow);
    DoCellFormating(ACol, ARow, state);
    if (state.Contains(csBold)) canvas.Font.Style.Include(fsBold);
    return false;
}

TStyleDisplay& TCustomGridViewControl::StyleDisplay() const {
    return *displays_[headerStyle_];
}

bool TCustomGridViewControl::Themed() const {
    return enableVisualStyles_ && ThemesAvailable();
}

// ---- painting -------------------------------------------------------------------------------

void TCustomGridViewControl::Paint() {
    geometry_.ForgetRowWalk(); // row heights are read afresh by every paint
    painter_->Paint();
}
void TCustomGridViewControl::DrawCell(int ACol, int ARow) {
    painter_->DrawCell(ACol, ARow);
}
void TCustomGridViewControl::PaintFixedParts() {
    painter_->PaintFixedParts();
}
void TCustomGridViewControl::PaintRows() {
    painter_->PaintRows();
}
void TCustomGridViewControl::PaintSlides(const TRect& rect) {
    painter_->PaintSlides(rect);
}

void TCustomGridViewControl::InvalidateCell(int ACol, int ARow) {
    invalidator_->Cell(ACol, ARow);
}
void TCustomGridViewControl::SettleInvalidRegion() {
    invalidator_->SettleWrittenCells();
}
void TCustomGridViewControl::InvalidateColumnPart(int columnIndex, TGridArea area) {
    invalidator_->ColumnPart(columnIndex, area);
}
void TCustomGridViewControl::InvalidateArea(TGridArea area) {
    invalidator_->Area(area);
}
void TCustomGridViewControl::InvalidateSelection() {
    invalidator_->Selection();
}

TRect TCustomGridViewControl::GetCellRect(int ACol, int ARow, TGridArea area) const {
    return geometry_.CellRect(ACol, ARow, area);
}

// ---- scroll bars ----------------------------------------------------------------------------

void TCustomGridViewControl::UpdateHorzScrollBar() {
    TControlScrollBar& bar = HorzScrollBar();
    if (settings_.GridStyle == gsSlides) {
        if (bar.Visible()) bar.SetVisible(false);
        return;
    }
    const int range = GetHorzScrollRange();
    bar.SetMax(range);
    // Columns that now fit must not stay scrolled out of sight with the bar gone. Inside a paint
    // the pixels cannot be moved; the next update outside it does this.
    if (bar.Position() > range && !Painting()) bar.SetPosition(range);
    bar.SetPageSize(1);
    if (bar.Visible() != (range > 0)) bar.SetVisible(range > 0);
    // Halves go to the even step, as the platform rounds.
    bar.PageStep = int(std::nearbyint(ClientWidth() * 0.05));
}

void TCustomGridViewControl::UpdateVertScrollBar() {
    TControlScrollBar& bar = VertScrollBar();
    if (settings_.GridStyle == gsReport) {
        const int range = GetVertScrollRange();
        bar.SetParams(bar.Position(), 0, !(hideScrollBar_ && range < 1), range > 0, 1, range);
    } else {
        const int max = geometry_.SlidesVertMax();
        bar.SetMax(max);
        bar.SetVisible(true);
        bar.SetEnabled(max != 0);
    }
}

// ---- navigation -----------------------------------------------------------------------------

void TCustomGridViewControl::SetCurrentCell(int ACol, int ARow, TShiftState shift) {
    navigation_->SetCurrentCell(ACol, ARow, shift);
}

void TCustomGridViewControl::SetCurrentRow(int ARow) {
    navigation_->SetCurrentRow(ARow);
}

void TCustomGridViewControl::SetInputFocused(bool value) {
    navigation_->SetInputFocused(value);
}

void TCustomGridViewControl::SearchFor(int searchColumn, QChar c) {
    searchTimer_->SetEnabled(false);
    searchTimer_->SetEnabled(true);
    search_.Append(c);
    const int row = search_.Find(GetRowCount(), Row(), [&](int r) { return GetCellText(searchColumn, r); });
    if (row < 0) return;
    SetCurrentRow(row);
    MakeRowVisible(row);
}

void TCustomGridViewControl::ResetSearch() {
    search_.Clear();
    searchTimer_->SetEnabled(false);
}

// ---- editing --------------------------------------------------------------------------------

bool TCustomGridViewControl::CanEditColumn(int ACol) const {
    return ACol >= 0 && ACol < columns_->Count() && (*columns_)[ACol].Options().Contains(coEditing);
}

void TCustomGridViewControl::ShowEditor(int ACol, int ARow, const QString& initialText) {
    editing_->ShowEditor(ACol, ARow, initialText);
}
void TCustomGridViewControl::ShowInputEditor(int ACol, const QString& initialText) {
    editing_->ShowInputEditor(ACol, initialText);
}
void TCustomGridViewControl::PlaceEditor() {
    editing_->PlaceEditor();
}
bool TCustomGridViewControl::CanEditInPlace(int, int, const TRect&) {
    return false;
}
void TCustomGridViewControl::HideEditor() {
    editing_->HideEditor();
}
bool TCustomGridViewControl::AcceptEdit() {
    return editing_->AcceptEdit();
}

void TCustomGridViewControl::AcceptInput() {
    bool accept = true;
    if (OnInputAccept) OnInputAccept(this, accept);
    if (!accept) return;
    AddRows(1);
    const int row = GetRowCount() - 1;
    try {
        for (int c = 0; c < columns_->Count(); ++c) {
            TCustomColumn& column = (*columns_)[c];
            const QString value = column.InputText().isEmpty() ? column.DefaultValue() : column.InputText();
            if (!value.isEmpty()) SetCellText(c, row, value);
        }
    } catch (const EConvertError&) {
        // A value its column's cells cannot take: the new row goes again and the input row keeps
        // every value typed.
        if (row < GetRowCount()) DeleteRow(row);
        throw;
    }
    for (int c = 0; c < columns_->Count(); ++c) (*columns_)[c].SetInputText((*columns_)[c].DefaultValue());
    if (OnInputAdded) OnInputAdded(this);
}

// ---- rows -----------------------------------------------------------------------------------

void TCustomGridViewControl::Clear() {
    HideEditor();
    navigation_->EndMarking();
}

void TCustomGridViewControl::DeleteRow(int) {
    HideEditor();
    UpdateVertScrollBar();
}

void TCustomGridViewControl::InsertRow(int) {
    HideEditor();
    UpdateVertScrollBar();
}

void TCustomGridViewControl::MoveRow(int, int) {
    Invalidate();
    HideEditor();
}

// ---- column model ---------------------------------------------------------------------------

void TCustomGridViewControl::ColumnsNotify(TColumnsNotification kind, int, int) {
    // The drag box and the remembered indexes would name columns that are gone.
    if (kind == cnDeleted || kind == cnCleared) {
        columnDragging_->Cancel();
        HideEditor();
    }
}

void TCustomGridViewControl::ColumnsChanged(TColumnsNotification kind) {
    if (kind != cnCleared) PlaceEditor();
    Invalidate();
    // The vertical range counts rows only while there are columns.
    UpdateVertScrollBar();
}

void TCustomGridViewControl::ColumnChanged(TCustomColumn& column, TColumnChangeKind kind) {
    if (!HandleAllocated()) return;
    const int index = column.GetIndex();
    if (ActiveEditor() && (kind == ccPosition || kind == ccSorted || kind == ccVisibility || kind == ccWidth))
        PlaceEditor();
    const auto sort = [&] {
        const bool ascending = column.SortKind() == skAscending;
        SortColumn(column, ascending);
        if (OnSortColumn) OnSortColumn(this, index, ascending);
    };
    switch (kind) {
    case ccInputValue:
        InvalidateColumnPart(index, gaInput);
        break;
    case ccPosition:
        Invalidate();
        break;
    case ccSorted:
        sort();
        break;
    case ccSortParams:
        if (column.Sorted()) sort();
        break;
    case ccAppearance:
        InvalidateColumnPart(index, gaCells);
        break;
    case ccVisibility:
        UpdateHorzScrollBar();
        Invalidate();
        break;
    case ccUnsorted:
        InvalidateColumnPart(index, gaHeader);
        break;
    case ccWidth:
        invalidator_->FromColumn(index);
        UpdateHorzScrollBar();
        if (OnColumnResize) OnColumnResize(this, index);
        break;
    }
}

// ---- column interaction ---------------------------------------------------------------------

void TCustomGridViewControl::WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (columnDragging_->Dragging()) return;
    TScrollView::WMMouseDown(button, shift, x, y);
}

void TCustomGridViewControl::WMMouseMove(TShiftState shift, int x, int y) {
    if (columnDragging_->Dragging()) {
        columnDragging_->DragMove({x, y});
        return;
    }
    TScrollView::WMMouseMove(shift, x, y);
}

void TCustomGridViewControl::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (columnDragging_->Dragging()) {
        columnDragging_->DragRelease(button, {x, y});
        return;
    }
    TScrollView::WMMouseUp(button, shift, x, y);
}

// ---- control hooks --------------------------------------------------------------------------

void TCustomGridViewControl::KeyDown(int& key, TShiftState shift) {
    keyboard_->KeyDown(key, shift);
    TScrollView::KeyDown(key, shift);
}

void TCustomGridViewControl::KeyPress(QChar& key) {
    TScrollView::KeyPress(key);
    keyboard_->KeyPress(key);
}

TRect TCustomGridViewControl::TextInputRect() {
    const TRect cell = InputFocused() ? GetCellRect(Col(), 0, gaInput) : GetCellRect(Col(), Row(), gaCells);
    return cell.IsEmpty() ? ClientRect() : cell;
}

void TCustomGridViewControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbMiddle) {
        TScrollView::MouseDown(button, shift, x, y);
        return;
    }
    if (mouse_->MouseDown(button, shift, {x, y})) TScrollView::MouseDown(button, shift, x, y);
}

void TCustomGridViewControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollView::MouseUp(button, shift, x, y);
    mouse_->MouseUp(button, shift, {x, y});
}

void TCustomGridViewControl::MouseMove(TShiftState shift, int x, int y) {
    TScrollView::MouseMove(shift, x, y);
    mouse_->MouseMove(shift, {x, y});
}

void TCustomGridViewControl::DblClick() {
    if (mouse_->DoubleClickCounts()) TScrollView::DblClick();
}

bool TCustomGridViewControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (EditingCell()) return false;
    TScrollView::DoMouseWheel(shift, wheelDelta, mousePos);
    mouse_->Wheel(shift, wheelDelta);
    return true;
}

void TCustomGridViewControl::DoEnter() {
    TScrollView::DoEnter();
    InvalidateArea(gaIndicator);
}

void TCustomGridViewControl::DoExit() {
    TScrollView::DoExit();
    AcceptEdit();
    if (!editing_->Refused()) HideEditor();
}

void TCustomGridViewControl::WMSetFocus() {
    TScrollView::WMSetFocus();
    InvalidateSelection();
}

void TCustomGridViewControl::WMKillFocus() {
    TScrollView::WMKillFocus();
    InvalidateSelection();
}

void TCustomGridViewControl::ActivateApp(bool active) {
    TScrollView::ActivateApp(active);
    if (!active) {
        columnDragging_->Cancel();
        SetCursor(crDefault);
    }
    InvalidateSelection();
}

void TCustomGridViewControl::MouseLeave() {
    TScrollView::MouseLeave();
    fitHint_->Hide();
    columnDragging_->EndHotTracking();
    SetCursor(crDefault);
}

void TCustomGridViewControl::Resize() {
    TScrollView::Resize();
    const int width = ClientWidth(), height = ClientHeight();
    if (height != lastClientHeight_) {
        if (Has(goFooter) && settings_.GridStyle == gsReport) {
            InvalidateArea(gaFooter);
            const int band = settings_.HeaderSize + TGridGeometry::FooterBand + geometry_.GridLine();
            const int oldTop = lastClientHeight_ - band, newTop = height - band;
            InvalidateRect({0, std::min(oldTop, newTop), width, std::max(oldTop, newTop) + band});
        }
        lastClientHeight_ = height;
        UpdateVertScrollBar();
    }
    if (width != lastClientWidth_) {
        columns_->AutoSize();
        if (HorzPosition() <= 0)
            InvalidateRect({std::min(lastClientWidth_, width) - 1, 0, width, height});
        else
            Invalidate();
        lastClientWidth_ = width;
    }
    UpdateHorzScrollBar();
    // A resized window keeps what was typed in a cell, as the focus leaving does.
    if (EditingCell()) editing_->EndEdit();
}

void TCustomGridViewControl::WindowHidden() {
    TScrollView::WindowHidden();
    editing_->EndEdit();
}

void TCustomGridViewControl::FontChanged() {
    TScrollView::FontChanged();
    for (int i = 0; i < columns_->Count(); ++i)
        if ((*columns_)[i].ParentFont()) (*columns_)[i].UpdateParentFont();
    Invalidate();
}

} // namespace tolvane
