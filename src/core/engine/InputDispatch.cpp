#include "core/engine/InputDispatch.h"

#include "core/engine/ViewTransform.h"
#include "core/engine/Workspace.h"

namespace tessary {

void InputDispatch::WorkspaceMouseDown(int button, bool, float x, float y, std::int16_t layerCode) {
    WorkSurface& s = ws_.surface;
    if (!s.Enabled) return;
    s.DownX = x;
    s.DownY = y;
    ws_.gesture.End();
    ws_.draw.NewPress();
    if (Tool* tool = ws_.tools.Current()) tool->Press(button, x, y, layerCode);
}

void InputDispatch::WorkspaceMouseMove(float x, float y) {
    if (!ws_.gesture.Active()) return;
    if (Tool* tool = ws_.tools.Current()) tool->Move(x, y);
}

void InputDispatch::WorkspaceMouseUp(float x, float y) {
    if (!ws_.gesture.Active()) return;
    ws_.gesture.End();
    if (Tool* tool = ws_.tools.Current()) tool->Release(x, y);
}

void InputDispatch::PointerLeft() {
    if (!ws_.gesture.Active()) return;
    if (Tool* tool = ws_.tools.Current()) tool->PointerLeft();
}

void InputDispatch::GrabPointPress(std::int16_t index, int button, bool shift, float x, float y) {
    if (!ws_.surface.Enabled || index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
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
    if (Tool* tool = ws_.tools.Current()) tool->Key(keyCode);
}

}  // namespace tessary
