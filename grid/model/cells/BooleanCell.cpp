#include "grid/model/cells/BooleanCell.h"

#include "grid/base/Conversions.h"

namespace tolvane {

namespace {
// Only A-Z are lowered, on the narrow text, so no other letter can turn into "true".
bool IsTrueWord(const QString& text) {
    std::string narrow = text.toStdString();
    for (char& c : narrow)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return narrow == "true";
}
} // namespace

QString TBooleanCell::Text() const {
    return BoolToStr(value_);
}

void TBooleanCell::SetAsBoolean(bool value) {
    value_ = value;
    TCell::SetAsBoolean(value);
}

void TBooleanCell::SetAsDateTime(TDateTime value) {
    value_ = false;
    TCell::SetAsDateTime(value);
}

void TBooleanCell::SetAsFloat(double value) {
    value_ = value > 0;
    TCell::SetAsFloat(value);
}

void TBooleanCell::SetAsInteger(int value) {
    value_ = value > 0;
    TCell::SetAsInteger(value);
}

void TBooleanCell::SetText(const QString& value) {
    value_ = IsTrueWord(value);
    TCell::SetText(value);
}

} // namespace tolvane
