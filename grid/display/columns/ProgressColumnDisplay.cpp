#include "grid/display/columns/ProgressColumnDisplay.h"

#include <algorithm>
#include <cmath>

#include "grid/host/Canvas.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/shared/CalcProvider.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/base/NumberTexts.h"

namespace tolvane {

namespace {
// Right edge of a bar covering `percent` of inner; rounded half to even and kept inside inner.
// The clamping happens before the conversion so that huge or undefined values stay defined.
int BarRight(const TRect& inner, double percent) {
    const double width = inner.Right - inner.Left;
    double length = std::nearbyint(width * percent / 100);
    if (std::isnan(length)) length = 0;
    length = std::clamp(length, std::min(0.0, width), std::max(0.0, width));
    return inner.Left + int(length);
}
} // namespace

TProgressColumnDisplay::TProgressColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TProgressColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TProgressColumn*>(&Column);
    if (!Canvas || !column) return;
    if (FloatValue == 0 && column->HideWhenEmpty()) return;
    TCanvas& c = *Canvas;

    const double percent = TCalcProvider::CalcPercent(column->Max(), FloatValue);
    const int m = column->Margin();
    TRect frame = CellRect.Inflate(-m, -m);
    if (column->ShowText()) {
        TRect textRect;
        GetTextRect(textRect);
        DrawText(PercentText(percent), textRect);
        frame.Left += 30;
    }

    c.Brush.Style = bsSolid;
    if (column->Transparent()) {
        c.Brush.Color = column->BorderColor();
        c.FrameRect(frame);
    } else {
        c.Pen.Color = column->BorderColor();
        c.Pen.Mode = pmCopy;
        c.Brush.Color = column->Color();
        c.Rectangle(frame);
    }

    const TRect inner = frame.Inflate(-2, -2);
    const TRect bar{inner.Left, inner.Top, std::min(BarRight(inner, percent), inner.Right), inner.Bottom};
    switch (column->ProgressStyle()) {
    case psSolid:
        c.Brush.Color = column->ProgressColor();
        c.FillRect(bar);
        break;
    case psGradient:
        TGraphicsProvider::FillGradientHorizontal(c, bar, column->ProgressColor(), column->Color());
        break;
    case psCylinder:
        TGraphicsProvider::FillGradientVertical(c, bar, column->ProgressColor(), column->Color());
        break;
    }
}

} // namespace tolvane
