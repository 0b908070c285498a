#include "grid/display/base/ColumnDisplay.h"

#include "grid/host/Canvas.h"
#include "grid/model/columns/CustomColumn.h"

namespace tolvane {

void TColumnDisplay::GetTextRect(TRect& rect) const {
    rect = CellRect;
    rect.Left += 2;
    rect.Right -= 2;
}

unsigned TColumnDisplay::TextFlags() const {
    unsigned flags = DT_NOPREFIX;
    switch (Column.Alignment()) {
    case taLeftJustify:
        flags |= DT_LEFT;
        break;
    case taRightJustify:
        flags |= DT_RIGHT;
        break;
    case taCenter:
        flags |= DT_CENTER;
        break;
    }
    if (Column.WrapKind() == wkWordWrap) {
        // Wrapped lines always start at the top.
        flags |= DT_WORDBREAK;
    } else {
        flags |= DT_SINGLELINE;
        if (Column.WrapKind() == wkEllipsis) flags |= DT_END_ELLIPSIS;
        switch (Column.VerticalAlignment()) {
        case vaTop:
            flags |= DT_TOP;
            break;
        case vaMiddle:
            flags |= DT_VCENTER;
            break;
        case vaBottom:
            flags |= DT_BOTTOM;
            break;
        }
    }
    if (RightToLeft != 0) flags |= DT_RTLREADING;
    return flags;
}

void TColumnDisplay::DrawText(const QString& text, const TRect& rect) {
    if (!Canvas) return;
    TRect r = rect;
    Canvas->Brush.Style = bsClear;
    Canvas->DrawText(text, r, TextFlags());
    Canvas->Brush.Style = bsSolid;
}

void TColumnDisplay::DrawHintMark() {
    if (!Canvas) return;
    const int r = CellRect.Right;
    const int t = CellRect.Top;
    Canvas->Pen.Color = clRed;
    Canvas->Brush.Color = clRed;
    Canvas->Polygon({{r - 5, t}, {r - 1, t}, {r - 1, t + 4}});
}

void TColumnDisplay::FillBackground(TColor color, bool fill) {
    if (!Canvas) return;
    Canvas->Brush.Color = color;
    if (fill)
        Canvas->FillRect(CellRect);
    else
        Canvas->FrameRect(CellRect);
}

} // namespace tolvane
