#include "grid/display/columns/GraphicColumnDisplay.h"

#include <algorithm>
#include <cmath>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/model/columns/classes/GraphicColumn.h"

namespace tolvane {

TGraphicColumnDisplay::TGraphicColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TGraphicColumnDisplay::Paint() {
    const auto* column = dynamic_cast<const TGraphicColumn*>(&Column);
    if (!Canvas || !column) return;
    TCanvas& c = *Canvas;
    const int m = column->Margin();
    const TRect area = CellRect.Inflate(-m, -m);

    if (column->BorderWidth() > 0) {
        c.Brush.Color = Selected ? clHighlightText : clBtnFace;
        c.Brush.Style = bsSolid;
        TRect frame = area;
        for (int i = 0; i < column->BorderWidth(); ++i) {
            frame = frame.Inflate(1, 1);
            c.FrameRect(frame);
        }
    }

    if (!PictureValue || PictureValue->Empty() || area.IsEmpty()) return;
    const TBitmap& picture = *PictureValue;
    if (column->Strecht()) {
        c.StretchDraw(area, picture);
        return;
    }
    const double sx = double(area.Width()) / picture.Width();
    const double sy = double(area.Height()) / picture.Height();
    const double s = std::min(sx, sy);
    const int w = int(std::nearbyint(picture.Width() * s));
    const int h = int(std::nearbyint(picture.Height() * s));
    int left = area.Left, top = area.Top;
    if (sx >= sy)
        left = area.Left + area.Width() / 2 - w / 2;
    else
        top = area.Top + area.Height() / 2 - h / 2;
    c.StretchDraw(TRect{left, top, left + w, top + h}, picture);
}

} // namespace tolvane
