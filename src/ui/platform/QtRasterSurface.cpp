#include "ui/platform/QtRasterSurface.h"

#include <QPainter>

namespace tessary {

namespace {
// Larger pictures are refused rather than attempted: 2^28 pixels is a
// gigabyte of image.
constexpr qint64 kLargestPixels = qint64{1} << 28;
}  // namespace

bool QtRasterSurface::Create(int widthPixels, int heightPixels) {
    Release();
    if (widthPixels < 1 || heightPixels < 1 || qint64{widthPixels} * heightPixels > kLargestPixels) return false;
    image_ = QImage(widthPixels, heightPixels, QImage::Format_RGB32);
    if (image_.isNull()) return false;
    image_.fill(Qt::white);
    pen_ = 1;
    return true;
}

void QtRasterSurface::SetPenWidth(int pixels) {
    pen_ = std::max(pixels, 1);
    if (painter_) painter_->setPen(QPen(Qt::black, pen_, Qt::SolidLine, Qt::RoundCap));
}

QImage QtRasterSurface::Image() const {
    // Ends the drawing so the picture is complete; a later line starts a new painter.
    painter_.reset();
    return image_;
}

void QtRasterSurface::Release() {
    painter_.reset();
    image_ = QImage();
}

QPainter* QtRasterSurface::Painter() {
    if (!painter_ && !image_.isNull()) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setBrush(Qt::NoBrush);
        painter_->setPen(QPen(Qt::black, pen_, Qt::SolidLine, Qt::RoundCap));
    }
    return painter_.get();
}

void QtRasterSurface::DrawLine(float x1, float y1, float x2, float y2) {
    if (QPainter* p = Painter()) p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtRasterSurface::DrawCircle(float cx, float cy, float radius) {
    if (QPainter* p = Painter()) p->drawEllipse(QPointF(cx, cy), radius, radius);
}

const std::uint32_t* QtRasterSurface::Row(int y) const {
    painter_.reset();
    return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
}

}  // namespace tessary
