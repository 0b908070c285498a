// High-density surfaces: one logical pixel drawn as ratio x ratio device pixels, geometry and
// pixel reads in logical pixels, scrolling that ends as a full repaint would.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"
#include "grid/host/CustomControl.h"
#include "grid/host/DeviceImage.h"
#include "support/PixelRatio.h"

using namespace tolvane;

namespace {

constexpr TColor kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0), kAqua = RGB(0, 255, 255),
                 kLime = RGB(0, 255, 0);
constexpr int kW = 24, kH = 16;

// Every logical pixel of `image` as a k x k block.
QImage Upscaled(const QImage& image, int k) {
    QImage out(image.width() * k, image.height() * k, QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, image.pixel(x / k, y / k));
    return out;
}

QImage Drawn(int ratio, const std::function<void(TCanvas&)>& draw) {
    QImage image(kW * ratio, kH * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        draw(canvas);
    }
    return image;
}

struct Drawing {
    const char* name;
    std::function<void(TCanvas&)> draw;
};

const Drawing kWholePixelDrawings[] = {
    {"fill and frame",
     [](TCanvas& c) {
         c.Brush.Color = clRed;
         c.FillRect({1, 1, 2, 9});
         c.Brush.Color = kBlue;
         c.FrameRect({4, 2, 12, 7});
     }},
    {"rectangles",
     [](TCanvas& c) {
         c.Brush.Color = kYellow;
         c.Rectangle({1, 1, 9, 8});
         c.Pen.Width = 3;
         c.Rectangle({10, 2, 22, 14});
     }},
    {"lines",
     [](TCanvas& c) {
         c.MoveTo(1, 1);
         c.LineTo(20, 1);
         c.LineTo(20, 14);
         c.LineTo(2, 5); // diagonal
         c.Polyline({{3, 14}, {9, 8}, {15, 15}});
     }},
    {"inverting lines",
     [](TCanvas& c) {
         c.Brush.Color = clRed;
         c.FillRect({0, 0, 12, 16});
         c.Pen.Mode = pmNot;
         c.MoveTo(0, 0);
         c.LineTo(23, 13);
         c.MoveTo(5, 15);
         c.LineTo(5, 1);
     }},
    {"pixels and focus rectangles",
     [](TCanvas& c) {
         c.SetPixel(3, 4, clRed);
         c.SetPixel(4, 4, kBlue);
         c.DrawFocusRect({2, 6, 15, 13});
         c.DrawFocusRect({6, 1, 20, 9});
         c.DrawFocusRect({6, 1, 20, 9}); // twice: gone again
     }},
    {"axis-aligned polygon",
     [](TCanvas& c) {
         c.Brush.Color = kYellow;
         c.Pen.Color = kBlue;
         c.Polygon({{2, 2}, {15, 2}, {15, 11}, {2, 11}});
     }},
    {"copies and pictures",
     [](TCanvas& c) {
         c.Brush.Color = clRed;
         c.FillRect({0, 0, 3, 2});
         c.CopyRect({6, 6, 9, 8}, c, {0, 0, 3, 2});
         c.CopyMode = cmDstInvert;
         c.CopyRect({1, 10, 5, 14}, c, {0, 0, 4, 4});
         TBitmap bitmap(3, 2);
         bitmap.SetPixel(0, 0, kBlue);
         bitmap.SetPixel(2, 1, kLime);
         c.Draw(12, 2, bitmap);
         c.StretchDraw({14, 8, 20, 12}, bitmap);
         bitmap.SetTransparent(true);
         bitmap.SetTransparentColor(clWhite);
         c.Brush.Color = clBlack;
         c.FillRect({17, 0, 22, 4});
         c.Draw(18, 1, bitmap);
     }},
    {"clipped",
     [](TCanvas& c) {
         c.SetClipRect({3, 3, 8, 9});
         c.Brush.Color = kBlue;
         c.FillRect({0, 0, kW, kH});
         c.MoveTo(0, 0);
         c.LineTo(16, 16);
     }},
};

} // namespace

