#include "core/pattern/ShapeOutline.h"

#include <algorithm>

namespace tessary {

ShapeOutline OutlineOf(const ShapeElement& e) {
    const float side = std::min(e.Width, e.Height);
    switch (e.Shape) {
        case ShapeSquare: return {OutlineForm::Box, e.Left, e.Top, side, side};
        case ShapeOval: return {OutlineForm::Ellipse, e.Left, e.Top, e.Width, e.Height};
        case ShapeCircle:
            return {OutlineForm::Ellipse, e.Left + (e.Width - side) / 2, e.Top + (e.Height - side) / 2, side, side};
        case ShapeRoundedRectangle: return {OutlineForm::RoundedBox, e.Left, e.Top, e.Width, e.Height};
        case ShapeRoundedSquare: return {OutlineForm::RoundedBox, e.Left, e.Top, side, side};
        default: return {OutlineForm::Box, e.Left, e.Top, e.Width, e.Height};
    }
}

float CornerRadius(const ShapeOutline& outline) { return std::min(outline.width, outline.height) / 8; }

}  // namespace tessary
