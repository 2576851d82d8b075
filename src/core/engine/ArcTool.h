#pragma once

#include <array>
#include <cstdint>

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class Workspace;

// The four-point arc: a quadratic B-spline through the first and last
// point, drawn toward the middle two, shown as construction lines until it
// is added to the pattern or dropped.
class ArcTool : public Tool {
public:
    explicit ArcTool(Workspace& ws) : ws_(ws) {}
    void Press(int button, float x, float y) override { ArcPress(button, x, y); }

    void ArcPress(int button, float x, float y);
    void PlaceArcPoint(float x, float y);
    void MoveArcPoint(float x, float y);
    void RebuildArc();
    void CommitArc();
    void EndArc(bool ask);
    bool ArcPending() const { return pending_; }
    std::int16_t Counter() const { return counter_; }
    const std::array<Point, 4>& Points() const { return points_; }

    // The point on the curve at parameter t in [0, 2].
    Point CurvePoint(float t) const;

private:
    void DrawArc();
    void DropConstruction();
    std::int16_t TakeConstructionLine();

    Workspace& ws_;
    std::array<Point, 4> points_{};
    std::int16_t counter_ = 0;
    bool pending_ = false;
};

}  // namespace tessary
