#include "grid/host/Bitmap.h"

#include <QImage>
#include <QPainter>

#include "grid/host/Canvas.h"
#include "grid/host/QtConvert.h"
#include "grid/base/Errors.h"

namespace tolvane {

struct TBitmap::Impl {
    QImage image;
    TPixelFormat format = pf24bit;
    bool transparent = false;
    TColor transparentColor = clNone; // clNone: the bottom-left pixel's colour
    std::unique_ptr<TCanvas> canvas;

    void Flush() const {
        if (canvas) canvas->Flush();
    }
};

namespace {

QImage NewImage(int width, int height, TPixelFormat format) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, QImage::Format_ARGB32);
    // A new 24-bit bitmap is white; a 32-bit one starts fully transparent for alpha compositing.
    image.fill(format == pf24bit ? 0xFFFFFFFFu : 0u);
    return image;
}

} // namespace

TBitmap::TBitmap() : d(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : d(std::make_unique<Impl>()) {
    d->format = format;
    d->image = NewImage(width, height, format);
}

TBitmap::TBitmap(const TBitmap& other) : d(std::make_unique<Impl>()) {
    other.d->Flush();
    d->image = other.d->image;
    d->format = other.d->format;
    d->transparent = other.d->transparent;
    d->transparentColor = other.d->transparentColor;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return d->image.width();
}
int TBitmap::Height() const {
    return d->image.height();
}
bool TBitmap::Empty() const {
    return d->image.isNull();
}

void TBitmap::SetSize(int width, int height) {
    d->Flush();
    d->image = NewImage(width, height, d->format);
    if (d->canvas) d->canvas->Retarget(&d->image);
    Changed();
}

TPixelFormat TBitmap::PixelFormat() const {
    return d->format;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == d->format) return;
    d->format = format;
    Changed();
}

bool TBitmap::Transparent() const {
    return d->transparent;
}

void TBitmap::SetTransparent(bool value) {
    if (value == d->transparent) return;
    d->transparent = value;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (d->transparentColor == clNone && !Empty()) return GetPixel(0, Height() - 1);
    return d->transparentColor;
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == d->transparentColor) return;
    d->transparentColor = color;
    Changed();
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    d->Flush();
    return FromPixel(reinterpret_cast<const std::uint32_t*>(d->image.constScanLine(y))[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    d->Flush();
    reinterpret_cast<std::uint32_t*>(d->image.scanLine(y))[x] = ToPixel(color);
    Changed();
}

std::uint32_t* TBitmap::ScanLine(int y) {
    CheckListIndex(y, Height(), "Scan line");
    d->Flush();
    return reinterpret_cast<std::uint32_t*>(d->image.scanLine(y));
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
    CheckListIndex(y, Height(), "Scan line");
    d->Flush();
    return reinterpret_cast<const std::uint32_t*>(d->image.constScanLine(y));
}

void TBitmap::Assign(const TBitmap& other) {
    if (this == &other) return;
    other.d->Flush();
    d->Flush();
    d->image = other.d->image;
    d->format = other.d->format;
    d->transparent = other.d->transparent;
    d->transparentColor = other.d->transparentColor;
    if (d->canvas) d->canvas->Retarget(&d->image);
    Changed();
}

bool TBitmap::LoadFromFile(const QString& fileName) {
    QImage loaded;
    if (!loaded.load(fileName)) return false;
    d->Flush();
    d->format = loaded.hasAlphaChannel() ? pf32bit : pf24bit;
    d->image = loaded.convertToFormat(QImage::Format_ARGB32);
    d->image.setDevicePixelRatio(1); // "name@2x" files: a bitmap's pixels are its own, never scaled
    if (d->canvas) d->canvas->Retarget(&d->image);
    Changed();
    return true;
}

TCanvas& TBitmap::Canvas() {
    if (!d->canvas) d->canvas = std::make_unique<TCanvas>(&d->image);
    return *d->canvas;
}

QImage& TBitmap::Image() {
    d->Flush();
    return d->image;
}

const QImage& TBitmap::Image() const {
    d->Flush();
    return d->image;
}

void TBitmap::Changed() {
    if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------------------------

struct TImageList::Impl {
    int width = 16;
    int height = 16;
    std::vector<TBitmap> images;
};

TImageList::TImageList(int width, int height) : d(std::make_unique<Impl>()) {
    d->width = width > 0 ? width : 16;
    d->height = height > 0 ? height : 16;
}

TImageList::~TImageList() = default;

int TImageList::Width() const {
    return d->width;
}
int TImageList::Height() const {
    return d->height;
}
int TImageList::Count() const {
    return int(d->images.size());
}

int TImageList::Add(const TBitmap& image) {
    // A strip as wide as several images adds each of them; the answer is the first index.
    const int first = Count();
    const int pieces = std::max(1, image.Width() / d->width);
    const QImage& source = image.Image();
    for (int i = 0; i < pieces; ++i) {
        TBitmap piece(d->width, d->height, image.PixelFormat());
        if (!source.isNull()) {
            QImage& target = piece.Image();
            QPainter p(&target);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(QPoint(0, 0), source, QRect(i * d->width, 0, d->width, d->height));
        }
        piece.SetTransparent(image.Transparent());
        piece.SetTransparentColor(image.TransparentColor());
        d->images.push_back(std::move(piece));
    }
    return first;
}

void TImageList::Clear() {
    d->images.clear();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const TBitmap& image = d->images[std::size_t(index)];
    if (enabled) {
        canvas.Draw(x, y, image);
        return;
    }
    // Disabled: the image washed out towards grey.
    TBitmap faded(image);
    const TColor key = image.Transparent() ? ColorToRGB(image.TransparentColor()) : clNone;
    for (int row = 0; row < faded.Height(); ++row) {
        std::uint32_t* line = faded.ScanLine(row);
        for (int col = 0; col < faded.Width(); ++col) {
            const std::uint32_t px = line[col];
            if (FromPixel(px) == key) continue;
            const int grey = (qRed(px) * 11 + qGreen(px) * 16 + qBlue(px) * 5) / 32;
            const int v = 128 + grey / 2;
            line[col] = (px & 0xFF000000u) | (unsigned(v) << 16) | (unsigned(v) << 8) | unsigned(v);
        }
    }
    canvas.Draw(x, y, faded);
}

} // namespace tolvane
