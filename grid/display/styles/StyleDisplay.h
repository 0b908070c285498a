#pragma once
// Paints the fixed parts of the grid (header, input-row and footer cells, empty header sections,
// the header strip right of the last column) in one look. This base holds the content drawing
// shared by every look; the derived displays add their backgrounds.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCanvas;
class TCustomColumn;
class TCustomControl;

// What a look asks of the grid's header handling.
enum THeaderFeature {
    hfHotTrack = 1,      // the header cell under the mouse is tracked and repainted when it changes
    hfInvertPressed = 2, // a pressed header cell is shown inverted
};
using THeaderFeatures = TSet<THeaderFeature>;

class TStyleDisplay {
public:
    explicit TStyleDisplay(TCustomControl* owner);
    virtual ~TStyleDisplay() = default;
    TStyleDisplay(const TStyleDisplay&) = delete;
    TStyleDisplay& operator=(const TStyleDisplay&) = delete;

    // Another style display has nothing to copy.
    virtual void CopyFrom(const TStyleDisplay& source);

    bool RightToLeft = false;
    TCanvas* Canvas = nullptr;
    bool Themed = false;
    // The owning control: its colour fills plain sections. May be null (then clBtnFace is used).
    TCustomControl* Owner;
    bool ShowPressed = true;
    bool ShowSortArrow = true;

    // Extra room left of a header's content that keeps it clear of the pressed/sorted look.
    virtual int HeaderIndent(const TCustomColumn& column) const;
    virtual THeaderFeatures HeaderFeatures() const;
    virtual void PaintSortArrow(int x, int y, bool ascending);
    // Glyph, caption, sort arrow and pressed inversion of a header cell.
    virtual void PaintHeaderContent(TCustomColumn& column, const TRect& rect);
    // An empty header-look cell (the indicator column's header and footer).
    virtual void PaintHeaderSection(const TRect& rect);
    virtual void PaintFooterCell(TCustomColumn& column, const TRect& rect, bool gridLines);
    virtual void PaintHeaderCell(TCustomColumn& column, const TRect& rect);
    virtual void PaintInputCell(TCustomColumn& column, const TRect& rect, bool gridFocused, bool inputFocused,
                                bool gridLines);
    // The header strip right of the last column.
    virtual void PaintHeaderTail(const TRect& rect);

    // A line along the bottom and one along the right edge of rect, inside it.
    void PaintGridLines(const TRect& rect, TColor color);

protected:
    TCanvas& Cv() const;
    TColor OwnerColor() const;
    void FillOwnerColor(const TRect& rect);
    void Line(int x1, int y1, int x2, int y2);
};

} // namespace tolvane
