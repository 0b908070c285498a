#include "grid/model/cells/DateTimeCell.h"

#include <limits>

#include "grid/base/Conversions.h"

namespace tolvane {

int TDateTimeCell::AsInteger() const {
    return RoundToInt(AsDateTime());
}
QString TDateTimeCell::Text() const {
    return IsEmpty() ? QString() : DateTimeToStr(value_);
}

void TDateTimeCell::SetAsBoolean(bool value) {
    value_ = Date();
    TCell::SetAsBoolean(value);
}

void TDateTimeCell::SetAsDateTime(TDateTime value) {
    value_ = value;
    TCell::SetAsDateTime(value);
}

void TDateTimeCell::SetAsFloat(double value) {
    value_ = value;
    TCell::SetAsFloat(value);
}

void TDateTimeCell::SetAsInteger(int value) {
    value_ = value;
    TCell::SetAsInteger(value);
}

void TDateTimeCell::SetText(const QString& value) {
    value_ = value.isEmpty() ? std::numeric_limits<double>::quiet_NaN() : StrToDateTime(value);
    TCell::SetText(value);
}

} // namespace tolvane
