#pragma once
// The core of the grid control: its settings and its virtual operations. Geometry, painting,
// repaint requests, navigation, keyboard, mouse, column interaction and editing live in
// collaborators of their own, each owning the state it changes; this class keeps what is the
// grid's own, routes the operations to them and lets each read the others through accessors.
//
// Sections, in order: scroll view hooks · the virtual operations (slot order) · in-place editing
// hooks · state (read-only views of the collaborators' state) · settings · collaborators ·
// repaint requests · events · control hooks · TColumnsOwner · incremental search.
//
// Call flow: TCustomControl's widgets deliver Qt's events to the control hooks (Paint, KeyDown,
// MouseDown...). Paint → TGridPainter, which calls back PaintFixedParts, PaintRows and DrawCell
// so that a derived grid can take part. Keys → TGridKeyboard, the mouse → TGridMouse; both move
// the current cell through TGridNavigation (SetCurrentCell is the one way it changes), start
// editing through ShowEditor / ShowInputEditor (→ TGridEditing), and hand header presses,
// resizing and column drags to TColumnDragging. Every change asks TGridInvalidator for the
// rectangles to repaint; the scroll bars report through ScrollPositionChanged.

#include <array>
#include <memory>

#include <QString>

#include "grid/control/GridGeometry.h"
#include "grid/control/GridSettings.h"
#include "grid/control/GridTypes.h"
#include "grid/control/edit/GridEditing.h"
#include "grid/control/input/ColumnDragging.h"
#include "grid/control/input/GridSelection.h"
#include "grid/control/input/IncrementalSearch.h"
#include "grid/scroll/ScrollView.h"
#include "grid/model/columns/Columns.h"
#include "grid/model/columns/ColumnsOwner.h"

namespace tolvane {

class TCellEditor;
class TGridAccessibility;
class TGridEditing;
class TGridInvalidator;
class TGridKeyboard;
class TGridMouse;
class TGridNavigation;
class TGridPainter;
class TStyleDisplay;
class TTextFitHint;
class TTimer;

class TCustomGridViewControl : public TScrollView, public TColumnsOwner, protected TGridViewport {
public:
    TCustomGridViewControl();
    ~TCustomGridViewControl() override;

    // ---- scroll view hooks --------------------------------------------------------------
    int GetHorzScrollDelta(int previous, int current) override;
    int GetVertScrollDelta(int previous, int current) override;
    void ScrollPositionChanged(TScrollBarKind kind) override;
    void ScrollContents(int dx, int dy) override;

    // ---- the grid's virtual operations, in slot order ---------------------------------------
    // Sets the canvas font for a cell; answers whether the column display draws the content.
    virtual bool PrepareCellCanvas(int ACol, int ARow, TCellState state);
    virtual QString GetCellText(int ACol, int ARow) = 0;
    virtual TColor GetCellColor(int ACol, int ARow) = 0;
    virtual int GetHorzScrollRange() const;
    // Data side; a grid without data has no rows.
    virtual int GetRowCount() const;
    virtual int GetRowHeight(int ARow) const;
    virtual bool IsRowSelected(int ARow) const;
    virtual int GetCurrentRow() const;
    virtual int GetVertScrollRange() const;
    // When true, a row that does not fit wholly is painted as empty.
    virtual bool HidePartialRows() const;
    virtual void DoCellFormating(int ACol, int ARow, TCellState state);
    virtual void ColumnsNotify(TColumnsNotification kind, int index1, int index2);
    virtual void ColumnChanged(TCustomColumn& column, TColumnChangeKind kind);
    virtual void ColumnsChanged(TColumnsNotification kind);
    virtual void DrawCell(int ACol, int ARow);
    virtual void SetCellText(int ACol, int ARow, const QString& value) = 0;
    virtual void SetRowSelected(int ARow, bool selected) = 0;
    virtual void SetCurrentRow(int ARow);
    virtual void SortColumn(TCustomColumn& column, bool ascending) = 0;
    virtual void PaintFixedParts();
    virtual void PaintRows();
    virtual void PaintSlides(const TRect& rect);
    virtual void InvalidateCell(int ACol, int ARow);
    virtual void UpdateHorzScrollBar();
    virtual void UpdateVertScrollBar();
    // Commits a running edit; answers whether a cell value was stored.
    virtual bool AcceptEdit();
    virtual TColor GetCellBackground(int ACol, int ARow);
    virtual TColor GetCellTextColor(int ACol, int ARow);
    virtual TRect GetCellRect(int ACol, int ARow, TGridArea area = gaCells) const;
    virtual bool CanEditColumn(int ACol) const;
    virtual void AddRows(int count) = 0;
    // Turns the input row into a new row.
    virtual void AcceptInput();
    virtual void CalculateFooters() = 0;
    virtual void Clear();
    virtual void DeleteRow(int ARow);
    virtual void InsertRow(int ARow);
    virtual void MoveRow(int fromRow, int toRow);
    // Also the columns' repaint request (by column index).
    void InvalidateColumnPart(int columnIndex, TGridArea area) override;
    virtual void SetCurrentCell(int ACol, int ARow, TShiftState shift);
    virtual void ExchangeRows(int row1, int row2) = 0;

