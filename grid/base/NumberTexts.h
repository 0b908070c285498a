#pragma once
// The number texts the displays show besides masked numbers. The general float text, the date
// text and text-to-float are FloatToStr, DateTimeToStr and StrToFloat of Conversions.h.

#include <QString>

namespace tolvane {

// The progress percentage: fixed, no decimals, then "%" ("42%"). A value that rounds to zero is
// "0%", never "-0%".
QString PercentText(double percent);

} // namespace tolvane
