#include "grid/shared/DrawProvider.h"

#include <cstdint>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/shared/MaskProvider.h"

namespace tolvane {

namespace {
// Scan-line pixels are bytes blue, green, red, alpha; colours are 0x00BBGGRR.
TColor PixelColor(std::uint32_t px) {
    return RGB(std::uint8_t(px >> 16), std::uint8_t(px >> 8), std::uint8_t(px));
}
} // namespace

void TDrawProvider::DrawGraphic(TCanvas& canvas, int x, const TBitmap& picture, int y) {
    const int width = picture.Width();
    const int height = picture.Height();
    if (width <= 0 || height <= 0) return;
    if (picture.PixelFormat() != pf32bit) {
        canvas.Draw(x, y, picture);
        return;
    }
    TBitmap result(picture);
    TBitmap background(width, height, pf32bit);
    background.Canvas().CopyRect(TRect{0, 0, width, height}, canvas, TRect{x, y, x + width, y + height});
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* source = picture.ScanLine(row);
        const std::uint32_t* under = background.ScanLine(row);
        std::uint32_t* target = result.ScanLine(row);
        for (int col = 0; col < width; ++col) {
            const std::uint32_t px = source[col];
            const TColor blended =
                TMaskProvider::BlendColors(PixelColor(px), PixelColor(under[col]), int(px >> 24));
            target[col] = (target[col] & 0xFF000000u) | (std::uint32_t(GetRValue(blended)) << 16) |
                          (std::uint32_t(GetGValue(blended)) << 8) | GetBValue(blended);
        }
    }
    canvas.Draw(x, y, result);
}

} // namespace tolvane
