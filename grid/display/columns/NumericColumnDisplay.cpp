#include "grid/display/columns/NumericColumnDisplay.h"

#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/base/Conversions.h"
#include "grid/base/FormatFloat.h"

namespace tolvane {

TNumericColumnDisplay::TNumericColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TNumericColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TNumericColumn*>(&Column);
    QString text;
    if (column && !column->FormatMask().empty())
        text = FormatFloat(QString::fromStdString(column->FormatMask()), FloatValue);
    else
        text = FloatToStr(FloatValue);
    if (column && (!column->TextBefore().isEmpty() || !column->TextAfter().isEmpty()))
        text = column->TextBefore() + text + column->TextAfter();
    TRect r;
    GetTextRect(r);
    DrawText(text, r);
}

} // namespace tolvane
