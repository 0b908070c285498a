#include "grid/host/FlyoutControl.h"

#include <QGuiApplication>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

namespace tolvane {

void TWindowShape::AddPolygon(const std::vector<TPoint>& points) {
    Part p;
    p.points = points;
    parts_.push_back(std::move(p));
}

void TWindowShape::AddEllipse(const TRect& box) {
    Part p;
    p.ellipse = true;
    p.box = box;
    parts_.push_back(std::move(p));
}

bool TWindowShape::Empty() const {
    return parts_.empty();
}

bool TWindowShape::Contains(TPoint p) const {
    return Region().contains(QPoint(p.X, p.Y));
}

QRegion TWindowShape::Region() const {
    QRegion region;
    for (const Part& part : parts_) {
        if (part.ellipse) {
            if (!part.box.IsEmpty())
                region += QRegion(part.box.Left, part.box.Top, part.box.Width(), part.box.Height(),
                                  QRegion::Ellipse);
        } else if (part.points.size() >= 3) {
            QPolygon poly;
            for (const TPoint& pt : part.points) poly << QPoint(pt.X, pt.Y);
            region += QRegion(poly, Qt::WindingFill);
        }
    }
    return region;
}

TFlyoutControl::TFlyoutControl() {
    MakeFlyout();
    SetVisible(false);
}

TFlyoutControl::~TFlyoutControl() = default;

void TFlyoutControl::UpdateShape() {}

void TFlyoutControl::SetShape(const TWindowShape& shape) {
    shape_ = shape;
    QWidget* w = Widget();
    // Platforms without window shapes (the headless ones) keep the rectangle.
    if (!w || QGuiApplication::platformName() == QLatin1String("offscreen") ||
        QGuiApplication::platformName() == QLatin1String("minimal"))
        return;
    if (shape_.Empty())
        w->clearMask();
    else
        w->setMask(shape_.Region());
}

const TWindowShape& TFlyoutControl::Shape() const {
    return shape_;
}

void TFlyoutControl::ShowAt(int screenLeft, int screenTop) {
    SetBounds(screenLeft, screenTop, Width(), Height());
    Show();
}

} // namespace tolvane
