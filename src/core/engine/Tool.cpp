#include "core/engine/Tool.h"

#include "core/engine/Workspace.h"

namespace tessary {

bool IsDeleteKey(int keyCode) { return keyCode == KeyDelete || keyCode == KeyBackspace || keyCode == KeyDecimal; }

void DrawingTool::Press(int button, float x, float y, std::int16_t part) {
    if (ws_.surface.ViewMode() == ViewPictureOnly) {
        ws_.session.messages.MsgNoDrawInPictureView();
        return;
    }
    if (part == LayerPattern || part == LayerUnder) DrawPress(button, x, y);
}

void DrawingTool::Key(int keyCode) {
    if (IsDeleteKey(keyCode)) ws_.DeleteLastDrawn();
}

// Arc points being edited are dragged, not drawn on.
bool DrawingTool::PressesThroughHandles() const { return ws_.selection.SelectState() != SelectArcPoints; }

PointerSet DrawingTool::Pointers() const {
    return {PointerDefault, PointerDefault, PointerCross, PointerCross, 0, "Draw", ""};
}

}  // namespace tessary
