#include "core/engine/InputDispatch.h"

#include "core/engine/ViewTransform.h"
#include "core/engine/Workspace.h"

namespace tessary {

InputDispatch::EventStep::EventStep(InputDispatch& dispatch, const char* name) : d_(dispatch) {
    ++d_.eventDepth_;
    if (d_.stepOpen_) return;
    d_.ws_.history.Begin(name ? name : d_.ToolStepName());
    d_.stepOpen_ = true;
}

// The outermost event closes the step once no gesture goes on.
InputDispatch::EventStep::~EventStep() {
    if (--d_.eventDepth_ > 0 || !d_.stepOpen_ || d_.ws_.gesture.Active()) return;
    d_.stepOpen_ = false;
    d_.ws_.history.End();
}

const char* InputDispatch::ToolStepName() const {
    const Tool* tool = ws_.tools.Current();
    return tool ? tool->StepName() : "";
}

void InputDispatch::WorkspaceMouseDown(int button, bool shift, float x, float y, std::int16_t layerCode) {
    WorkSurface& s = ws_.surface;
    if (!s.Enabled) return;
    const EventStep step(*this);
    s.DownX = x;
    s.DownY = y;
    s.DownShift = shift;
    ws_.gesture.End();
    ws_.draw.NewPress();
    if (Tool* tool = ws_.tools.Current()) tool->Press(button, x, y, layerCode);
}

void InputDispatch::WorkspaceMouseMove(float x, float y) {
    if (!ws_.gesture.Active()) return;
    const EventStep step(*this);
    if (Tool* tool = ws_.tools.Current()) tool->Move(x, y);
}

void InputDispatch::WorkspaceMouseUp(float x, float y) {
    if (!ws_.gesture.Active()) return;
    const EventStep step(*this);
    ws_.gesture.End();
    if (Tool* tool = ws_.tools.Current()) tool->Release(x, y);
}

bool InputDispatch::PointerMoved(float x, float y) {
    if (!ws_.surface.Enabled || ws_.gesture.Active()) return false;
    Tool* tool = ws_.tools.Current();
    return tool && tool->Hover(x, y);
}

bool InputDispatch::TakesDoubleClick() const {
    const Tool* tool = ws_.tools.Current();
    return ws_.surface.Enabled && tool && tool->TakesDoubleClick();
}

void InputDispatch::WorkspaceDoubleClick(float x, float y) {
    if (!ws_.surface.Enabled) return;
    ws_.surface.DownX = x;
    ws_.surface.DownY = y;
    ws_.gesture.End();
    const EventStep step(*this);
    if (Tool* tool = ws_.tools.Current()) tool->DoubleClick(x, y);
}

void InputDispatch::PointerLeft() {
    if (!ws_.gesture.Active()) return;
    const EventStep step(*this);
    if (Tool* tool = ws_.tools.Current()) tool->PointerLeft();
}

void InputDispatch::GrabPointPress(std::int16_t index, int button, bool shift, float x, float y) {
    if (!ws_.surface.Enabled || index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    const EventStep step(*this);
    // A handle stands for the line end it marks.
    const Tool* tool = ws_.tools.Current();
    if (tool && tool->PressesThroughHandles()) {
        const Point centre = ws_.selection.GrabCentre(index);
        WorkspaceMouseDown(button, shift, centre.x, centre.y, LayerPattern);
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    ws_.selection.GrabPress(index, button, at.x, at.y);
}

void InputDispatch::GrabPointOver(std::int16_t index, float x, float y) {
    if (index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    const EventStep step(*this);
    // A dragged line end snaps onto the end under the pointer.
    if (ws_.gesture.Active() && ws_.selection.SelectState() == SelectEndsActive && ws_.endJoining.Joinable(index)) {
        ws_.endJoining.EndHover(index);
        return;
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    WorkspaceMouseMove(at.x, at.y);
}

void InputDispatch::GrabPointDrop(std::int16_t index, float x, float y) {
    if (index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    const EventStep step(*this);
    if (ws_.gesture.Active() && ws_.selection.SelectState() == SelectEndsActive && ws_.endJoining.Joinable(index)) {
        ws_.gesture.End();
        ws_.endJoining.EndDropOnGrab(index);
        return;
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    WorkspaceMouseUp(at.x, at.y);
}

void InputDispatch::WorkspaceKeyDown(int keyCode, bool) {
    if (!ws_.surface.Enabled || ws_.surface.ViewMode() == ViewPictureOnly) return;
    const EventStep step(*this, "Delete");
    if (Tool* tool = ws_.tools.Current()) tool->Key(keyCode);
}

}  // namespace tessary
