#include "grid/base/NumberTexts.h"

#include <cmath>

#include "grid/base/Conversions.h"
#include "grid/base/FormatFloat.h"

namespace tolvane {

QString PercentText(double percent) {
    // Fixed notation holds 18 digits; beyond them the general form takes over.
    if (!std::isfinite(percent) || std::fabs(percent) >= 1e18) return FloatToStr(percent) + '%';
    return FormatFloat("0", percent) + '%';
}

} // namespace tolvane
