#pragma once
// Number, truth-value and date texts in the regional settings of TLocale::Current().
// Every failed parse throws EConvertError with a message naming the text.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

QString IntToStr(long long value);
// Shortest general form with at most 15 significant digits; scientific ("1E15", "1.5E-5")
// when the decimal exponent is below -4 or at least 15.
QString FloatToStr(double value);
// Optional sign, digits with the regional decimal separator, optional exponent; blanks around.
double StrToFloat(const QString& text);
// A 32-bit decimal integer with an optional sign; blanks around.
int StrToInt(const QString& text);
QString BoolToStr(bool value);
// "True"/"False" in any letter case, or a number (true when not zero).
bool StrToBool(const QString& text);

// The regional short date.
QString DateToStr(TDateTime value);
// The regional short date, a blank and the regional long time; no time when it is exactly midnight.
QString DateTimeToStr(TDateTime value);
// A date in the order of the regional short date, optionally followed by a time; or a time alone.
TDateTime StrToDateTime(const QString& text);

// Today at midnight, and the current moment.
TDateTime Date();
TDateTime Now();

// The nearest 32-bit integer, halves to the even one; EConvertError when there is none.
int RoundToInt(double value);

} // namespace tolvane
