#pragma once
// Picks the cell class for a column's cell kind. Appending and inserting differ for the
// row-number and virtual kinds.

#include <memory>

#include "grid/model/cells/Cell.h"

namespace tolvane {

enum TCellPlacement { cpAppend, cpInsertColumn, cpInsertRow };

// Cell kinds the column classes set.
enum TCellKind {
    ckRowNumber = 0,
    ckPicture = 2,
    ckBoolean = 3,
    ckDateTime = 4,
    ckFloat = 5,
    ckInteger = 6,
    ckText = 7,
    ckVirtual = 9,
};

std::unique_ptr<TCell> NewCell(TCells* owner, int kind, TCellPlacement placement);

} // namespace tolvane