TEST(DeviceCanvas, OnePixelDrawingsCoverWholeLogicalPixelsAndReadBackLogically) {
    for (int k : {2, 3}) {
        for (const Drawing& drawing : kWholePixelDrawings) {
            SCOPED_TRACE(std::string(drawing.name) + " at ratio " + std::to_string(k));
            const QImage logical = Drawn(1, drawing.draw);
            QImage device = Drawn(k, drawing.draw);
            EXPECT_EQ(device.convertToFormat(QImage::Format_ARGB32), Upscaled(logical, k));
            TCanvas reader(&device);
            EXPECT_EQ(reader.Width(), kW);
            EXPECT_EQ(reader.Height(), kH);
            int mismatches = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    if (reader.GetPixel(x, y) != DevicePixel(logical, x, y)) ++mismatches;
            EXPECT_EQ(mismatches, 0);
        }
    }
}

TEST(DeviceCanvas, CosmeticEllipseOutlineIsAsWideAsOneLogicalPixel) {
    for (int k : {1, 2, 3}) {
        SCOPED_TRACE(k);
        const QImage image = Drawn(k, [](TCanvas& c) {
            c.Brush.Style = bsClear;
            c.Ellipse({2, 2, 22, 14});
        });
        // Across the middle row the outline's left and right ends are k device pixels each.
        const int y = 8 * k;
        int dark = 0;
        for (int x = 0; x < image.width(); ++x) dark += qRed(image.pixel(x, y)) < 128;
        EXPECT_EQ(dark, 2 * k);
    }
}

namespace {

// Paints a pattern that depends on a scroll offset: cells, one-pixel lines, a diagonal and text.
class Scrolled : public TCustomControl {
public:
    int dx = 0, dy = 0;
    void Paint() override {
        TCanvas& c = Canvas();
        c.Brush.Color = clWhite;
        c.FillRect(ClientRect());
        c.Font.Height = 7;
        for (int row = -2; row < 12; ++row)
            for (int col = -2; col < 10; ++col) {
                const int x = col * 13 + dx, y = row * 9 + dy;
                c.Brush.Color = ((row + col) & 1) ? kYellow : kAqua;
                c.FillRect({x, y, x + 12, y + 8});
                c.Pen.Color = kBlue;
                c.MoveTo(x, y + 8);
                c.LineTo(x + 13, y + 8);
                c.MoveTo(x, y);
                c.LineTo(x + 12, y + 8);
                c.Brush.Style = bsClear;
                c.TextOut(x + 7, y, "W");
                c.Brush.Style = bsSolid;
            }
    }
};

} // namespace

TEST(HighDensity, SurfaceHoldsDevicePixelsWhileGeometryStaysLogical) {
    Scrolled c;
    c.SetBorderStyle(bsSingle);
    c.SetBounds(0, 0, 103, 61);
    const qreal ratio = c.PixelRatio();
    REQUIRE_PIXEL_RATIO(ratio, false);
    ASSERT_EQ(c.ClientWidth(), 101);
    c.Repaint();
    const QImage& s = c.Surface();
    EXPECT_EQ(s.devicePixelRatio(), ratio);
    EXPECT_EQ(s.width(), int(std::ceil(101 * ratio)));
    EXPECT_EQ(s.height(), int(std::ceil(59 * ratio)));
    EXPECT_EQ(c.Canvas().Width(), 101);
    EXPECT_EQ(c.Canvas().Height(), 59);
    EXPECT_EQ(c.Canvas().GetClipBox(), (TRect{0, 0, 101, 59}));
    // Row 0 of cells: aqua at (2, 5), its bottom line at y = 8, the next cell yellow.
    EXPECT_EQ(c.SurfacePixel(2, 5), kAqua);
    EXPECT_EQ(c.SurfacePixel(2, 8), kBlue);
    EXPECT_EQ(c.SurfacePixel(15, 5), kYellow);
    EXPECT_EQ(c.WindowPixel(3, 6), kAqua); // through the one-pixel edge
    EXPECT_NE(c.WindowPixel(0, 0), clNone);
    EXPECT_EQ(c.SurfacePixel(101, 0), clNone);
    // The one-pixel line at y = 8 as device rows.
    const int x = DeviceCoordinate(2, ratio);
    int top = DeviceCoordinate(8, ratio), bottom = top;
    while (c.SurfaceDevicePixel(x, top - 1) == kBlue) --top;
    while (c.SurfaceDevicePixel(x, bottom + 1) == kBlue) ++bottom;
    if (WholeRatio(ratio)) {
        EXPECT_EQ(top, 8 * int(ratio));
        EXPECT_EQ(bottom - top + 1, int(ratio));
    } else {
        EXPECT_GE(bottom - top + 1, int(ratio)); // whole device pixels, as many as the rounding gives
        EXPECT_LE(bottom - top + 1, int(ratio) + 1);
    }
}

