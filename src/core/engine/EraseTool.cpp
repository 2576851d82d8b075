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
    // A line the stroke went across goes too, however flat it lies: the
    // horizontal tests alone let a rub up and down pass between two of them.
    ws_.geometry.SetProbe(from.x, from.y, x, y);
    EraseWhere([this](std::int16_t i) { return ws_.geometry.LineCrossesProbe(ws_.store, i); });
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
    EraseWhere([&](std::int16_t i) {
        const LineElement& e = ws_.store.OutLine[i];
        return inside(e.X2, e.Y2) || inside(e.X1, e.Y1) || ws_.geometry.LineCrossesProbe(ws_.store, i);
    });
}

void EraseTool::EraseWhere(const std::function<bool(std::int16_t)>& hit) {
    PatternStore& store = ws_.store;
    const std::int16_t count = store.OutLine.Count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (store.OutLine.Visible(i) && hit(i)) {
            ws_.DropSelectionOf(i);
            store.DeleteLine(i);
        }
    }
}

}  // namespace tessary
