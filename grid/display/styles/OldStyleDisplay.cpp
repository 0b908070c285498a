#include "grid/display/styles/OldStyleDisplay.h"

#include "grid/shared/GraphicsProvider.h"

namespace tolvane {

THeaderFeatures TOldStyleDisplay::HeaderFeatures() const {
    return {hfInvertPressed};
}

void TOldStyleDisplay::PaintHeaderSection(const TRect& rect) {
    TGraphicsProvider::DrawButtonFace(Cv(), rect, true);
}

void TOldStyleDisplay::PaintHeaderCell(TCustomColumn& column, const TRect& rect) {
    TGraphicsProvider::DrawButtonFace(Cv(), rect, true);
    PaintHeaderContent(column, rect);
}

} // namespace tolvane
