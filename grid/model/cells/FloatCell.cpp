#include "grid/model/cells/FloatCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

int TFloatCell::AsInteger() const {
    return RoundToInt(value_);
}
QString TFloatCell::Text() const {
    return FloatToStr(value_);
}

void TFloatCell::SetAsBoolean(bool value) {
    value_ = 0;
    TCell::SetAsBoolean(value);
}

void TFloatCell::SetAsDateTime(TDateTime value) {
    value_ = value;
    TCell::SetAsDateTime(value);
}

void TFloatCell::SetAsFloat(double value) {
    value_ = value;
    TCell::SetAsFloat(value);
}

void TFloatCell::SetAsInteger(int value) {
    value_ = value;
    TCell::SetAsInteger(value);
}

void TFloatCell::SetText(const QString& value) {
    value_ = StrToFloat(value);
    TCell::SetText(value);
}

} // namespace tolvane
