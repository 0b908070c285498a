#include "grid/display/columns/CheckBoxColumnPlay.h"

#include "grid/model/columns/CustomColumn.h"
#include "grid/shared/CalcProvider.h"
#include "grid/base/Conversions.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

TCheckBoxColumnPlay::TCheckBoxColumnPlay(TCustomColumn& column) : TColumnPlay(column) {}

void TCheckBoxColumnPlay::KeyPress(QChar& key) {
    if (key != QLatin1Char(' ')) return;
    Toggle();
}

void TCheckBoxColumnPlay::MouseClick(TMouseButton, TShiftState, int x, int y) {
    if (GetCheckRect().Contains(TPoint{x, y})) Toggle();
}

void TCheckBoxColumnPlay::Toggle() {
    BooleanValue = !BooleanValue;
    // The text goes along with the value, so that whoever reads either sees the new state.
    TextValue = BoolToStr(BooleanValue);
    Change();
}

TRect TCheckBoxColumnPlay::GetCheckRect() const {
    const TRect bounds = TRect{0, 0, CellRect.Width(), CellRect.Height()}.Inflate(1, 1);
    const int size = ThemesAvailable() ? 13 : 11;
    const TPoint p =
        TCalcProvider::AlignBox(size, size, Column.VerticalAlignment(), Column.Alignment(), bounds, 2);
    return TRect{p.X, p.Y, p.X + size, p.Y + size};
}

} // namespace tolvane
