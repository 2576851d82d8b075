#pragma once

#include <array>
#include <cstdint>

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

// The four-point arc: a quadratic B-spline through the first and last
// point, drawn toward the middle two, shown as construction lines until it
// is added to the pattern or dropped.
class ArcTool : public DrawingTool {
public:
    explicit ArcTool(DrawContext& ctx) : DrawingTool(ctx) {}
    // Starts with four hidden points and no arc commands.
    void Enter() override { EndArc(false); }
    // The user decides whether a pending arc is kept.
    void Leave() override { EndArc(true); }
    void DrawPress(int button, float x, float y) override { ArcPress(button, x, y); }
    // A drag of the arc's points is the selection's.
    void Move(float x, float y) override;
    void Release(float x, float y) override;
    // Escape drops the arc being placed.
    void Key(int keyCode) override;
    const char* StepName() const override { return "Arc"; }
    PointerSet Pointers() const override {
        return {PointerDefault, PointerDefault, PointerCross, PointerCross, 0, "Mark\r\nPoints", "Set\r\nArc"};
    }

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

    std::array<Point, 4> points_{};
    std::int16_t counter_ = 0;
    bool pending_ = false;
};

}  // namespace tessary
