#pragma once

#include <cstdint>

#include "core/engine/Tool.h"
#include "core/platform/KeyCodes.h"

namespace tessary {

class Workspace;

// Every press, gesture move, release and key of the work window, passed to
// the tool box's current tool; grab points are routed here by what they
// stand for.
class InputDispatch {
public:
    explicit InputDispatch(Workspace& ws) : ws_(ws) {}

    // A press at (x, y) in the coordinates of the part it landed on.
    void WorkspaceMouseDown(int button, bool shift, float x, float y, std::int16_t layerCode);
    // A gesture's moves and its release, in layer coordinates.
    void WorkspaceMouseMove(float x, float y);
    void WorkspaceMouseUp(float x, float y);
    // A press on grab point index at (x, y) within the handle.
    void GrabPointPress(std::int16_t index, int button, bool shift, float x, float y);
    // A gesture passing over or ending on grab point index, (x, y) within it.
    void GrabPointOver(std::int16_t index, float x, float y);
    void GrabPointDrop(std::int16_t index, float x, float y);
    void WorkspaceKeyDown(int keyCode, bool shift);
    // The pointer left the work window.
    void PointerLeft();
    // The pointer moved with no gesture under way, in layer coordinates;
    // true when that changed what is shown.
    bool PointerMoved(float x, float y);
    // The second press of a double click, in layer coordinates, for a tool
    // that takes double clicks (else the window passes it as a press).
    bool TakesDoubleClick() const;
    void WorkspaceDoubleClick(float x, float y);

private:
    // Keeps one step of the edit history open from a press until the end of
    // the gesture it began.
    class EventStep {
    public:
        // name: the step's, when none is open (the current tool's if null).
        explicit EventStep(InputDispatch& dispatch, const char* name = nullptr);
        ~EventStep();
        EventStep(const EventStep&) = delete;
        EventStep& operator=(const EventStep&) = delete;

    private:
        InputDispatch& d_;
    };
    const char* ToolStepName() const;

    Workspace& ws_;
    bool stepOpen_ = false;
    int eventDepth_ = 0;
};

}  // namespace tessary
