#pragma once

#include <cstdint>

namespace tessary {

// An off-screen picture to draw the pattern on, black lines on white, saved
// as a BMP file or copied to the printer. Coordinates are pixels: pixel
// (i, j) covers i..i+1 and j..j+1, so its centre is at (i + 0.5, j + 0.5).
class RasterSurface {
public:
    virtual ~RasterSurface() = default;
    // A white picture of the given size; false when it cannot be allocated.
    virtual bool Create(int widthPixels, int heightPixels) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetPenWidth(int pixels) = 0;
    virtual void DrawLine(float x1, float y1, float x2, float y2) = 0;
    virtual void DrawCircle(float cx, float cy, float radius) = 0;
    // One row of the picture as drawn so far, Width() pixels as 0xAARRGGBB,
    // valid until the next drawing or the next row.
    virtual const std::uint32_t* Row(int y) const = 0;
    virtual void Release() = 0;
};

}  // namespace tessary
