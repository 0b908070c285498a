#pragma once
// Enumerations, option sets and event types of the grid control's published surface.

#include <functional>

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TCustomGridViewControl;

enum TGridStyle { gsReport, gsSlides };

enum TGridLinesStyle { lsNormal, lsFramed, lsHorizontalOnly };

enum TSelectionMoveDirection { mdNone, mdUp, mdDown, mdLeft, mdRight };

enum THeaderStyle { hsAuto, hsFlatBorders, hsOldStyle };

enum TAppearanceOption {
    aoAlphaBlendedSelection,
    aoBoldTextSelection,
    aoHideFocus,
    aoHideSelection,
    aoHintMarks,
    aoIndicateSelectedCell,
    aoIndicateSortedColumn
};
using TAppearanceOptions = TSet<TAppearanceOption>;

enum TGridOption {
    goCanHideColumn,
    goDissableColumnMoving,
    goFooter,
    goGrid,
    goHeader,
    goIndicator,
    goInput,
    goMultiSelect,
    goSelectFullRow,
    goUseDefaultValues
};
using TGridOptions = TSet<TGridOption>;

// Cursor numbers of the grid's cursor resources in the screen cursor table.
enum : int {
    crGridHorzSplit = 3000,      // "HORZSPLIT"
    crGridColumnNoDrag = 3001,   // "COLUMNNODRAG"
    crGridIndicatorSelect = 3006 // "INDICATORSELECT"
};

// Events. Sender is the grid that raises the event; `&` parameters may be changed by the handler.
using TGridNotifyEvent = std::function<void(TCustomGridViewControl* Sender)>;
using TCellEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow)>;
using TChangeEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow)>;
using TCellColoringEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow,
                                              TColor& CellColor, TColor& GridColor, TCellState CellState)>;
using TCellFormatingEvent =
    std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow, TColor& TextColor,
                       TFontStyles& FontStyle, TCellState CellState)>;
using TDrawCellBackgroundEvent =
    std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow, TRect CellRect,
                       TCellState CellState, bool& DefaultDrawing)>;
using TCustomDrawCellEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow,
                                                TRect CellRect, TCellState CellState)>;
using TColumnResizeEvent = std::function<void(TCustomGridViewControl* Sender, int ACol)>;
using THeaderClickEvent = std::function<void(TCustomGridViewControl* Sender, int ACol)>;
using TSortColumnEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, bool Ascending)>;
using TEditEvent =
    std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow, const QString& Value)>;
using TBeforeEditEvent =
    std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow, bool& Accept)>;
using TEditAcceptEvent = std::function<void(TCustomGridViewControl* Sender, int ACol, int ARow,
                                            const QString& Value, bool& Accept)>;
using TInputAcceptEvent = std::function<void(TCustomGridViewControl* Sender, bool& Accept)>;
using TMeasuringRowHeightEvent =
    std::function<void(TCustomGridViewControl* Sender, int Index, int& RowHeight)>;

} // namespace tolvane
