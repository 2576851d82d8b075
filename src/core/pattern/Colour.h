#pragma once

#include <cstdint>

namespace tessary {

// Colour values as the settings store and pattern files hold them: red in
// the low byte, then green, then blue.
inline constexpr std::uint32_t RGB(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

}  // namespace tessary
