#pragma once

#include <QColor>
#include <cstdint>

#include "core/pattern/Colour.h"

namespace tessary {

// Colours between the settings' RGB values (red in the low byte) and Qt.
inline QColor ColourOf(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

inline std::uint32_t RgbOf(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

}  // namespace tessary
