#include "core/pattern/ReferenceCopy.h"

#include <cmath>

#include "core/services/Progress.h"

namespace tessary {

ReferenceCopy::ReferenceCopy(Progress& progress) : Lines(1), Shapes(1), progress_(progress) {}

void ReferenceCopy::Clear() {
    while (Lines.size() > 1) {
        Lines.pop_back();
        progress_.ProgressStep(1);
    }
    while (Shapes.size() > 1) {
        Shapes.pop_back();
        progress_.ProgressStep(1);
    }
}

void ReferenceCopy::RemoveLine(std::int16_t index) { Lines.at(index).Visible = false; }

void ReferenceCopy::RemoveShape(std::int16_t index) { Shapes.at(index).Visible = false; }

void ReferenceCopy::SetLine(std::int16_t index, float x1, float y1, float x2, float y2, bool scaled) {
    ReferenceLine& e = Lines.at(index);
    const float s = scaled ? referenceScale_ : 1.0f;
    e.X1 = x1 * s;
    e.Y1 = y1 * s;
    e.X2 = x2 * s;
    e.Y2 = y2 * s;
    e.Visible = true;
}

void ReferenceCopy::SetShape(std::int16_t index, std::int16_t kind, float top, float left, float height, float width,
                        bool scaled) {
    ReferenceShape& e = Shapes.at(index);
    const float s = scaled ? referenceScale_ : 1.0f;
    e.Kind = kind;
    e.Top = top * s;
    e.Left = left * s;
    e.Height = height * s;
    e.Width = width * s;
    e.Visible = true;
}

void ReferenceCopy::NewLine(std::int16_t index) {
    if (static_cast<std::size_t>(index) >= Lines.size()) Lines.resize(index + 1);
}

void ReferenceCopy::NewShape(std::int16_t index) {
    if (static_cast<std::size_t>(index) >= Shapes.size()) Shapes.resize(index + 1);
}

void ReferenceCopy::UpdateScale(float displayedHeight) {
    // A zero or broken height would give an infinite scale; keep the last one.
    const float scale = patternHeight_ / displayedHeight;
    if (displayedHeight > 0 && std::isfinite(scale) && scale > 0) referenceScale_ = scale;
}

}  // namespace tessary
