#pragma once
// The two display formats of catalogue numbers.

#include <cstdint>
#include <string>

namespace tolvane {

// Milliseconds as "hh:mm:ss,mmm"; hours keep as many digits as they need. A negative count gives
// the text of its magnitude with a leading "-". Taking 64 bits lets a long title's total through.
std::string FormatDuration(std::int64_t ms);

// Decimal digits in groups of three, each followed by one blank, padded on the left with blanks
// to a whole group: "1000" gives "  1 000 ". The text is taken as characters, not as a number.
std::string FormatSize(const std::string& digits);

// A floating-point field read as text: the shortest general form with at most 15 significant
// digits, except that a whole number prints as all its digits, never in exponent form, so that a
// size total stays a digit string for FormatSize however large it grows. Beyond 2^53 that is the
// whole number the double holds.
std::string FloatFieldText(double value);

} // namespace tolvane
