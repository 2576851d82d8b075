#pragma once

#include "core/engine/Tool.h"

namespace tessary {

// Move mode's tool: a left drag on the picture moves it, the press point
// staying under the pointer.
class MoveTool : public Tool {
public:
    explicit MoveTool(Workspace& ws) : ws_(ws) {}
    void Press(int button, float x, float y, std::int16_t part) override;
    void Move(float x, float y) override;
    void Release(float x, float y) override;
    // A picture dragged out of the work window stays where it last was.
    void PointerLeft() override;
    PointerSet Pointers() const override;

private:
    Workspace& ws_;
};

// Zoom mode's tool: the left button zooms in, the right out, about the
// point pressed on the picture; a press beside it centres the picture.
class ZoomTool : public Tool {
public:
    explicit ZoomTool(Workspace& ws) : ws_(ws) {}
    void Press(int button, float x, float y, std::int16_t part) override;
    PointerSet Pointers() const override;

private:
    Workspace& ws_;
};

}  // namespace tessary
