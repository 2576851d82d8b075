#pragma once

#include <cstdint>

#include "core/engine/Pointers.h"

namespace tessary {

class DrawContext;

inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonRight = 2;

// One way of working in the work window: what a press, the moves and the
// release of the gesture it began and a key do, and the pointers it shows.
// A press comes in the coordinates of the part it landed on (a LayerCode),
// a gesture in pattern-layer twips. Button 1 is the left, 2 the right.
class Tool {
public:
    virtual ~Tool() = default;
    // A tool put away leaves nothing half done for the next one.
    virtual void Enter() {}
    virtual void Leave() {}
    virtual void Press(int button, float x, float y, std::int16_t part) = 0;
    virtual void Move(float /*x*/, float /*y*/) {}
    virtual void Release(float /*x*/, float /*y*/) {}
    virtual void Key(int /*keyCode*/) {}
    // The pointer moved with no gesture under way; true when that changed
    // what is shown.
    virtual bool Hover(float /*x*/, float /*y*/) { return false; }
    // The second press of a double click: a tool that takes it gets it
    // instead of a press; for the others it is a press like any other.
    virtual bool TakesDoubleClick() const { return false; }
    virtual void DoubleClick(float /*x*/, float /*y*/) {}
    // The pointer left the work window during a gesture.
    virtual void PointerLeft() {}
    // A press on a grab point also counts as a press at its centre.
    virtual bool PressesThroughHandles() const { return false; }
    virtual PointerSet Pointers() const = 0;
    // What a step of the edit history made with this tool is called.
    virtual const char* StepName() const = 0;
};

// Delete, Backspace and the keypad's decimal point take something back.
bool IsDeleteKey(int keyCode);

// The draw tools draw only on the pattern and the picture under it, never
// in the picture-only view, and Delete takes back the last thing drawn.
class DrawingTool : public Tool {
public:
    explicit DrawingTool(DrawContext& ctx) : ctx_(ctx) {}
    void Press(int button, float x, float y, std::int16_t part) final;
    void Key(int keyCode) override;
    bool PressesThroughHandles() const override;
    PointerSet Pointers() const override;

protected:
    virtual void DrawPress(int button, float x, float y) = 0;

    DrawContext& ctx_;
};

}  // namespace tessary
