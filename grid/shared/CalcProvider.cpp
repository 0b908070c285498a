#include "grid/shared/CalcProvider.h"

namespace tolvane {

double TCalcProvider::CalcPercent(double maximum, double value) {
    if (maximum == 0) return 0;
    return value / maximum * 100;
}

bool TCalcProvider::RectsIntersect(const TRect& a, const TRect& b) {
    return !(a.Right < b.Left || b.Right < a.Left || a.Bottom < b.Top || b.Bottom < a.Top);
}

TPoint TCalcProvider::AlignBox(int width, int height, TVerticalAlignment vertical, TAlignment horizontal,
                               const TRect& bounds, int margin) {
    // Integer division truncates toward zero, as the centring rule asks.
    const int centreX = bounds.Left + (bounds.Right - bounds.Left) / 2;
    const int centreY = bounds.Top + (bounds.Bottom - bounds.Top) / 2;
    TPoint p;
    switch (horizontal) {
    case taLeftJustify:
        p.X = bounds.Left + margin;
        break;
    case taRightJustify:
        p.X = bounds.Right - width - margin;
        break;
    case taCenter:
        p.X = centreX - width / 2;
        break;
    }
    switch (vertical) {
    case vaTop:
        p.Y = bounds.Top + margin;
        break;
    case vaBottom:
        p.Y = bounds.Bottom - height - margin;
        break;
    case vaMiddle:
        p.Y = centreY - height / 2;
        break;
    }
    return p;
}

TRect TCalcProvider::AdjustRect(const TRect& rect, int left, int top, int right, int bottom) {
    return TRect{rect.Left + left, rect.Top + top, rect.Right + right, rect.Bottom + bottom};
}

} // namespace tolvane
