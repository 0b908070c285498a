#include "grid/model/cells/VirtualCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

bool TVirtualCell::AsBoolean() const {
    return StrToBool(Text());
}
TDateTime TVirtualCell::AsDateTime() const {
    return StrToDateTime(Text());
}
double TVirtualCell::AsFloat() const {
    return StrToFloat(Text());
}
int TVirtualCell::AsInteger() const {
    return StrToInt(Text());
}

QString TVirtualCell::Text() const {
    QString text;
    if (OnGetText) OnGetText(const_cast<TVirtualCell&>(*this), A, B, text);
    return text;
}

void TVirtualCell::Store(const QString& text) {
    if (OnSetText) OnSetText(*this, A, B, text);
}

void TVirtualCell::SetAsBoolean(bool value) {
    Store(BoolToStr(value));
    TCell::SetAsBoolean(value);
}

void TVirtualCell::SetAsDateTime(TDateTime value) {
    Store(DateTimeToStr(value));
    TCell::SetAsDateTime(value);
}

void TVirtualCell::SetAsFloat(double value) {
    Store(FloatToStr(value));
    TCell::SetAsFloat(value);
}

void TVirtualCell::SetAsInteger(int value) {
    Store(IntToStr(value));
    TCell::SetAsInteger(value);
}

void TVirtualCell::SetText(const QString& value) {
    Store(value);
    TCell::SetText(value);
}

} // namespace tolvane
