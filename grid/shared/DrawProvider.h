#pragma once
// Drawing pictures that carry per-pixel alpha onto a canvas.

namespace tolvane {

class TCanvas;
class TBitmap;

class TDrawProvider {
public:
    TDrawProvider() = delete;

    // A 32-bit picture is composited over the canvas with each pixel's alpha; any other picture
    // is drawn unchanged. An empty picture draws nothing.
    static void DrawGraphic(TCanvas& canvas, int x, const TBitmap& picture, int y);
};

} // namespace tolvane
