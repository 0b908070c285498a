#include "grid/model/cells/IncrementCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

QString TIncrementCell::Text() const {
    return IntToStr(Row() + 1LL);
}

} // namespace tolvane
