// The window frame: static edge, border width, the NCPaint hook and themed frames.
#include <gtest/gtest.h>

#include <algorithm>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "grid/host/Bitmap.h"
#include "grid/host/CustomControl.h"
#include "grid/host/SystemColors.h"
#include "grid/host/ThemePainter.h"

using namespace tolvane;

namespace {

constexpr TColor kYellow = RGB(255, 255, 0);
constexpr TColor kLime = RGB(0, 255, 0);
constexpr TColor kFuchsia = RGB(255, 0, 255);

// Fills its client red; counts its frame paints.
class Framed : public TCustomControl {
public:
    int frames = 0;
    TColor frameFill = clNone; // clNone: the default frame
    TRect canvasBox;

    Framed() { SetBounds(0, 0, 60, 40); }
    void Paint() override {
        Canvas().Brush.Color = clRed;
        Canvas().FillRect(ClientRect());
    }
    void NCPaint(TCanvas& canvas) override {
        // The hook runs once for each strip of the band; a frame paint starts at the strip that
        // holds the window's corner, and the strips' canvases together cover the window.
        const TRect box = canvas.GetClipBox();
        if (box.Left == 0 && box.Top == 0) {
            ++frames;
            canvasBox = box;
        } else {
            canvasBox = TRect{std::min(canvasBox.Left, box.Left), std::min(canvasBox.Top, box.Top),
                              std::max(canvasBox.Right, box.Right), std::max(canvasBox.Bottom, box.Bottom)};
        }
        if (frameFill == clNone) {
            TCustomControl::NCPaint(canvas);
            return;
        }
        canvas.Brush.Color = frameFill;
        canvas.FillRect(TRect{0, 0, Width(), Height()});
    }
};

} // namespace

TEST(ControlFrame, SingleBorderIsASunkenEdgeRoundTheClient) {
    Framed c;
    c.SetColor(kYellow);
    c.SetBorderStyle(bsSingle);
    c.PaintNow();
    EXPECT_EQ(c.FrameWidth(), 1);
    EXPECT_EQ(c.ClientRect(), (TRect{0, 0, 58, 38}));
    EXPECT_EQ(c.WindowPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.WindowPixel(0, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.WindowPixel(30, 39), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.WindowPixel(59, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.WindowPixel(1, 1), ColorToRGB(clRed)); // the client starts inside the edge
    EXPECT_EQ(c.WindowPixel(58, 38), ColorToRGB(clRed));
    EXPECT_EQ(c.WindowPixel(60, 0), clNone);
}

TEST(ControlFrame, BorderWidthInsetsTheClientAndIsPaintedInTheControlColour) {
    Framed c;
    c.SetColor(kYellow);
    c.SetBorderStyle(bsSingle);
    c.SetBorderWidth(2);
    c.PaintNow();
    EXPECT_EQ(c.FrameWidth(), 3);
    EXPECT_EQ(c.ClientWidth(), 54);
    EXPECT_EQ(c.ClientHeight(), 34);
    EXPECT_EQ(c.Surface().width(), 54);
    EXPECT_EQ(c.WindowPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.WindowPixel(2, 2), ColorToRGB(kYellow));
    EXPECT_EQ(c.WindowPixel(3, 3), ColorToRGB(clRed));
    c.ShowScrollBar(sbVertical, true);
    EXPECT_EQ(c.WindowPixel(57, 20), ColorToRGB(kYellow)); // right of the bar, inside the edge
    EXPECT_EQ(c.WindowPixel(55, 20), clNone);              // the bar
    c.SetBorderWidth(-5);
    EXPECT_EQ(c.BorderWidth(), 0);
    c.SetBorderStyle(bsNone);
    EXPECT_EQ(c.FrameWidth(), 0);
    c.PaintNow();
    EXPECT_EQ(c.WindowPixel(0, 0), ColorToRGB(clRed));
}

TEST(ControlFrame, NCPaintRunsWhenTheFrameIsInvalidAndShowsOnlyTheFrame) {
    Framed c;
    c.frameFill = kLime;
    c.SetBorderWidth(1);
    c.PaintNow();
    EXPECT_EQ(c.frames, 1);
    EXPECT_EQ(c.canvasBox, (TRect{0, 0, 60, 40})); // the whole window
    EXPECT_FALSE(c.FramePaintPending());
    EXPECT_EQ(c.WindowPixel(0, 0), ColorToRGB(kLime));
    EXPECT_EQ(c.WindowPixel(1, 1), ColorToRGB(clRed));
    c.PaintNow();
    EXPECT_EQ(c.frames, 1); // nothing asked for it
    c.RedrawFrame();
    EXPECT_TRUE(c.FramePaintPending());
    c.frameFill = clBlue;
    c.PaintNow();
    EXPECT_EQ(c.frames, 2);
    EXPECT_EQ(c.WindowPixel(59, 39), ColorToRGB(clBlue));
    c.SetBorderWidth(3); // a new layout asks for the frame too
    EXPECT_TRUE(c.FramePaintPending());
    c.SetBounds(0, 0, 80, 50);
    c.PaintNow();
    EXPECT_EQ(c.frames, 3);
    EXPECT_EQ(c.WindowPixel(79, 49), ColorToRGB(clBlue));
    EXPECT_EQ(c.WindowPixel(3, 3), ColorToRGB(clRed));
}

TEST(ControlFrame, TheScreenShowsTheFrameRoundTheClient) {
    QWidget parent;
    parent.resize(100, 80);
    Framed c;
    c.frameFill = kLime;
    c.SetBorderWidth(2);
    c.SetParentWidget(&parent);
    c.SetBounds(5, 5, 60, 40);
    parent.show();
    const QImage shot = c.Widget()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(shot.pixel(1, 30)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shot.pixel(57, 37)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shot.pixel(59, 39)), QColor(0, 255, 0));
    EXPECT_EQ(c.frames, 1);
}

TEST(ControlFrame, AWindowWithoutFrameNeverPaintsOne) {
    Framed c;
    c.PaintNow();
    EXPECT_FALSE(c.FramePaintPending());
    EXPECT_EQ(c.frames, 0);
}

TEST(ThemedFrame, DrawsThePartOnTheRingOnly) {
    const TRect whole{0, 0, 40, 30};
    TBitmap framed(40, 30), plain(40, 30);
    for (TBitmap* b : {&framed, &plain}) {
        b->Canvas().Brush.Color = kFuchsia;
        b->Canvas().FillRect(whole);
    }
    DrawThemedFrame(framed.Canvas(), whole, 2, "listview", 1, 0);
    DrawThemedPart(plain.Canvas(), whole, "listview", 1, 0);
    framed.Canvas().Flush();
    plain.Canvas().Flush();
    int drawn = 0, ringDiffers = 0, insideDrawn = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool ring = x < 2 || y < 2 || x >= 38 || y >= 28;
            if (ring) {
                ringDiffers += framed.GetPixel(x, y) != plain.GetPixel(x, y);
                drawn += framed.GetPixel(x, y) != kFuchsia;
            } else {
                insideDrawn += framed.GetPixel(x, y) != kFuchsia;
            }
        }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(ringDiffers, 0);
    EXPECT_EQ(insideDrawn, 0);
}
