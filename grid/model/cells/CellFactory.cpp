#include "grid/model/cells/CellFactory.h"

#include "grid/model/cells/BooleanCell.h"
#include "grid/model/cells/DateTimeCell.h"
#include "grid/model/cells/FloatCell.h"
#include "grid/model/cells/IncrementCell.h"
#include "grid/model/cells/IntegerCell.h"
#include "grid/model/cells/StringCell.h"
#include "grid/model/cells/VirtualCell.h"

namespace tolvane {

std::unique_ptr<TCell> NewCell(TCells* owner, int kind, TCellPlacement placement) {
    switch (kind) {
    case ckRowNumber:
        if (placement == cpAppend) return std::make_unique<TIncrementCell>(owner);
        return std::make_unique<TIntegerCell>(owner);
    case ckBoolean:
        return std::make_unique<TBooleanCell>(owner);
    case ckDateTime:
        return std::make_unique<TDateTimeCell>(owner);
    case ckFloat:
        return std::make_unique<TFloatCell>(owner);
    case ckInteger:
        return std::make_unique<TIntegerCell>(owner);
    case ckVirtual:
        if (placement == cpInsertRow) return std::make_unique<TStringCell>(owner);
        return std::make_unique<TVirtualCell>(owner);
    default:
        return std::make_unique<TStringCell>(owner);
    }
}

} // namespace tolvane
