#pragma once
// Numbers formatted by a format mask, in the regional settings of TLocale::Current().
//
// Mask language: "0" digit placeholder (pads with zeros), "#" optional digit, "." the regional
// decimal separator (first one only; later ones are dropped), "," in the integer part turns on
// regional thousands grouping, "E+" "E-" "e+" "e-" scientific notation with the following "0"s
// as the minimum exponent digits, text in single or double quotes copied without the quotes,
// and up to three sections separated by ";" for positive, negative and zero values (an empty
// or missing section falls back to the first). Any other character is copied as it stands.
// The value is rounded half away from zero to the placeholders after the decimal point. A
// given negative section is used with the magnitude and no minus sign of its own.

#include <QString>

namespace tolvane {

// An empty mask gives the general float text (FloatToStr). A value that rounds to zero is
// shown as zero, without a minus sign (through the zero section when there is one).
QString FormatFloat(const QString& mask, double value);

} // namespace tolvane
