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

}  // namespace tessary
