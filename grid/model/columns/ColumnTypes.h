#pragma once
// Enumerations of the column unit, the column-changed and collection notification kinds, and the
// column part codes.

#include "grid/model/cells/ColumnsNotification.h"
#include "grid/model/cells/SortType.h"
#include "grid/base/Types.h"

namespace tolvane {

enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };

enum TFormulaKind { fkNone, fkAverage, fkCount, fkMaximum, fkMinimum, fkSum };

enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };

enum TColumnOption {
    coAutoSize,
    coCanClick,
    coCanSort,
    coEditing,
    coCanInput,
    coEditorAutoSelect,
    coFixedSize,
    coImageForIcon,
    coDontHighlight,
    coPublicUsing,
    coSearchColumn,
    coShowTextFitHint,
    coTextForCaption
};
using TColumnOptions = TSet<TColumnOption>;

enum TSortKind { skAscending, skDescending };

enum TWrapKind { wkNone, wkEllipsis, wkWordWrap };

// A mouse cursor number in the screen's cursor table; 0 is the default cursor.
using TCursor = int;

// What changed in one column; sent to the grid through the collection's OnColumnChanged.
enum TColumnChangeKind : int {
    ccInputValue = 1, // the input-row value
    ccPosition = 2,   // the display position
    ccSorted = 3,     // became the sorted column
    ccSortParams = 4, // sort kind or sort type
    ccAppearance = 5,
    ccVisibility = 6,
    ccUnsorted = 7,
    ccWidth = 8
};


// Parts of a column that GetPartRect answers for.
enum TColumnPartCode : int { cpFooter = 0, cpHeader = 1, cpInput = 4 };

} // namespace tolvane
