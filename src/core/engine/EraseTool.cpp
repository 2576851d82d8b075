#include "core/engine/EraseTool.h"

#include <algorithm>
#include <cmath>

#include "core/engine/Workspace.h"

namespace tessary {

void EraseTool::ErasePress(float x, float y) {
    half_ = 18 * ws_.surface.TwipsPerPixel / 2;
    EraseAt(x, y);
    ws_.input.BeginGesture(x, y, PointerCustom);
}

void EraseTool::EraseStep(float x, float y) {
    const float dx = x - lastPoint_.x;
    const float dy = y - lastPoint_.y;
    const float along = std::max(std::fabs(dx), std::fabs(dy));
    if (along < half_) return;
    // A fast stroke jumps: erase along the way too, never more than Half
    // apart, so nothing the pointer passed over is left standing.
    const Point from = lastPoint_;
    const int steps = static_cast<int>(std::ceil(along / half_));
    for (int k = 1; k < steps; ++k) {
        const float f = static_cast<float>(k) / static_cast<float>(steps);
        EraseAt(from.x + f * dx, from.y + f * dy);
    }
    EraseAt(x, y);
}

void EraseTool::EraseAt(float x, float y) {
    lastPoint_ = {x, y};
    const float left = x - half_, top = y - half_, right = x + half_, bottom = y + half_;
    // The probe at the current height keeps the crossing test inside the square.
    ws_.geometry.SetProbe(left, y, right, y);
    const auto inside = [&](float px, float py) { return left <= px && px <= right && top <= py && py <= bottom; };
    PatternStore& store = ws_.store;
    const std::int16_t count = store.OutLine.Count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (!store.OutLine.Visible(i)) continue;
        const LineElement& e = store.OutLine[i];
        if (inside(e.X2, e.Y2) || inside(e.X1, e.Y1) || ws_.geometry.LineCrossesProbe(store, i)) {
            ws_.DropSelectionOf(i);
            store.DeleteLine(i);
        }
    }
}

}  // namespace tessary
