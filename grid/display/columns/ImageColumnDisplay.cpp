#include "grid/display/columns/ImageColumnDisplay.h"

#include "grid/host/Bitmap.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/shared/CalcProvider.h"

namespace tolvane {

TImageColumnDisplay::TImageColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TImageColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TImageColumn*>(&Column);
    if (!Canvas || !column || !column->Images() || IntegerValue < 0) return;
    const TImageList& images = *column->Images();
    if (IntegerValue >= images.Count()) return;
    const TPoint p = TCalcProvider::AlignBox(images.Width(), images.Height(), Column.VerticalAlignment(),
                                             Column.Alignment(), CellRect, 2);
    images.Draw(*Canvas, p.X, p.Y, IntegerValue, true);
}

} // namespace tolvane
