#include "core/engine/Tool.h"

#include "core/engine/DrawContext.h"
#include "core/platform/KeyCodes.h"
#include "core/services/Messages.h"
#include "core/engine/Selection.h"

namespace tessary {

bool IsDeleteKey(int keyCode) { return keyCode == KeyDelete || keyCode == KeyBackspace || keyCode == KeyDecimal; }

void DrawingTool::Press(int button, float x, float y, std::int16_t part) {
    if (ctx_.surface.ViewMode() == ViewPictureOnly) {
        ctx_.messages.MsgNoDrawInPictureView();
        return;
    }
    if (part == LayerPattern || part == LayerUnder) DrawPress(button, x, y);
}

void DrawingTool::Key(int keyCode) {
    if (IsDeleteKey(keyCode)) ctx_.DeleteLastDrawn();
}

// Arc points being edited are dragged, not drawn on.
bool DrawingTool::PressesThroughHandles() const { return ctx_.selection.SelectState() != SelectArcPoints; }

PointerSet DrawingTool::Pointers() const {
    return {PointerDefault, PointerDefault, PointerCross, PointerCross, 0, "Draw", ""};
}

}  // namespace tessary
