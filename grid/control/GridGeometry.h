#pragma once
// Where everything of a grid lies: fixed areas, rows, cells, column parts, scroll ranges, and the
// mapping from a point to an area, a column, a row or a cell. Rows are walked only as far as
// the screen (or the point asked about) reaches.

#include "grid/control/GridSettings.h"
#include "grid/base/Types.h"

namespace tolvane {

class TColumns;
class TCustomColumn;

struct TCellCoord {
    int Col = -1;
    int Row = -1;
    friend constexpr bool operator==(const TCellCoord&, const TCellCoord&) = default;
};

class TGridGeometry {
public:
    static constexpr int IndicatorWidth = 12;
    static constexpr int InputBand = 6;  // separator band under the input row
    static constexpr int FooterBand = 4; // separator band over the footer
    static constexpr int MaxRowHeight = 1 << 20;

    TGridGeometry(const TGridSettings& settings, const TColumns& columns, const TGridViewport& viewport)
        : s_(settings), columns_(columns), vp_(viewport) {}

    bool Has(TGridOption option) const { return s_.Options.Contains(option); }
    bool IsReport() const { return s_.GridStyle == gsReport; }

    int Indicator() const { return Has(goIndicator) ? IndicatorWidth : 0; } // I
    int GridLine() const { return Has(goGrid) ? 1 : 0; }                    // G
    int ColumnsWidth() const;                                               // W
    int ClientWidth() const { return vp_.ViewportWidth(); }
    int ClientHeight() const { return vp_.ViewportHeight(); }
    int HorzPosition() const { return vp_.ViewportHorzPosition(); }
    int VertPosition() const { return vp_.ViewportVertPosition(); }
    int RowCount() const { return vp_.ViewportRowCount(); }
    bool IsValidRow(int row) const { return row >= 0 && row < RowCount(); }
    // h(r): the data side's height for an existing row (within 0..MaxRowHeight), RowSize otherwise.
    int RowHeight(int row) const;
    // h(r) + G.
    int RowPitch(int row) const { return RowHeight(row) + GridLine(); }

    // ---- areas ---------------------------------------------------------------------------
    TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    // Left edge of the data area: I in gsReport, 0 in gsSlides (what the column layout starts from).
    int DataLeft() const { return IsReport() ? Indicator() : 0; }
    int DataTop() const {
        if (!IsReport()) return 0;
        int top = Has(goHeader) ? s_.HeaderSize : 0;
        if (Has(goInput)) top += s_.InputSize + InputBand + GridLine();
        return top;
    }
    int DataBottom() const;
    int DataRight() const;
    int InputTop() const { return Has(goHeader) ? s_.HeaderSize : 0; }
    int InputBottom() const { return InputTop() + s_.InputSize + InputBand + GridLine(); }
    int FooterTop() const { return FooterTopIn(ClientHeight()); }
    // Right edge of the header, input and footer rectangles: I + W - hpos.
    int ColumnsRight() const { return Indicator() + ColumnsWidth() - HorzPosition(); }

    TRect IndicatorRect() const { return {0, 0, IndicatorWidth, ClientHeight()}; }
    TRect HeaderRect() const;
    TRect InputRect() const;
    TRect FooterRect() const;
    TRect DataRect() const;
    // The rectangle an area code names; the client rectangle for gaNone.
    TRect AreaRect(TGridArea area) const;
    // Width the columns may share: the client width, less I in gsReport.
    int AvailableWidth() const { return ClientWidth() - DataLeft(); }

    // ---- columns -------------------------------------------------------------------------
    // Column parts of gsReport: gaHeader, gaInput (without its band), gaFooter (without its band).
    TRect ColumnPartRect(const TCustomColumn& column, TGridArea area) const;
    // The area's rectangle narrowed to the column's x range (client rectangle for gaNone, gaCells).
    TRect ColumnStripRect(const TCustomColumn& column, TGridArea area) const;
    // The first visible column by display order whose screen span holds x (both ends included);
    // -1 when none. `position` receives its display position.
    int ColumnAt(int x, int* position = nullptr) const;
    // The column whose right edge lies within 2 pixels of the point in the header; -1 when none.
    int ResizeColumnAt(TPoint p) const;
    TRect HeaderBandRect() const;
    TRect DropZoneRect() const;

