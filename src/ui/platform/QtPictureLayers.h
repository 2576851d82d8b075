#pragma once

#include <QImage>
#include <QPixmap>
#include <array>

#include "core/platform/PictureLayers.h"

namespace tessary {

// The decoded picture of both layers, and its copy scaled for the screen:
// a paint draws the cached copy and rescales only when the size changes.
class QtPictureLayers : public PictureLayers {
public:
    bool Decode(const std::string& path, int layer) override;
    PictureSize NaturalSize() const override;
    RgbImage PicturePixels() const override;
    void Clear() override;

    const QImage& Image(int layer) const { return images_.at(layer); }
    // The picture scaled to size screen pixels, devicePixelRatio of them to a
    // window pixel; from the cache when it fits.
    const QPixmap& Scaled(const QSize& size, double devicePixelRatio);
    // Twips per pixel for pictures that record no resolution.
    void SetScreenTwipsPerPixel(double twips) { screenTwipsPerPixel_ = twips; }

private:
    std::array<QImage, 2> images_;
    QPixmap scaled_;
    double screenTwipsPerPixel_ = 15;
};

}  // namespace tessary
