#include "ui/platform/QtPictureLayers.h"

#include <QImageReader>
#include <algorithm>

namespace tessary {

bool QtPictureLayers::Decode(const std::string& path, int layer) {
    if (layer < 0 || layer > 1) return false;
    if (layer == 1 && !images_[0].isNull()) {
        // The same file again: share the first decode instead of repeating it.
        images_[1] = images_[0];
        return true;
    }
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    reader.setAllocationLimit(1024);  // megabytes: a 24-megapixel photo needs about 96
    QImage image = reader.read();
    if (image.isNull()) return false;
    images_[layer] = std::move(image);
    scaled_ = QPixmap();
    return true;
}

PictureSize QtPictureLayers::NaturalSize() const {
    const QImage& image = images_[1];
    const auto twipsPer = [this](int dotsPerMeter) {
        return dotsPerMeter > 0 ? 1440.0 * 39.37007874 / dotsPerMeter : screenTwipsPerPixel_;
    };
    return {static_cast<float>(image.width() * twipsPer(image.dotsPerMeterX())),
            static_cast<float>(image.height() * twipsPer(image.dotsPerMeterY()))};
}

RgbImage QtPictureLayers::PicturePixels() const {
    RgbImage out;
    if (images_[1].isNull()) return out;
    const QImage& image = images_[1];
    out.width = image.width();
    out.height = image.height();
    const auto row = static_cast<std::size_t>(out.width) * 3;
    out.rgb.resize(row * out.height);
    // A row at a time: a second whole copy of a large photo is too much.
    for (int y = 0; y < out.height; ++y) {
        const QImage line = image.copy(0, y, out.width, 1).convertToFormat(QImage::Format_RGB888);
        std::copy_n(line.constScanLine(0), row, out.rgb.data() + row * y);
    }
    return out;
}

void QtPictureLayers::Clear() {
    images_ = {};
    scaled_ = QPixmap();
}

const QPixmap& QtPictureLayers::Scaled(const QSize& size, double devicePixelRatio) {
    if ((scaled_.size() != size || scaled_.devicePixelRatio() != devicePixelRatio) && !images_[0].isNull() &&
        !size.isEmpty()) {
        scaled_ = QPixmap::fromImage(images_[0].scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        scaled_.setDevicePixelRatio(devicePixelRatio);
    }
    return scaled_;
}

}  // namespace tessary