    // ---- rows and cells --------------------------------------------------------------------
    int RowTop(int row) const;
    // The first row (in gsReport) whose top lies at or below the client's bottom: no row from
    // there on can show. The walk that finds it is remembered while the viewport, the row count
    // and the layout settings stay as they were; ForgetRowWalk drops it when row heights may
    // have changed otherwise (rows moved, a new paint); never while a handler measures the rows.
    int FirstRowBelowClient() const {
        SyncWalkKey();
        return rowWalkValid_ ? firstRowBelow_ : WalkToFirstRowBelowClient();
    }
    void ForgetRowWalk() const {
        rowWalkValid_ = false;
        visibleWalkValid_ = false;
        topMemoValid_ = false;
    }
    // Rows were appended to the `previousCount` there were: walks that stopped before the old
    // end saw none of them and stay as they are.
    void RowsAppended(int previousCount) const;
    TRect RowRect(int row) const;
    // Whole rows that fit in the data height, counted from the first row shown. Remembered
    // like the walk of FirstRowBelowClient.
    int VisibleRowCount() const;
    // Bottom of the last row shown (rows only, not empty space), at most just past the data bottom.
    int LastRowBottom() const;
    int RowAt(int y) const;
    TRect CellRect(int col, int row, TGridArea area = gaCells) const;
    TCellCoord CellAt(TPoint p) const;
    TGridArea AreaAt(TPoint p) const;

    // ---- scrolling -------------------------------------------------------------------------
    int HorzScrollRange() const;
    int VertScrollRange() const;
    // Vertical Max in gsSlides: rows less the slides that fit, never negative.
    int SlidesVertMax() const;
    int SlidePitch() const { return s_.SlideSize + GridLine(); }
    int HorzScrollDelta(int previous, int current) const { return previous - current; }
    // Pixels to move when the first row shown changes; a jump past the screen answers just
    // more than the client height, which moves everything out all the same.
    int VertScrollDelta(int previous, int current) const;
    TRect HorzScrollClip() const;
    TRect VertScrollClip() const;
    // The first row to show so that `row` is visible; the current position when it already is.
    int PositionToShowRow(int row) const;

    const TGridSettings& Settings() const { return s_; }
    const TColumns& Columns() const { return columns_; }

private:
    const TGridSettings& s_;
    const TColumns& columns_;
    const TGridViewport& vp_;

    // What both walks depend on besides the row heights. Both walks share one key: a change seen
    // by either drops both, so a row deleted and another inserted (the count back where it was)
    // cannot leave one walk looking current.
    struct TWalkKey {
        int VertPosition = 0, RowCount = 0, ClientHeight = 0, DataTop = 0, DataBottom = 0, GridLine = 0,
            RowSize = 0;
        bool HeightsVary = false;
        friend bool operator==(const TWalkKey&, const TWalkKey&) = default;
    };
    TWalkKey CurrentWalkKey() const {
        const TViewportWalk w = vp_.ViewportWalk();
        const int dataBottom = IsReport() && Has(goFooter) ? FooterTopIn(w.ClientHeight) : w.ClientHeight;
        return {w.VertPosition, w.RowCount, w.ClientHeight, DataTop(),
                dataBottom,     GridLine(), s_.RowSize,     w.HeightsVary};
    }
    int FooterTopIn(int clientHeight) const {
        return clientHeight - (s_.HeaderSize + FooterBand) - GridLine();
    }
    void SyncWalkKey() const {
        const TWalkKey key = CurrentWalkKey();
        if (key == walkKey_ && !key.HeightsVary) return;
        walkKey_ = key;
        ForgetRowWalk();
    }
    int WalkToFirstRowBelowClient() const;

    mutable TWalkKey walkKey_;
    mutable bool rowWalkValid_ = false;
    mutable int firstRowBelow_ = 0;
    mutable bool visibleWalkValid_ = false;
    // The last RowTop answered, remembered like the walks above.
    mutable bool topMemoValid_ = false;
    mutable int topMemoRow_ = 0;
    mutable int topMemo_ = 0;
    mutable int visibleCount_ = 0;
    // The visible walk ended at a row that did not fit, not at the last row.
    mutable bool visibleFull_ = false;
};

} // namespace tolvane
