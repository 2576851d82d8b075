#include "core/engine/EraseTool.h"

#include <algorithm>
#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"
#include "core/engine/Selection.h"
#include "core/pattern/LineGeometry.h"

namespace tessary {

void EraseTool::ErasePress(float x, float y) {
    half_ = 18 * ctx_.surface.TwipsPerPixel / 2;
    EraseAt(x, y);
    ctx_.gesture.Begin();
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
    ctx_.geometry.SetProbe(from.x, from.y, x, y);
    EraseWhere([this](std::int16_t i) { return ctx_.geometry.LineCrossesProbe(ctx_.store, i); });
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
    ctx_.geometry.SetProbe(left, y, right, y);
    const auto inside = [&](float px, float py) { return left <= px && px <= right && top <= py && py <= bottom; };
    EraseWhere([&](std::int16_t i) {
        const LineElement& e = ctx_.store.OutLine[i];
        return inside(e.X2, e.Y2) || inside(e.X1, e.Y1) || ctx_.geometry.LineCrossesProbe(ctx_.store, i);
    });
}

void EraseTool::EraseWhere(const std::function<bool(std::int16_t)>& hit) {
    PatternStore& store = ctx_.store;
    const std::int16_t count = store.OutLine.Count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (store.OutLine.Visible(i) && hit(i)) {
            ctx_.selection.ForgetLine(i);
            store.DeleteLine(i);
        }
    }
}

}  // namespace tessary