    // ---- in-place editing hooks (TGridEditing does the work) -----------------------------------
    virtual void ShowEditor(int ACol, int ARow, const QString& initialText);
    virtual void ShowInputEditor(int ACol, const QString& initialText);
    virtual void HideEditor();
    // Moves a running editor to where its cell now lies.
    virtual void PlaceEditor();
    // In-cell editing by a column's play; false here.
    virtual bool CanEditInPlace(int ACol, int ARow, const TRect& cellRect);

    // ---- state --------------------------------------------------------------------------
    TColumns& Columns() { return *columns_; }
    const TColumns& Columns() const { return *columns_; }
    const TGridGeometry& Geometry() const { return geometry_; }
    const TGridSettings& Settings() const { return settings_; }
    TGridOptions Options() const { return settings_.Options; }
    // Copies the selected rows (or the current cell) as text and HTML; false when nothing is.
    bool CopyToClipboard();

    bool Has(TGridOption option) const { return settings_.Options.Contains(option); }
    TAppearanceOptions AppearanceOptions() const { return appearance_; }
    bool Has(TAppearanceOption option) const { return appearance_.Contains(option); }

    const TGridSelection& Selection() const;
    int Col() const { return Selection().Col; }
    int Row() const { return Selection().Row; }
    bool InputFocused() const { return Selection().InputFocused; }
    // Gives the input row the focus instead of the cells (or takes it back).
    void SetInputFocused(bool value);
    int AnchorRow() const { return Selection().AnchorRow; }
    bool MultiSelecting() const { return Selection().Marking; }
    TCellCoord ClickCell() const;
    TCellCoord EditCell() const { return editing_->EditCell(); }
    bool EditingCell() const { return editing_->EditingCell(); }
    bool EditingInput() const { return editing_->EditingInput(); }
    TCellEditor* ActiveEditor() const { return editing_->Editor(); }
    const QString& SearchText() const { return search_.Text(); }
    TTimer& SearchTimer() { return *searchTimer_; }

    int HorzPosition() const;
    int VertPosition() const;
    void SetVertPosition(int value);
    int VertMax() const;
    // Scroll requests of the vertical bar (nothing when its range is empty).
    void VertLineUp();
    void VertLineDown();
    void VertPageUp();
    void VertPageDown();
    int VisibleRowCount() const { return geometry_.VisibleRowCount(); }
    // Scrolls so that the row is shown (it becomes the first row shown when it was not).
    void MakeRowVisible(int ARow);

    // Focused: the grid's own window or its in-place editor has the focus.
    bool GridFocused() const;
    // The highlight rules of the selection.
    bool IsCellHighlighted(int ACol, int ARow) const;
    bool IsCurrentCell(int ACol, int ARow) const { return Selection().IsCurrentCell(ACol, ARow); }
    bool IsEditCell(int ACol, int ARow) const { return editing_->IsEditCell(ACol, ARow); }

    TStyleDisplay& StyleDisplay() const;
    // Visual styles are used: EnableVisualStyles and the platform's themes.
    bool Themed() const;

    // ---- settings shared with the published surface ---------------------------------------
    THeaderStyle HeaderStyle() const { return headerStyle_; }
    TGridLinesStyle GridLinesStyle() const { return settings_.GridLinesStyle; }
    TGridStyle GridStyle() const { return settings_.GridStyle; }
    TColor GridLinesColor() const { return gridLinesColor_; }
    TColor HighlightedTextColor() const { return highlightedTextColor_; }
    bool EnableVisualStyles() const { return enableVisualStyles_; }
    const QString& Caption() const { return caption_; }
    bool AutoScroll() const { return autoScroll_; }
    bool WantReturns() const { return wantReturns_; }
    TSelectionMoveDirection SelectionMoveDirection() const { return selectionMoveDirection_; }
    bool HideScrollBar() const { return hideScrollBar_; }

    // ---- collaborators: each owns its state and changes it through its own methods -----------
    TGridEditing& Editing() const { return *editing_; }
    TGridNavigation& Navigation() const { return *navigation_; }
    TGridMouse& Mouse() const { return *mouse_; }
    // Resizing, header presses, hot-tracking and column dragging with its flyouts.
    TColumnDragging& ColumnDragging() const { return *columnDragging_; }
    TGridAccessibility& Accessibility() const { return *accessibility_; }

    // ---- repaint requests ---------------------------------------------------------------
    TGridInvalidator& Invalidator() const { return *invalidator_; }
    void InvalidateArea(TGridArea area);
    void InvalidateSelection();

