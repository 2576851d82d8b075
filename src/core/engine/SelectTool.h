#pragma once

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class Selection;

// Select mode's tool: picks, drags and deletes objects, or joins line ends,
// as the select kind says.
class SelectTool : public Tool {
public:
    SelectTool(Selection& selection, const WorkSurface& surface) : selection_(selection), surface_(surface) {}
    // Free-end grab points are found anew on each coming back.
    void Enter() override;
    void Leave() override;
    void Press(int button, float x, float y, std::int16_t part) override;
    void Move(float x, float y) override;
    void Release(float x, float y) override;
    void Key(int keyCode) override;
    // The chain of lines under a double click, held for a drag; not a
    // press, which on a selected line's handle would pull its end away.
    bool TakesDoubleClick() const override;
    void DoubleClick(float x, float y) override;
    PointerSet Pointers() const override;
    const char* StepName() const override;

private:
    Selection& selection_;
    const WorkSurface& surface_;
};

}  // namespace tessary
