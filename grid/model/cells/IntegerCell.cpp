#include "grid/model/cells/IntegerCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

QString TIntegerCell::Text() const {
    return IntToStr(value_);
}

void TIntegerCell::SetAsBoolean(bool value) {
    value_ = 0;
    TCell::SetAsBoolean(value);
}

void TIntegerCell::SetAsDateTime(TDateTime value) {
    value_ = 0;
    TCell::SetAsDateTime(value);
}

void TIntegerCell::SetAsFloat(double value) {
    value_ = RoundToInt(value);
    TCell::SetAsFloat(value);
}

void TIntegerCell::SetAsInteger(int value) {
    value_ = value;
    TCell::SetAsInteger(value);
}

void TIntegerCell::SetText(const QString& value) {
    value_ = value.isEmpty() ? 0 : StrToInt(value);
    TCell::SetText(value);
}

} // namespace tolvane
