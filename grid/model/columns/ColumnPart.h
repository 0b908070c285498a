#pragma once
// The header and the footer of one column.

#include <functional>

#include <QString>

#include "grid/host/Bitmap.h"
#include "grid/model/columns/ColumnTypes.h"

namespace tolvane {

class TCustomColumn;

class TColumnPart {
public:
    // A part without a column is a free-standing value, e.g. to hand to TCustomColumn::SetHeader.
    explicit TColumnPart(TCustomColumn* column = nullptr);
    virtual ~TColumnPart();
    TColumnPart(const TColumnPart&) = delete;
    TColumnPart& operator=(const TColumnPart&) = delete;

    TCustomColumn* Column() const { return column_; }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value); // repaints the column's strip
    TColor Color() const { return color_; }
    void SetColor(TColor value); // repaints the column's strip
    TDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TDisplayMode value); // fires OnChange

    // The glyph is owned by the part. Any change of it makes its bottom-left pixel colour the
    // transparent colour and fires OnChange.
    const TBitmap& Glyph() const { return glyph_; }
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& value);

    virtual void CopyFrom(const TColumnPart& source);

    // Assigned by the owning column, which turns it into column-changed kind 5.
    std::function<void()> OnChange;

protected:
    void Change();
    void RepaintColumn();

private:
    void GlyphChanged();

    TCustomColumn* column_;
    QString caption_;
    TColor color_ = clBlack;
    TBitmap glyph_;
    TDisplayMode displayMode_ = dmTextOnly;
    bool adjustingGlyph_ = false;
};

class TColumnHeader : public TColumnPart {
public:
    explicit TColumnHeader(TCustomColumn* column = nullptr);
};

class TColumnFooter : public TColumnPart {
public:
    explicit TColumnFooter(TCustomColumn* column = nullptr);

    TFormulaKind FormulaKind() const { return formulaKind_; }
    void SetFormulaKind(TFormulaKind value); // fires OnChange

    // Copies the part settings, then FormulaKind when the source is a footer too.
    void CopyFrom(const TColumnPart& source) override;

private:
    TFormulaKind formulaKind_ = fkNone;
};

} // namespace tolvane
