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

} // namespace tolvane
