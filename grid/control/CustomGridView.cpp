#include "grid/control/CustomGridView.h"

#include "grid/control/ColumnClassRegistry.h"
#include "grid/host/ThemePainter.h"
#include "grid/control/paint/GridInvalidator.h"
#include "grid/display/base/ColumnPlay.h"
#include "grid/display/styles/StyleDisplay.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TCustomGridView::TCustomGridView() {
    // Binding the theme engine more than once changes nothing, so every grid may ask.
    LoadThemeLibrary();
    SetBorderStyle(bsSingle);
    TCustomGridView::RegisterColumnClasses();
}

TCustomGridView::~TCustomGridView() = default;

void TCustomGridView::RegisterColumnClasses() {
    ColumnClasses().Register("TCustomColumn");
    ColumnClasses().Register<TIncrementColumn>("TIncrementColumn");
}

bool TCustomGridView::CanEditInPlace(int ACol, int ARow, const TRect& cellRect) {
    if (ACol < 0 || ACol >= Columns().Count()) return false;
    TColumnPlay* play = Columns()[ACol].Play();
    if (!play) return false;
    bool accept = true;
    if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, accept);
    if (!accept) return false;
    play->Col = ACol;
    play->Row = ARow;
    PrepareInPlaceEditor(*play);
    play->CellRect = cellRect;
    play->Canvas = &Canvas();
    play->OnChange = [this](TColumnPlay& sender) { StoreInPlaceValue(sender); };
    return true;
}

void TCustomGridView::PrepareInPlaceEditor(TColumnPlay&) {}

void TCustomGridView::StoreInPlaceValue(TColumnPlay&) {}

// ---- themed border -------------------------------------------------------------------------

bool TCustomGridView::ThemedBorder() const {
    return BorderStyle() == bsSingle && enableVisualStyles_ && ThemesAvailable();
}

void TCustomGridView::UpdateThemedBorder() {
    SetBorderWidth(ThemedBorder() ? 1 : 0);
    RedrawFrame();
}

void TCustomGridView::NCPaint(TCanvas& canvas) {
    // Themes may have been switched since the last look was chosen.
    const bool themed = ThemedBorder();
    SetBorderWidth(themed ? 1 : 0);
    TCustomGridViewControl::NCPaint(canvas);
    if (themed) DrawThemedFrame(canvas, TRect{0, 0, Width(), Height()}, 2, "listview", 1, 0);
}

void TCustomGridView::BorderStyleChanged() {
    TCustomGridViewControl::BorderStyleChanged();
    UpdateThemedBorder();
}

// ---- properties -----------------------------------------------------------------------------

void TCustomGridView::SetAppearanceOptions(TAppearanceOptions value) {
    appearance_ = value;
    Invalidate();
    UpdateThemedBorder();
}

void TCustomGridView::SetCaption(const QString& value) {
    caption_ = value;
    TRect r = geometry_.DataRect();
    r.Right = ClientWidth();
    InvalidateRect(r);
}

void TCustomGridView::SetEnableVisualStyles(bool value) {
    enableVisualStyles_ = value;
    Invalidate();
    UpdateThemedBorder();
}

void TCustomGridView::SetGridLinesColor(TColor value) {
    gridLinesColor_ = value;
    Invalidate();
}

void TCustomGridView::SetGridLinesStyle(TGridLinesStyle value) {
    settings_.GridLinesStyle = value;
    Invalidate();
}

void TCustomGridView::SetGridStyle(TGridStyle value) {
    if (value == gsSlides) {
        HideEditor();
        SetInputFocused(false);
    }
    settings_.GridStyle = value;
    // The data area's left edge depends on the style.
    Columns().Layout();
    Invalidate();
    PlaceEditor();
    UpdateVertScrollBar();
}

void TCustomGridView::SetHeaderSize(int value) {
    settings_.HeaderSize = value;
    Invalidate();
    PlaceEditor();
}

void TCustomGridView::SetHeaderStyle(THeaderStyle value) {
    if (value == headerStyle_) return;
    headerStyle_ = value;
    StyleDisplay().Canvas = &Canvas();
    Invalidate();
    UpdateThemedBorder();
}

void TCustomGridView::SetHideScrollBar(bool value) {
    hideScrollBar_ = value;
    Invalidate();
}

void TCustomGridView::SetHighlightedTextColor(TColor value) {
    highlightedTextColor_ = value;
    InvalidateSelection();
}

void TCustomGridView::SetInputSize(int value) {
    settings_.InputSize = value;
    Invalidate();
}

void TCustomGridView::SetOptions(TGridOptions value) {
    const bool indicatorChanged = value.Contains(goIndicator) != settings_.Options.Contains(goIndicator);
    settings_.Options = value;
    if (indicatorChanged) Columns().Layout();
    Invalidate();
    PlaceEditor();
    UpdateHorzScrollBar();
    // Showing or hiding the fixed rows changes how many data rows fit.
    UpdateVertScrollBar();
}

void TCustomGridView::SetRowSize(int value) {
    if (value <= 0) return;
    settings_.RowSize = value;
    InvalidateArea(gaCells);
    InvalidateArea(gaInput);
    InvalidateArea(gaIndicator);
    PlaceEditor();
}

void TCustomGridView::SetSlideSize(int value) {
    settings_.SlideSize = value;
    Invalidate();
}

} // namespace tolvane
