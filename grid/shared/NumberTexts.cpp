#include "grid/shared/NumberTexts.h"

#include <cmath>

#include "grid/shared/Conversions.h"
#include "grid/shared/FormatFloat.h"

namespace tolvane {

QString PercentText(double percent) {
    // Fixed notation holds 18 digits; beyond them the general form takes over.
    if (!std::isfinite(percent) || std::fabs(percent) >= 1e18) return FloatToStr(percent) + '%';
    return FormatFloat("0", percent) + '%';
}

} // namespace tolvane
