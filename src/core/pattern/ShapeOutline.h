#pragma once

#include <vector>

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

struct OutlinePoint {
    float x = 0, y = 0;
};

// The outline as a closed run of chords, for what draws only straight
// lines: ellipses and the rounded corners in steps of at most stepDegrees of
// their turn, boxes by their corners. The first point is repeated last.
std::vector<OutlinePoint> OutlineChords(const ShapeOutline& outline, float stepDegrees);

}  // namespace tessary
