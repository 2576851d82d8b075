#pragma once

#include <cstdint>

#include "core/engine/Tool.h"
#include "core/pattern/ElementSet.h"

namespace tessary {

// Circles, rectangles and squares, drawn by dragging out their box.
class BoxTool : public DrawingTool {
public:
    // kind: 3 circle, 0 rectangle, 1 square
    BoxTool(DrawContext& ctx, std::int16_t kind) : DrawingTool(ctx), kind_(kind) {}
    void DrawPress(int, float x, float y) override { BoxPress(x, y); }
    void Move(float x, float y) override { BoxDrag(x, y); }
    void Release(float x, float y) override { BoxRelease(x, y); }
    const char* StepName() const override {
        return kind_ == ShapeCircle ? "Circle" : kind_ == ShapeSquare ? "Square" : "Rectangle";
    }
    void BoxPress(float x, float y);
    void BoxDrag(float x, float y);
    void BoxRelease(float x, float y);

private:
    std::int16_t kind_;
};

// A circle as straight segments at a given angular step: the outline starts
// and ends at (cx, cy + r), and the last segment closes it exactly.
class CircleOutline {
public:
    void CircleStart(float cx, float cy, float r, float stepDegrees);
    // The next segment; false for the one that reaches the end angle.
    bool CircleNextSegment(float& x1, float& y1, float& x2, float& y2);

private:
    float cx_ = 0, cy_ = 0, r_ = 0;
    float step_ = 0, angle_ = 0, end_ = 0;
    float x_ = 0, y_ = 0;
};

}  // namespace tessary
