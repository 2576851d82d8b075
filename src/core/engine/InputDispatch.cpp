#include "core/engine/InputDispatch.h"

#include "core/engine/ViewTransform.h"
#include "core/engine/Workspace.h"

namespace tessary {

void InputDispatch::BeginGesture(float, float, std::int16_t pointer) {
    gesture_ = true;
    gesturePointer_ = pointer;
}

void InputDispatch::WorkspaceMouseDown(int button, bool, float x, float y, bool onLayer, std::int16_t layerCode) {
    WorkSurface& s = ws_.surface;
    if (!s.Enabled) return;
    s.DownX = x;
    s.DownY = y;
    gesture_ = false;
    ws_.NewPress();
    switch (ws_.modes.InteractionMode()) {
        case ModeSelect:
            if (ws_.selection.SelectKind() != SelectObjects || s.ViewMode() == ViewPictureOnly) break;
            ws_.selection.SetGrabDragActive(false);
            if (button == kButtonLeft && onLayer) {
                ws_.selection.ObjectPress(button, x, y);
            } else {
                ws_.selection.ClearSelection();
            }
            break;
        case ModeDraw:
            if (s.ViewMode() == ViewPictureOnly) {
                ws_.session.messages.MsgNoDrawInPictureView();
                break;
            }
            if (layerCode == LayerPattern || layerCode == LayerUnder) {
                if (Tool* tool = ws_.ToolFor(ws_.modes.DrawTool())) tool->Press(button, x, y);
            }
            break;
        case ModeMove:
            if (button == kButtonLeft && onLayer) ws_.zoom.BeginPictureDrag();
            break;
        case ModeZoom:
            if (!onLayer) {
                ws_.zoom.ZoomView(button == kButtonRight ? ZoomOut : ZoomIn);
            } else {
                ws_.zoom.ZoomAtPoint(button, x, y);
            }
            break;
        default: break;
    }
}

void InputDispatch::WorkspaceMouseMove(float x, float y) {
    if (gesture_) RouteGesture(x, y, false);
}

void InputDispatch::WorkspaceMouseUp(float x, float y) {
    if (!gesture_) return;
    gesture_ = false;
    RouteGesture(x, y, true);
}

void InputDispatch::RouteGesture(float x, float y, bool release) {
    const std::int16_t mode = ws_.modes.InteractionMode();
    // Arc points are dragged like a selection, also in draw mode.
    if (mode == ModeSelect || (mode == ModeDraw && ws_.selection.SelectState() == SelectArcPoints)) {
        if (release) {
            ws_.selection.SelectDrop(x, y);
        } else {
            ws_.selection.SelectMove(x, y);
        }
    } else if (mode == ModeDraw) {
        if (Tool* tool = ws_.ToolFor(ws_.modes.DrawTool())) {
            if (release) {
                tool->Release(x, y);
            } else {
                tool->Move(x, y);
            }
        }
    }
}

void InputDispatch::GrabPointPress(std::int16_t index, int button, bool shift, float x, float y) {
    if (!ws_.surface.Enabled || index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    // In draw mode a handle acts as the line end it marks.
    if (ws_.modes.InteractionMode() == ModeDraw && ws_.selection.SelectState() != SelectArcPoints) {
        const Point centre = ws_.selection.GrabCentre(index);
        WorkspaceMouseDown(button, shift, centre.x, centre.y, true, LayerPattern);
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    ws_.selection.GrabPress(index, button, at.x, at.y);
}

void InputDispatch::GrabPointOver(std::int16_t index, float x, float y) {
    if (index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    // A dragged line end snaps onto the end under the pointer.
    if (gesture_ && ws_.selection.SelectState() == SelectEndsActive && ws_.endJoining.Joinable(index)) {
        ws_.endJoining.EndHover(index);
        return;
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    WorkspaceMouseMove(at.x, at.y);
}

void InputDispatch::GrabPointDrop(std::int16_t index, float x, float y) {
    if (index < 0 || static_cast<std::size_t>(index) >= ws_.surface.GrabPoint.size()) return;
    if (gesture_ && ws_.selection.SelectState() == SelectEndsActive && ws_.endJoining.Joinable(index)) {
        gesture_ = false;
        ws_.endJoining.EndDropOnGrab(index);
        return;
    }
    const Point at = ViewTransform(ws_.surface, ws_.surface.TwipsPerPixel).GrabToLayer(index, {x, y});
    WorkspaceMouseUp(at.x, at.y);
}

void InputDispatch::WorkspaceKeyDown(int keyCode, bool) {
    if (!ws_.surface.Enabled || ws_.surface.ViewMode() == ViewPictureOnly) return;
    if (keyCode != KeyDelete && keyCode != KeyBackspace && keyCode != KeyDecimal) return;
    if (ws_.modes.InteractionMode() == ModeDraw) {
        ws_.DeleteLastDrawn();
    } else if (ws_.modes.InteractionMode() == ModeSelect && ws_.selection.SelectKind() == SelectObjects) {
        ws_.selection.DeleteSelected();
    }
}

}  // namespace tessary