TEST(HighDensity, ScrolledSurfaceEqualsAFullRepaint) {
    Scrolled c;
    c.SetBounds(0, 0, 120, 80);
    REQUIRE_PIXEL_RATIO(c.PixelRatio(), false);
    c.Repaint();
    const TRect clip{7, 5, 110, 71};
    const std::pair<int, int> steps[] = {{0, 9}, {0, -3}, {13, 0}, {-5, 0}, {4, -7}, {0, 60}};
    for (auto [dx, dy] : steps) {
        SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
        c.dx += dx;
        c.dy += dy;
        c.ScrollWindowEx(dx, dy, clip);
        c.InvalidateRect({0, 0, 120, clip.Top}); // what lies outside the clip is redrawn as well
        c.InvalidateRect({0, clip.Bottom, 120, 80});
        c.InvalidateRect({0, 0, clip.Left, 80});
        c.InvalidateRect({clip.Right, 0, 120, 80});
        c.PaintNow();
        const QImage scrolled = c.Surface().copy();
        c.Repaint();
        EXPECT_TRUE(scrolled == c.Surface());
    }
}

TEST(HighDensity, ScreenShowsTheSurfacePixelForPixel) {
    Scrolled c;
    c.SetBounds(0, 0, 60, 40);
    const qreal ratio = c.PixelRatio();
    REQUIRE_PIXEL_RATIO(ratio, false);
    if (!WholeRatio(ratio)) GTEST_SKIP() << "fractional ratios are resampled by the platform";
    c.Widget()->show();
    c.Repaint();
    const QImage shown = c.ClientWidget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.size(), c.Surface().size());
    EXPECT_TRUE(shown == c.Surface());
}

TEST(DeviceCanvas, BitmapsLoadedFromHighDensityFilesKeepTheirOwnPixels) {
    QTemporaryDir dir;
    const QString file = dir.filePath("picture@2x.png");
    QImage source(6, 4, QImage::Format_ARGB32);
    source.fill(Qt::red);
    ASSERT_TRUE(source.save(file));
    TBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(file));
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Canvas().Width(), 6);
    const QImage drawn = Drawn(1, [&](TCanvas& c) { c.Draw(0, 0, bitmap); });
    EXPECT_EQ(DevicePixel(drawn, 5, 3), clRed); // drawn at its full size
}

TEST(HighDensity, SurfaceFollowsTheScreenTheWindowMovesTo) {
    Scrolled c;
    c.SetBounds(0, 0, 60, 40);
    c.Widget()->show();
    c.Repaint();
    const qreal before = c.PixelRatio();
    QScreen* other = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() != before) other = screen;
    if (!other) {
        // The run with two screens of different density must have them.
        ASSERT_TRUE(qEnvironmentVariableIsEmpty("TOLVANE_TEST_TWO_SCREENS")) << "no second screen";
        GTEST_SKIP() << "needs screens of different density";
    }
    c.Widget()->move(other->geometry().topLeft() + QPoint(10, 10));
    QCoreApplication::processEvents();
    ASSERT_EQ(c.Widget()->screen(), other);
    c.ClientWidget()->repaint(); // the next paint notices the new density
    EXPECT_EQ(c.PixelRatio(), other->devicePixelRatio());
    EXPECT_EQ(c.Surface().devicePixelRatio(), other->devicePixelRatio());
    EXPECT_EQ(c.Surface().width(), int(std::ceil(60 * other->devicePixelRatio())));
    EXPECT_EQ(c.ClientWidth(), 60);
    EXPECT_EQ(c.SurfacePixel(2, 8), kBlue); // drawn anew
    EXPECT_FALSE(c.PaintPending());
}
