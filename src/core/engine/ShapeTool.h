#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

// The shape tool: a drag takes the first line its path from the press point
// crosses and reshapes it with the pointer for the rest of the drag. Sharp
// pulls a corner out of it, Smooth moves its middle third, Push moves it
// whole with the lines joined to its ends. A right press turns the pointer.
class ShapeTool : public DrawingTool {
public:
    explicit ShapeTool(DrawContext& ctx) : DrawingTool(ctx) {}
    void DrawPress(int button, float x, float y) override;
    void Move(float x, float y) override { ShapeStep(x, y); }
    void Release(float x, float y) override { ShapeStep(x, y); }
    // The pointer shows the palette's mode and direction.
    PointerSet Pointers() const override;
    const char* StepName() const override;

    void ShapePress(float x, float y);
    void ShapeRotate();
    void ShapeStep(float x, float y);
    bool Active() const { return active_; }

private:
    bool Start(std::int16_t line, float x, float y);
    bool SharpStart(std::int16_t line, float x, float y);
    void SharpStep(float x, float y);
    bool SmoothStart(std::int16_t line, float x, float y);
    void SmoothStep(float x, float y);
    void PushStart(std::int16_t line, float x, float y);
    void PushStep(float x, float y);
    // Moves lineM_ by the pointer's movement since the last step.
    void ShiftMiddle(float x, float y);
    // A new slot with the pattern's pen, still hidden; -1 when the set is full.
    std::int16_t NewLine();
    // The reference copy follows, in the order given; -1 stands for no line.
    void Moved(std::initializer_list<std::int16_t> lines);

    Point pressPoint_;
    Point lastPoint_;
    bool active_ = false;
    // The pattern was full when a line was taken: the drag does nothing more.
    bool spent_ = false;
    std::int16_t mode_ = 0;
    std::int16_t lineA_ = -1;
    std::int16_t lineM_ = -1;
    std::int16_t lineB_ = -1;
    // Push: which end of each neighbour touches the moved line.
    bool a1_ = false, a2_ = false, b1_ = false, b2_ = false;
};

}  // namespace tessary
