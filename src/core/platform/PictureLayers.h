#pragma once

#include <string>

#include "core/platform/RgbImage.h"

namespace tessary {

struct PictureSize {
    float widthTwips = 0;
    float heightTwips = 0;
};

// The two picture layers of the work window: the platform decodes picture
// files (BMP, GIF, JPEG) into them.
class PictureLayers {
public:
    virtual ~PictureLayers() = default;
    // Decodes the file into layer 0 or 1; false when it cannot be read.
    virtual bool Decode(const std::string& path, int layer) = 0;
    // The natural size of the picture in layer 1, from its resolution.
    virtual PictureSize NaturalSize() const = 0;
    // The pixels of the picture in layer 1 at its own resolution; empty
    // when the layer holds none.
    virtual RgbImage PicturePixels() const = 0;
    // Both layers empty.
    virtual void Clear() = 0;
};

}  // namespace tessary
