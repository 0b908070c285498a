#include "grid/model/cells/StringCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

bool TStringCell::AsBoolean() const {
    return StrToBool(value_);
}
TDateTime TStringCell::AsDateTime() const {
    return StrToDateTime(value_);
}
double TStringCell::AsFloat() const {
    return StrToFloat(value_);
}
int TStringCell::AsInteger() const {
    return StrToInt(value_);
}

void TStringCell::SetAsBoolean(bool value) {
    value_ = BoolToStr(value);
    TCell::SetAsBoolean(value);
}

void TStringCell::SetAsDateTime(TDateTime value) {
    value_ = DateTimeToStr(value);
    TCell::SetAsDateTime(value);
}

void TStringCell::SetAsFloat(double value) {
    value_ = FloatToStr(value);
    TCell::SetAsFloat(value);
}

void TStringCell::SetAsInteger(int value) {
    value_ = IntToStr(value);
    TCell::SetAsInteger(value);
}

void TStringCell::SetText(const QString& value) {
    value_ = value;
    TCell::SetText(value);
}

} // namespace tolvane
