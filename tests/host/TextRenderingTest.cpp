// Canvas text drawn as Qt draws it for its own widgets, or in plain pixels for pixel tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "grid/host/Bitmap.h"
#include "grid/host/Canvas.h"

using namespace tolvane;

namespace {

class RenderingGuard {
public:
    explicit RenderingGuard(TTextRendering r) : saved_(TextRendering()) { SetTextRendering(r); }
    ~RenderingGuard() { SetTextRendering(saved_); }

private:
    TTextRendering saved_;
};

struct Case {
    const char* text;
    unsigned flags;
    int qtFlags;
};

// `text` drawn in a 200 x 24 box on white in black, by the canvas and by a plain QPainter with
// the same font.
QImage ByCanvas(const TFont& font, const Case& c) {
    TBitmap bitmap(200, 24);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect{0, 0, 200, 24});
    canvas.Brush.Style = bsClear;
    canvas.Font = font;
    TRect r{2, 0, 198, 24};
    canvas.DrawText(QString::fromUtf8(c.text), r, c.flags);
    canvas.Flush();
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

QImage ByQt(const QFont& font, const Case& c) {
    QImage image(200, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(2, 0, 196, 24), c.qtFlags, QString::fromUtf8(c.text));
    return image;
}

bool HasGrey(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255)) return true;
        }
    return false;
}

const Case kCases[] = {
    {"Title", DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, Qt::AlignLeft | Qt::AlignVCenter},
    {"AVA Wo fly, Tolvane", DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, Qt::AlignLeft | Qt::AlignVCenter},
    {"Наруто: 220 серий", DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT,
     Qt::AlignRight | Qt::AlignVCenter},
    {"Centred, 1.5", DT_SINGLELINE | DT_CENTER | DT_BOTTOM | DT_NOPREFIX, Qt::AlignHCenter | Qt::AlignBottom},
};

} // namespace

TEST(TextRendering, NativeTextIsDrawnAsQtDrawsItForItsWidgets) {
    RenderingGuard native(trNative);
    TFont font;
    font.Name = QApplication::font().family();
    font.Height = 14;
    QFont qt(font.Name);
    qt.setPixelSize(14);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const QImage canvas = ByCanvas(font, c);
        EXPECT_TRUE(HasGrey(canvas)) << "antialiased";
        EXPECT_EQ(canvas, ByQt(qt, c));
        TBitmap bitmap(1, 1);
        bitmap.Canvas().Font = font;
        EXPECT_EQ(bitmap.Canvas().TextWidth(QString::fromUtf8(c.text)),
                  QFontMetrics(qt).horizontalAdvance(QString::fromUtf8(c.text)));
    }
}

TEST(TextRendering, PlainTextHasOnlyHardPixels) {
    RenderingGuard plain(trPlain);
    TFont font;
    font.Name = QApplication::font().family();
    font.Height = 14;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const QImage image = ByCanvas(font, c);
        EXPECT_FALSE(HasGrey(image));
        EXPECT_NE(image, ByCanvas(TFont{}, Case{"", c.flags, c.qtFlags})) << "something is drawn";
    }
}
