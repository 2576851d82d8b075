#include "core/pattern/MirrorForm.h"

#include <cmath>

#include "core/services/Progress.h"

namespace tessary {

MirrorForm::MirrorForm(Progress& progress) : MirrorLine(1), MirrorShape(1), progress_(progress) {}

void MirrorForm::ClearMirror() {
    while (MirrorLine.size() > 1) {
        MirrorLine.pop_back();
        progress_.ProgressStep(1);
    }
    while (MirrorShape.size() > 1) {
        MirrorShape.pop_back();
        progress_.ProgressStep(1);
    }
}

void MirrorForm::dLine(std::int16_t index) { MirrorLine.at(index).Visible = false; }

void MirrorForm::dShape(std::int16_t index) { MirrorShape.at(index).Visible = false; }

void MirrorForm::mLine(std::int16_t index, float x1, float y1, float x2, float y2, bool scaled) {
    MirrorLineElement& e = MirrorLine.at(index);
    const float s = scaled ? referenceScale_ : 1.0f;
    e.X1 = x1 * s;
    e.Y1 = y1 * s;
    e.X2 = x2 * s;
    e.Y2 = y2 * s;
    e.Visible = true;
}

void MirrorForm::mShape(std::int16_t index, std::int16_t kind, float top, float left, float height, float width,
                        bool scaled) {
    MirrorShapeElement& e = MirrorShape.at(index);
    const float s = scaled ? referenceScale_ : 1.0f;
    e.Kind = kind;
    e.Top = top * s;
    e.Left = left * s;
    e.Height = height * s;
    e.Width = width * s;
    e.Visible = true;
}

void MirrorForm::nLine(std::int16_t index) {
    if (static_cast<std::size_t>(index) >= MirrorLine.size()) MirrorLine.resize(index + 1);
}

void MirrorForm::nShape(std::int16_t index) {
    if (static_cast<std::size_t>(index) >= MirrorShape.size()) MirrorShape.resize(index + 1);
}

void MirrorForm::UpdateMirrorScale(float displayedHeight) {
    // A zero or broken height would give an infinite scale; keep the last one.
    const float scale = patternHeight_ / displayedHeight;
    if (displayedHeight > 0 && std::isfinite(scale) && scale > 0) referenceScale_ = scale;
}

}  // namespace tessary
