#include "grid/model/columns/classes/NumericColumn.h"

#include "grid/base/Conversions.h"
#include "grid/base/FormatFloat.h"
#include "grid/base/Locale.h"

namespace tolvane {

TColumnClasses TNumericColumn::Classes() {
    return TColumnHooks::Of<TNumericColumn>();
}

TNumericColumn::TNumericColumn() : TNumericColumn(Classes()) {}

TNumericColumn::TNumericColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    min_ = 0;
    max_ = 0;
    increment_ = 1.0;
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
    SetCellKind(ckFloat);
}

void TNumericColumn::SetTextBefore(const QString& value) {
    textBefore_ = value;
    Changed(gaCells);
}

void TNumericColumn::SetTextAfter(const QString& value) {
    textAfter_ = value;
    Changed(gaCells);
}

QString TNumericColumn::FormatText(const QString& value) const {
    if (formatMask_.empty()) return value + textAfter_;
    return FormatFloat(QString::fromStdString(formatMask_), StrToFloat(value)) + textAfter_;
}

bool TNumericColumn::AcceptsKey(QChar key) const {
    return key == u'+' || key == u'-' || (key >= u'0' && key <= u'9') ||
           key == TLocale::Current().DecimalSeparator;
}

void TNumericColumn::CopyFrom(const TCustomColumn& source) {
    TCustomColumn::CopyFrom(source);
    auto numeric = dynamic_cast<const TNumericColumn*>(&source);
    if (!numeric || numeric == this) return;
    SetFormatMask(numeric->FormatMask());
    SetIncrement(numeric->Increment());
    SetMax(numeric->Max());
    SetMin(numeric->Min());
    SetTextAfter(numeric->TextAfter());
    SetTextBefore(numeric->TextBefore());
}

} // namespace tolvane
