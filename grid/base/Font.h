#pragma once
// A font description: plain data that columns, grids and canvases carry and copy.

#include <QString>

#include "grid/base/Types.h"

namespace tolvane {

class TFont {
public:
    QString Name;              // empty: the platform default font
    int Height = 13;           // character height in pixels
    TColor Color = clWindowText;
    TFontStyles Style;

    friend bool operator==(const TFont&, const TFont&) = default;
};

} // namespace tolvane
