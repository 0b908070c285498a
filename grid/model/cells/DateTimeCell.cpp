#include "grid/model/cells/DateTimeCell.h"

#include "grid/base/Conversions.h"
#include "grid/base/Errors.h"

namespace tolvane {

int TDateTimeCell::AsInteger() const {
    return RoundToInt(value_);
}
QString TDateTimeCell::Text() const {
    return DateTimeToStr(value_);
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
    value_ = 0;
    if (!value.isEmpty()) {
        try {
            value_ = StrToDateTime(value);
        } catch (const EConvertError&) {
            value_ = 0;
        }
    }
    TCell::SetText(value);
}

} // namespace tolvane
