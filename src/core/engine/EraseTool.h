#pragma once

#include <cstdint>
#include <functional>

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

// The eraser: while the user drags, removes every whole line that has an end
// under its square, runs through the square's horizontal centre line, or
// lies across the way the square went. Shapes are never touched.
class EraseTool : public DrawingTool {
public:
    explicit EraseTool(DrawContext& ctx) : DrawingTool(ctx) {}
    void DrawPress(int, float x, float y) override { ErasePress(x, y); }
    void Move(float x, float y) override { EraseStep(x, y); }
    const char* StepName() const override { return "Erase"; }
    PointerSet Pointers() const override {
        return {PointerDefault, PointerDefault, PointerCustom, PointerCustom, CursorEraser, "Erase", ""};
    }

    void ErasePress(float x, float y);
    void EraseStep(float x, float y);
    void EraseAt(float x, float y);
    // Half the side of the square, in layer twips: 9 screen pixels.
    float Half() const { return half_; }

private:
    // Removes every visible line hit says is under the eraser.
    void EraseWhere(const std::function<bool(std::int16_t)>& hit);

    float half_ = 0;
    Point lastPoint_;
};

}  // namespace tessary
