#pragma once

#include <string>

namespace tessary {

// An off-screen picture to draw the pattern on, black lines on white, saved
// as a BMP file or copied to the printer. Coordinates are pixels.
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
    // False when the file cannot be written whole.
    virtual bool SaveBmp(const std::string& path) = 0;
    virtual void Release() = 0;
};

}  // namespace tessary
