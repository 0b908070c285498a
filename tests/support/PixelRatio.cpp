#include "support/PixelRatio.h"

#include <QString>

namespace tolvane::test {

double ExpectedPixelRatio() {
    bool ok = false;
    const double ratio = qEnvironmentVariable("TOLVANE_TEST_PIXEL_RATIO").toDouble(&ok);
    return ok ? ratio : 0;
}

} // namespace tolvane::test
