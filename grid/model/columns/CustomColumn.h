#pragma once
// The base of every column class: its published settings, its header and footer, its slide
// rectangle and the editor, display and play objects it creates from its class hooks.

#include <cstdint>
#include <memory>

#include <QChar>
#include <QString>

#include "grid/model/columns/ColumnHooks.h"
#include "grid/model/columns/ColumnPart.h"
#include "grid/model/columns/ColumnTypes.h"
#include "grid/model/columns/SlideBounds.h"
#include "grid/base/Font.h"
#include "grid/base/Types.h"

namespace tolvane {

class TColumns;
class TColumnsOwner;

class TCustomColumn {
public:
    virtual ~TCustomColumn();
    TCustomColumn(const TCustomColumn&) = delete;
    TCustomColumn& operator=(const TCustomColumn&) = delete;

    // ---- class hooks --------------------------------------------------------------------------
    virtual TCellEditorClass GetEditorClass() const { return classes_.Editor; }
    virtual TColumnDisplayClass GetDisplayClass() const { return classes_.Display; }
    virtual TColumnPlayClass GetPlayClass() const { return classes_.Play; }
    // A set of small numbers as bits; nothing in the grid reads it.
    virtual std::uint32_t ColumnFlags() const { return 0; }
    virtual void SetCellKind(int kind) { cellKind_ = std::uint8_t(kind); }
    // Value text -> displayed text (footer captions, text-fit hints).
    virtual QString FormatText(const QString& value) const { return value; }
    // Whether typing the character on the current cell starts editing with it.
    virtual bool AcceptsKey(QChar key) const;
    // Called each time the grid places the column's editor, after the editor is attached. Runs
    // the preparation bound to the column class (the model does not know the editors).
    virtual void PrepareEditor(TCellEditor* editor);
    // Copies the settings of another column through the setters (not SortType, DefaultWidth,
    // CellKind); column classes then copy their own when the source is of their class.
    virtual void CopyFrom(const TCustomColumn& source);

    // ---- collection -------------------------------------------------------------------------
    TColumns* Collection() const { return collection_; }
    // For reading a stored layout: the column knows its collection before its properties are
    // read, and joins it with TColumns::Add afterwards.
    void SetCollection(TColumns* columns) { collection_ = columns; }
    TColumnsOwner* Grid() const;

    // ---- published properties ---------------------------------------------------------------
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    const QString& DefaultValue() const { return defaultValue_; }
    void SetDefaultValue(const QString& value) { defaultValue_ = value; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value) { defaultWidth_ = value; }
    TDrawingOptions DrawingOptions() const { return drawingOptions_; }
    void SetDrawingOptions(TDrawingOptions value);
    const TFont& Font() const { return font_; }
    // Any font set here clears ParentFont and raises kind 5.
    void SetFont(const TFont& value);
    TColumnFooter& Footer() { return *footer_; }
    const TColumnFooter& Footer() const { return *footer_; }
    void SetFooter(const TColumnFooter& value) { footer_->CopyFrom(value); }
    TColumnHeader& Header() { return *header_; }
    const TColumnHeader& Header() const { return *header_; }
    void SetHeader(const TColumnHeader& value) { header_->CopyFrom(value); }
    const QString& InputCaption() const { return inputCaption_; }
    void SetInputCaption(const QString& value);
    TColumnOptions Options() const { return options_; }
    void SetOptions(TColumnOptions value);
    bool ParentFont() const { return parentFont_; }
    // True copies the grid's font; ParentFont stays true.
    void SetParentFont(bool value);
    // The grid calls this when its own font changes: a column with ParentFont takes it again.
    void UpdateParentFont();
    int Position() const { return position_; }
    // In a collection (and not while reading) moves the column to that display position; -1 is
    // only stored. A position outside the collection throws EListError.
    void SetPosition(int value);
    TSlideBounds& SlideBounds() { return *slideBounds_; }
    const TSlideBounds& SlideBounds() const { return *slideBounds_; }
    void SetSlideBounds(const TSlideBounds& value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TSortKind SortKind() const { return sortKind_; }
    void SetSortKind(TSortKind value);
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    // Never below 8; the columns to the right with coAutoSize absorb the change.
    void SetWidth(int value);
    TWrapKind WrapKind() const { return wrapKind_; }
    void SetWrapKind(TWrapKind value) { wrapKind_ = value; }

    // ---- further state ----------------------------------------------------------------------
    int CellKind() const { return cellKind_; }
    const QString& InputText() const { return inputText_; }
    void SetInputText(const QString& value); // kind 1
    bool InputEditing() const { return inputEditing_; }
    void SetInputEditing(bool value) { inputEditing_ = value; }
    // Laid-out left edge in client pixels before horizontal scrolling.
    int Left() const { return left_; }
    // Place among the visible columns; -1 when hidden.
    int VisibleIndex() const { return visibleIndex_; }

    TCellEditor* Editor() const { return editor_.get(); }
    TColumnDisplay* Display() const { return display_.get(); }
    TColumnPlay* Play() const { return play_.get(); }

    // ---- plain operations -------------------------------------------------------------------
    // Place in the collection's creation order; -1 outside a collection.
    int GetIndex() const;
    int GetScreenLeft() const;
    // Part codes cpFooter, cpHeader, cpInput; any other code leaves rect unchanged.
    void GetPartRect(int part, TRect& rect) const;
    // 0 only column visible, 1 first visible, 3 last visible, 2 otherwise.
    int GetVisiblePlace() const;
    bool IsOnlyVisible() const;
    bool IsCurrentColumn() const;
    bool IsPressedHeader() const;
    bool IsHotHeader() const;
    // Has the grid repaint part of the column; gaNone is its whole strip.
    void Changed(TGridArea area = gaNone);

protected:
    // Throws EGridError when the classes name no display.
    explicit TCustomColumn(const TColumnClasses& classes);

    // Raises the collection's OnColumnChanged for this column.
    void NotifyChanged(TColumnChangeKind kind);

private:
    friend class TColumns;

    bool CanRearrange() const;
    void StoreWidth(int value);
    void PartChanged() { NotifyChanged(ccAppearance); }

    TColumnClasses classes_;
    TColumns* collection_ = nullptr;

    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clBlack;
    TCursor cursor_ = 0;
    QString defaultValue_;
    int defaultWidth_ = 80;
    TDrawingOptions drawingOptions_ = doNormal;
    TFont font_;
    std::unique_ptr<TColumnFooter> footer_;
    std::unique_ptr<TColumnHeader> header_;
    QString inputCaption_;
    QString inputText_;
    bool inputEditing_ = false;
    int left_ = 0;
    TColumnOptions options_;
    bool parentFont_ = true;
    int position_ = -1;
    std::unique_ptr<TSlideBounds> slideBounds_;
    bool sorted_ = false;
    TSortKind sortKind_ = skAscending;
    TSortType sortType_ = stAlphabetic;
    TVerticalAlignment verticalAlignment_ = vaMiddle;
    bool visible_ = true;
    int width_ = 80;
    TWrapKind wrapKind_ = wkEllipsis;
    std::uint8_t cellKind_ = ckText;
    int visibleIndex_ = -1;

    TCellEditorPtr editor_{nullptr, nullptr};
    TColumnDisplayPtr display_{nullptr, nullptr};
    TColumnPlayPtr play_{nullptr, nullptr};
};

} // namespace tolvane
