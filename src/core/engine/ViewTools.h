#pragma once

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class Gesture;
class ZoomMove;

// Move mode's tool: a left drag on the picture moves it, the press point
// staying under the pointer.
class MoveTool : public Tool {
public:
    MoveTool(ZoomMove& zoom, WorkSurface& surface, Gesture& gesture)
        : zoom_(zoom), surface_(surface), gesture_(gesture) {}
    void Press(int button, float x, float y, std::int16_t part) override;
    void Move(float x, float y) override;
    void Release(float x, float y) override;
    // A picture dragged out of the work window stays where it last was.
    void PointerLeft() override;
    PointerSet Pointers() const override;
    const char* StepName() const override { return "Move Picture"; }

private:
    ZoomMove& zoom_;
    WorkSurface& surface_;
    Gesture& gesture_;
};

// Zoom mode's tool: the left button zooms in, the right out, about the
// point pressed on the picture; a press beside it centres the picture.
class ZoomTool : public Tool {
public:
    explicit ZoomTool(ZoomMove& zoom) : zoom_(zoom) {}
    void Press(int button, float x, float y, std::int16_t part) override;
    PointerSet Pointers() const override;
    const char* StepName() const override { return "Zoom"; }

private:
    ZoomMove& zoom_;
};

}  // namespace tessary
