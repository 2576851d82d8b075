#include "ui/platform/QtRasterSurface.h"

#include <QPainter>

namespace tessary {

namespace {
// Larger pictures are refused rather than attempted: 2^28 pixels make a
// BMP file of three quarters of a gigabyte.
constexpr qint64 kLargestPixels = qint64{1} << 28;
constexpr std::size_t kLinesAtOnce = 4096;
}  // namespace

bool QtRasterSurface::Create(int widthPixels, int heightPixels) {
    Release();
    if (widthPixels < 1 || heightPixels < 1 || qint64{widthPixels} * heightPixels > kLargestPixels) return false;
    image_ = QImage(widthPixels, heightPixels, QImage::Format_Grayscale8);
    if (image_.isNull()) return false;
    image_.fill(Qt::white);
    pen_ = 1;
    return true;
}

void QtRasterSurface::SetPenWidth(int pixels) {
    // Lines drawn so far keep the pen they were drawn with.
    Finish();
    pen_ = std::max(pixels, 1);
}

QImage QtRasterSurface::Image() const {
    Finish();
    if (!picture_.isNull() || image_.isNull()) return picture_;
    // Black first and white second: the table the PDF writer keeps one bit a pixel.
    picture_ = QImage(image_.size(), QImage::Format_Mono);
    if (picture_.isNull()) return picture_;
    picture_.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int width = image_.width(), height = image_.height();
    const auto bytes = static_cast<std::size_t>(picture_.bytesPerLine());
    for (int y = 0; y < height; ++y) {
        const uchar* grey = image_.constScanLine(y);
        uchar* bits = picture_.scanLine(y);
        std::fill(bits, bits + bytes, 0);
        for (int x = 0; x < width; ++x) {
            if (grey[x] >= 128) bits[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
        }
    }
    return picture_;
}

void QtRasterSurface::Release() {
    lines_.clear();
    painter_.reset();
    image_ = QImage();
    picture_ = QImage();
    row_ = {};
}

QPainter* QtRasterSurface::Painter() {
    if (!painter_ && !image_.isNull()) {
        picture_ = QImage();
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setBrush(Qt::NoBrush);
        painter_->setPen(QPen(Qt::black, pen_, Qt::SolidLine, Qt::RoundCap));
    }
    return painter_.get();
}

void QtRasterSurface::DrawLine(float x1, float y1, float x2, float y2) {
    QPainter* p = Painter();
    if (!p) return;
    lines_.emplace_back(x1, y1, x2, y2);
    if (lines_.size() >= kLinesAtOnce) {
        p->drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }
}

void QtRasterSurface::DrawCircle(float cx, float cy, float radius) {
    if (QPainter* p = Painter()) p->drawEllipse(QPointF(cx, cy), radius, radius);
}

// A line waiting has its painter; a later line starts a new one.
void QtRasterSurface::Finish() const {
    if (!lines_.empty()) painter_->drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
    painter_.reset();
}

const std::uint32_t* QtRasterSurface::Row(int y) const {
    Finish();
    const uchar* grey = image_.constScanLine(y);
    const int width = image_.width();
    row_.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) row_[static_cast<std::size_t>(x)] = qRgb(grey[x], grey[x], grey[x]);
    return row_.data();
}

}  // namespace tessary
