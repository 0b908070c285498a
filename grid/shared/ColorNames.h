#pragma once
// Colour names of the markup text ("red", "aliceblue", ...) and their conversion to colours.

#include <string>

#include "grid/base/Types.h"

namespace tolvane {

// "#RRGGBB" for a table name (any letter case); any other text is answered unchanged.
std::string ColorNameToHex(const std::string& name);
// A colour name or "#RRGGBB" as a colour (0x00BBGGRR). The first character of the hexadecimal
// form is dropped unread; an empty rest is black; a rest that is not a 32-bit hexadecimal
// number gives clNone. Short forms such as "#F00" are not expanded.
TColor HtmlColorToColor(const std::string& text);

// The names of the table in table order.
int ColorNameCount();
std::string ColorNameAt(int index);

} // namespace tolvane
