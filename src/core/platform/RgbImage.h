#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessary {

// A decoded picture as plain bytes: rows from the top, three bytes (red,
// green, blue) a pixel, no padding between rows.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    bool Empty() const {
        return width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3;
    }
};

}  // namespace tessary
