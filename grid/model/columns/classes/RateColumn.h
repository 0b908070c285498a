#pragma once
// A column drawing each cell's integer as a row of full and empty glyphs.

#include "grid/host/Bitmap.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

class TRateColumn : public TCustomColumn {
public:
    TRateColumn();
    ~TRateColumn() override;
    static TColumnClasses Classes();

    // Both bitmaps are owned; the setters copy the given bitmap into them. With Transparent, any
    // change of either makes its bottom-left pixel colour transparent.
    const TBitmap& EmptyGlyph() const { return emptyGlyph_; }
    TBitmap& EmptyGlyph() { return emptyGlyph_; }
    void SetEmptyGlyph(const TBitmap& value) { emptyGlyph_.Assign(value); }
    const TBitmap& Glyph() const { return glyph_; }
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& value) { glyph_.Assign(value); }
    int Max() const { return max_; }
    void SetMax(int value); // repaints only when the value differs
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool HideWhenEmpty() const { return hideWhenEmpty_; }
    void SetHideWhenEmpty(bool value);

    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TRateColumn(const TColumnClasses& classes);

private:
    void GlyphChanged(TBitmap& bitmap);

    TBitmap emptyGlyph_;
    TBitmap glyph_;
    int max_ = 5;
    bool transparent_ = false;
    bool hideWhenEmpty_ = false;
    bool adjustingGlyph_ = false;
};

} // namespace tolvane
