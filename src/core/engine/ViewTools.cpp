#include "core/engine/ViewTools.h"

#include "core/engine/DrawContext.h"
#include "core/engine/ZoomMove.h"

namespace tessary {

void MoveTool::Press(int button, float x, float y, std::int16_t part) {
    // Another button pressed during a drag leaves the picture where it was.
    surface_.ApplyViewMode();
    if (button == kButtonLeft && part != LayerWindow) gesture_.Begin();
}

// The drag places the picture in window twips; the gesture's points are the
// layer's, and the layer moves with the picture.
void MoveTool::Move(float x, float y) {
    const Rect& layer = surface_.Pattern;
    zoom_.DragPicture(layer.Left + x, layer.Top + y);
}

void MoveTool::Release(float x, float y) {
    const Rect& layer = surface_.Pattern;
    zoom_.DropPicture(layer.Left + x, layer.Top + y);
}

void MoveTool::PointerLeft() {
    gesture_.End();
    surface_.ApplyViewMode();
}

PointerSet MoveTool::Pointers() const {
    return {PointerDefault, PointerCustom, PointerCustom, PointerCustom, CursorHand, "Move", ""};
}

void ZoomTool::Press(int button, float x, float y, std::int16_t part) {
    if (part == LayerWindow) {
        zoom_.ZoomView(button == kButtonRight ? ZoomOut : ZoomIn);
    } else {
        zoom_.ZoomAtPoint(button, x, y);
    }
}

PointerSet ZoomTool::Pointers() const {
    return {PointerCustom, PointerCustom, PointerCustom, PointerCustom, CursorMagnifier, "In", "Out"};
}

}  // namespace tessary
