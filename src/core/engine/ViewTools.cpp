#include "core/engine/ViewTools.h"

#include "core/engine/Workspace.h"

namespace tessary {

void MoveTool::Press(int button, float x, float y, std::int16_t part) {
    // Another button pressed during a drag leaves the picture where it was.
    ws_.surface.ApplyViewMode();
    if (button == kButtonLeft && part != LayerWindow) ws_.input.BeginGesture(x, y, PointerCustom);
}

// The drag places the picture in window twips; the gesture's points are the
// layer's, and the layer moves with the picture.
void MoveTool::Move(float x, float y) {
    const Rect& layer = ws_.surface.Pattern;
    ws_.zoom.DragPicture(layer.Left + x, layer.Top + y);
}

void MoveTool::Release(float x, float y) {
    const Rect& layer = ws_.surface.Pattern;
    ws_.zoom.DropPicture(layer.Left + x, layer.Top + y);
}

void MoveTool::PointerLeft() {
    ws_.input.EndGesture();
    ws_.surface.ApplyViewMode();
}

PointerSet MoveTool::Pointers() const {
    return {PointerDefault, PointerCustom, PointerCustom, PointerCustom, CursorHand, "Move", ""};
}

void ZoomTool::Press(int button, float x, float y, std::int16_t part) {
    if (part == LayerWindow) {
        ws_.zoom.ZoomView(button == kButtonRight ? ZoomOut : ZoomIn);
    } else {
        ws_.zoom.ZoomAtPoint(button, x, y);
    }
}

PointerSet ZoomTool::Pointers() const {
    return {PointerCustom, PointerCustom, PointerCustom, PointerCustom, CursorMagnifier, "In", "Out"};
}

}  // namespace tessary
