#include "grid/display/columns/RateColumnDisplay.h"

#include <cstdint>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/model/columns/classes/RateColumn.h"
#include "grid/shared/CalcProvider.h"

namespace tolvane {

namespace {
std::uint32_t BlendByte(std::uint32_t glyph, std::uint32_t canvas, std::uint32_t alpha) {
    return (alpha * glyph + 128) / 256 + ((255 - alpha) * canvas + 128) / 256;
}

void MakeTransparent(TBitmap& bitmap) {
    const TColor key = bitmap.GetPixel(0, bitmap.Height() - 1);
    // Only on a real change: the column repaints whenever its glyphs change.
    if (bitmap.TransparentColor() != key) bitmap.SetTransparentColor(key);
    if (!bitmap.Transparent()) bitmap.SetTransparent(true);
}
} // namespace

TRateColumnDisplay::TRateColumnDisplay(TCustomColumn& column) : TColumnDisplay(column) {}

void TRateColumnDisplay::Paint() {
    auto* column = dynamic_cast<TRateColumn*>(&Column);
    if (!Canvas || !column) return;
    if (IntegerValue == 0 && column->HideWhenEmpty()) return;
    const int max = column->Max();
    const int w = column->Glyph().Width();
    if (max <= 0 || w <= 0) return;

    TPoint p = TCalcProvider::AlignBox(w * max, column->Glyph().Height(), Column.VerticalAlignment(),
                                       Column.Alignment(), CellRect, 0);
    for (int i = 1; i <= max; ++i) {
        TBitmap& bitmap = IntegerValue < i ? column->EmptyGlyph() : column->Glyph();
        if (column->Transparent() && !bitmap.Empty()) MakeTransparent(bitmap);
        DrawGlyph(p.X, p.Y, bitmap);
        p.X += w;
    }
}

void TRateColumnDisplay::DrawGlyph(int x, int y, const TBitmap& glyph) {
    if (glyph.Empty()) return;
    if (glyph.PixelFormat() != pf32bit) {
        Canvas->Draw(x, y, glyph);
        return;
    }
    const int w = glyph.Width(), h = glyph.Height();
    TBitmap under(w, h, pf24bit);
    under.Canvas().CopyMode = cmSrcCopy;
    under.Canvas().CopyRect(TRect{0, 0, w, h}, *Canvas, TRect{x, y, x + w, y + h});
    for (int row = 0; row < h; ++row) {
        const std::uint32_t* src = glyph.ScanLine(row);
        std::uint32_t* dst = under.ScanLine(row);
        for (int col = 0; col < w; ++col) {
            const std::uint32_t g = src[col];
            const std::uint32_t alpha = g >> 24;
            if (alpha == 0) continue;
            if (alpha == 255) {
                dst[col] = g;
                continue;
            }
            std::uint32_t blended = 0;
            for (int shift = 0; shift < 32; shift += 8)
                blended |= BlendByte((g >> shift) & 0xFF, (dst[col] >> shift) & 0xFF, alpha) << shift;
            dst[col] = blended;
        }
    }
    Canvas->Draw(x, y, under);
}

} // namespace tolvane
