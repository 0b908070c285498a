#include "grid/host/FrameImage.h"

#include <QPainter>

#include "grid/host/Canvas.h"
#include "grid/host/DeviceImage.h"
#include "grid/host/QtConvert.h"

namespace tolvane {

TFrameImage::TFrameImage() {
    for (Strip& s : strips_) s.canvas = std::make_unique<TCanvas>(&s.image);
}

TFrameImage::~TFrameImage() = default;

void TFrameImage::Ensure(int width, int height, int band, qreal ratio, TColor fill) {
    const QSize window(width, height);
    if (window == window_ && band == band_ && ratio == ratio_) return;
    window_ = window;
    band_ = band;
    ratio_ = ratio;
    std::array<TRect, 4> places{};
    count_ = 0;
    if (band > 0 && width > 0 && height > 0) {
        if (!WholeRatio(ratio) || 2 * band >= width || 2 * band >= height) {
            places[count_++] = {0, 0, width, height};
        } else {
            places[count_++] = {0, 0, width, band};
            places[count_++] = {0, height - band, width, height};
            places[count_++] = {0, band, band, height - band};
            places[count_++] = {width - band, band, width, height - band};
        }
    }
    for (int i = 0; i < int(strips_.size()); ++i) {
        Strip& s = strips_[i];
        s.canvas->Flush();
        s.place = i < count_ ? places[i] : TRect{0, 0, 0, 0};
        s.image = i < count_ ? CreateDeviceImage(s.place.Width(), s.place.Height(), ratio) : QImage();
        if (!s.image.isNull()) s.image.fill(ToQColor(fill));
        s.canvas->Retarget(&s.image);
        s.canvas->SetOrigin(TPoint{s.place.Left, s.place.Top});
    }
}

void TFrameImage::Paint(const std::function<void(TCanvas&)>& draw) {
    for (int i = 0; i < count_; ++i) {
        TCanvas& canvas = *strips_[i].canvas;
        canvas.ResetClip();
        draw(canvas);
        canvas.ResetClip();
        canvas.Flush();
    }
}

void TFrameImage::DrawOn(QPainter& p) {
    if (count_ == 0) return;
    const QRect window(QPoint(0, 0), window_);
    p.save();
    p.setClipRegion(QRegion(window).subtracted(QRegion(window.adjusted(band_, band_, -band_, -band_))));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < count_; ++i) {
        strips_[i].canvas->Flush();
        p.drawImage(QPoint(strips_[i].place.Left, strips_[i].place.Top), strips_[i].image);
    }
    p.restore();
}

TColor TFrameImage::Pixel(int x, int y) {
    for (int i = 0; i < count_; ++i) {
        const TRect& place = strips_[i].place;
        if (place.Contains(TPoint{x, y})) return strips_[i].canvas->GetPixel(x, y);
    }
    return clNone;
}

} // namespace tolvane
