#pragma once
// The grid control as an application sees it: published properties with their defaults and the
// repaint each change requests, the themed border, in-cell editing by column plays, and column
// class registration.

#include <memory>

#include <QString>

#include "grid/control/CustomGridViewControl.h"

namespace tolvane {

class TColumnPlay;

class TCustomGridView : public TCustomGridViewControl {
public:
    TCustomGridView();
    ~TCustomGridView() override;

    // ---- operations added at this level -----------------------------------------------------
    // Prepares the column's play for in-cell editing of the cell; answers whether it may edit.
    bool CanEditInPlace(int ACol, int ARow, const TRect& cellRect) override;
    // Loads the cell's value into the play (data side).
    virtual void PrepareInPlaceEditor(TColumnPlay& play);
    // Stores the play's new value (data side); nothing here.
    virtual void StoreInPlaceValue(TColumnPlay& play);
    // Registers the column classes by name for reading stored layouts.
    virtual void RegisterColumnClasses();

    // ---- where things lie ---------------------------------------------------------------------
    // The area, cell, column (by index; `position` receives its display position), row or
    // resize edge under a client point; -1 (gaNone) when there is none.
    TGridArea GetAreaAt(int x, int y) const { return geometry_.AreaAt({x, y}); }
    TCellCoord GetCellAt(int x, int y) const { return geometry_.CellAt({x, y}); }
    int GetColumnAt(int x, int* position = nullptr) const { return geometry_.ColumnAt(x, position); }
    int GetRowAt(int y) const { return geometry_.RowAt(y); }
    int GetResizeColumnAt(int x, int y) const { return geometry_.ResizeColumnAt({x, y}); }
    int GetRowTop(int ARow) const { return geometry_.RowTop(ARow); }
    int GetVisibleRowCount() const { return geometry_.VisibleRowCount(); }

    // ---- themed border ----------------------------------------------------------------------
    // With visual styles active, bsSingle and EnableVisualStyles, the outer two pixels (the edge
    // and a one-pixel border) show the list-view frame; otherwise the plain edge.
    bool ThemedBorder() const;
    // Sets the border width for the current look and asks for the frame to be redrawn.
    void UpdateThemedBorder();
    void NCPaint(TCanvas& canvas) override;
    void BorderStyleChanged() override;

    // ---- published properties ---------------------------------------------------------------
    void SetAppearanceOptions(TAppearanceOptions value);
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    void SetCaption(const QString& value);
    void SetEnableVisualStyles(bool value);
    void SetGridLinesColor(TColor value);
    void SetGridLinesStyle(TGridLinesStyle value);
    void SetGridStyle(TGridStyle value);
    int HeaderSize() const { return settings_.HeaderSize; }
    void SetHeaderSize(int value);
    void SetHeaderStyle(THeaderStyle value);
    void SetHideScrollBar(bool value);
    void SetHighlightedTextColor(TColor value);
    int InputSize() const { return settings_.InputSize; }
    void SetInputSize(int value);
    void SetOptions(TGridOptions value);
    int RowSize() const { return settings_.RowSize; }
    // Values of 0 or less are ignored.
    void SetRowSize(int value);
    void SetSelectionMoveDirection(TSelectionMoveDirection value) { selectionMoveDirection_ = value; }
    int SlideSize() const { return settings_.SlideSize; }
    void SetSlideSize(int value);
    void SetWantReturns(bool value) { wantReturns_ = value; }
};

} // namespace tolvane
