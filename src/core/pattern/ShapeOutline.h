#pragma once

#include "core/pattern/ElementSet.h"

namespace tessary {

enum class OutlineForm { Box, Ellipse, RoundedBox };

struct ShapeOutline {
    OutlineForm form = OutlineForm::Box;
    float left = 0, top = 0, width = 0, height = 0;
};

// How a shape is drawn wherever it is drawn (the work window, paper, a
// bitmap): its kind's form within its box; squares, plain or rounded, along
// the box's shorter side from its top left corner, circles along the
// shorter side in the box's centre.
ShapeOutline OutlineOf(const ShapeElement& shape);

// The radius of a rounded box's corners: an eighth of its shorter side.
float CornerRadius(const ShapeOutline& outline);

}  // namespace tessary