    // ---- events -------------------------------------------------------------------------
    TCellEvent OnSelectCell;
    TCellEvent OnDeselectCell;
    TCellEvent OnCellClick;
    TCellColoringEvent OnCellColoring;
    TDrawCellBackgroundEvent OnDrawCellBackground;
    TCustomDrawCellEvent OnCustomDrawCell;
    TGridNotifyEvent OnPostDraw;
    THeaderClickEvent OnFooterClick;
    THeaderClickEvent OnHeaderClick;
    TColumnResizeEvent OnColumnResize;
    TSortColumnEvent OnSortColumn;
    TBeforeEditEvent OnBeforeEdit;
    TEditEvent OnEdit;
    TEditEvent OnAfterEdit;
    TEditAcceptEvent OnEditAccept;
    TInputAcceptEvent OnInputAccept;
    TGridNotifyEvent OnInputAdded;

    // ---- control hooks ------------------------------------------------------------------
    void Paint() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void WMSetFocus() override;
    void WMKillFocus() override;
    void ActivateApp(bool active) override;
    void MouseLeave() override;
    void Resize() override;
    void FontChanged() override;
    void SettleInvalidRegion() override;
    // A closing window commits the running edit.
    void WindowHidden() override;
    // The current cell (or input cell): a typed text starts its edit there.
    TRect TextInputRect() override;

    // ---- TColumnsOwner ------------------------------------------------------------------
    int ColumnsDataLeft() const override { return geometry_.DataLeft(); }
    int ColumnsAvailableWidth() const override { return geometry_.AvailableWidth(); }
    int ColumnsHorzPosition() const override { return HorzPosition(); }
    TRect HeaderBand() const override { return geometry_.HeaderRect(); }
    TRect InputBand() const override { return geometry_.InputRect(); }
    TRect FooterBand() const override { return geometry_.FooterRect(); }
    int CurrentColumnIndex() const override { return Selection().Col; }
    int PressedHeaderColumnIndex() const override { return columnDragging_->PressedHeader(); }
    int HotHeaderColumnIndex() const override { return columnDragging_->HotHeader(); }
    bool IsReadingLayout() const override { return readingLayout_; }
    const TFont& GridFont() const override { return Font(); }
    int GridRightToLeft() const override { return 0; }

    // Runs the incremental search in the column with one more typed character.
    void SearchFor(int searchColumn, QChar c);
    // Clears the incremental-search prefix and stops its timer.
    void ResetSearch();
    TTextFitHint& FitHint() const { return *fitHint_; }

    // Painting keeps the scroll clips with what it painted.
    void SetScrollClipRects(const TRect& horz, const TRect& vert);
    // Cell writes collected by the invalidator are turned into rectangles once the queued events
    // are handled.
    using TScrollView::RequestSettle;

    // While a column is dragged its box takes every mouse message.
    void WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMMouseMove(TShiftState shift, int x, int y) override;
    void WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // TGridViewport
    int ViewportWidth() const override { return ClientWidth(); }
    // Final, so that ViewportWalk answers the same without calling them.
    int ViewportHeight() const final { return ClientHeight(); }
    int ViewportHorzPosition() const override { return HorzPosition(); }
    int ViewportVertPosition() const final { return VertPosition(); }
    int ViewportRowCount() const final { return GetRowCount(); }
    TViewportWalk ViewportWalk() const final {
        return {VertPosition(), GetRowCount(), ClientHeight(), ViewportRowHeightsVary()};
    }
    int ViewportRowHeight(int row) const override { return GetRowHeight(row); }

    TGridSettings settings_;
    TAppearanceOptions appearance_{aoHideSelection, aoHintMarks};
    THeaderStyle headerStyle_ = hsAuto;
    TColor gridLinesColor_ = clBtnFace;
    TColor highlightedTextColor_ = clHighlightText;
    bool enableVisualStyles_ = true;
    bool hideScrollBar_ = true;
    bool autoScroll_ = false;
    bool wantReturns_ = false;
    TSelectionMoveDirection selectionMoveDirection_ = mdDown;
    QString caption_;
    bool readingLayout_ = false;

    std::unique_ptr<TColumns> columns_;
    TGridGeometry geometry_;
    std::array<std::unique_ptr<TStyleDisplay>, 3> displays_;

    // Remembered for resize handling.
    int lastClientWidth_ = 0;
    int lastClientHeight_ = 0;

    TIncrementalSearch search_;
    std::unique_ptr<TTimer> searchTimer_;

    std::unique_ptr<TGridEditing> editing_;
    std::unique_ptr<TGridInvalidator> invalidator_;
    std::unique_ptr<TGridPainter> painter_;
    std::unique_ptr<TGridNavigation> navigation_;
    std::unique_ptr<TGridKeyboard> keyboard_;
    std::unique_ptr<TGridMouse> mouse_;
    std::unique_ptr<TColumnDragging> columnDragging_;
    std::unique_ptr<TTextFitHint> fitHint_;
    std::unique_ptr<TGridAccessibility> accessibility_;
};

} // namespace tolvane
