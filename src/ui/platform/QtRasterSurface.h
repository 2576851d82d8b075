#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "core/platform/RasterSurface.h"

namespace tessary {

// The off-screen picture of bitmap export and bitmap printing: black lines
// on white, drawn a byte a pixel (where Qt draws fastest) and given one bit
// a pixel, which a PDF takes as it is where a colour picture would be
// converted and compressed at length.
class QtRasterSurface : public RasterSurface {
public:
    bool Create(int widthPixels, int heightPixels) override;
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetPenWidth(int pixels) override;
    void DrawLine(float x1, float y1, float x2, float y2) override;
    void DrawCircle(float cx, float cy, float radius) override;
    const std::uint32_t* Row(int y) const override;
    void Release() override;

    // The picture as drawn so far, one bit a pixel.
    QImage Image() const;

private:
    QPainter* Painter();
    // Draws the lines waiting and ends the drawing, so the picture is whole.
    void Finish() const;

    QImage image_;
    // Image() made from image_, until the next drawing.
    mutable QImage picture_;
    int pen_ = 1;
    // The row Row() last gave, as 0xAARRGGBB.
    mutable std::vector<std::uint32_t> row_;
    // Open while drawing: one painter for the whole composition.
    mutable std::unique_ptr<QPainter> painter_;
    // Lines not yet drawn: the painter takes them many at a time, at a
    // fraction of the cost of one by one.
    mutable std::vector<QLineF> lines_;
};

}  // namespace tessary
