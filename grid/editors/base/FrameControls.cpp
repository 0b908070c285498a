#include "grid/editors/base/FrameControls.h"

#include <algorithm>

namespace tolvane {

void TFrameControls::PushButton(TCanvas& canvas, const TRect& rect, bool pushed) {
    if (rect.IsEmpty()) return;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(rect);
    canvas.Pen.Width = 1;
    const int l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
    if (pushed) {
        canvas.Brush.Color = clBtnShadow;
        canvas.FrameRect(rect);
        return;
    }
    canvas.Pen.Color = clBtnHighlight;
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen.Color = clWindowFrame;
    canvas.Polyline({{r, t}, {r, b}, {l - 1, b}});
    if (r - l > 2 && b - t > 2) {
        canvas.Pen.Color = clBtnShadow;
        canvas.Polyline({{r - 1, t + 1}, {r - 1, b - 1}, {l, b - 1}});
    }
}

void TFrameControls::ArrowButton(TCanvas& canvas, const TRect& rect, TArrowDirection direction, bool pushed) {
    PushButton(canvas, rect, pushed);
    const int shift = pushed ? 1 : 0;
    const int half = std::max(1, std::min(rect.Width() / 4, rect.Height() / 3));
    const int cx = (rect.Left + rect.Right) / 2 + shift;
    const int cy = (rect.Top + rect.Bottom) / 2 + shift;
    canvas.Pen.Color = clWindowText;
    for (int i = 0; i < half; ++i) {
        const int y = direction == adUp ? cy - half / 2 + i : cy + half / 2 - i;
        canvas.MoveTo(cx - i, y);
        canvas.LineTo(cx + i + 1, y);
    }
}

} // namespace tolvane
