#include "core/engine/SelectTool.h"

#include "core/engine/Workspace.h"

namespace tessary {

void SelectTool::Enter() { ws_.selection.SetSelectKind(ws_.selection.SelectKind()); }

void SelectTool::Leave() { ws_.selection.ClearSelection(); }

void SelectTool::Press(int button, float x, float y, std::int16_t part) {
    Selection& selection = ws_.selection;
    // Ends are joined through their grab points only.
    if (selection.SelectKind() != SelectObjects || ws_.surface.ViewMode() == ViewPictureOnly) return;
    selection.SetGrabDragActive(false);
    if (button == kButtonLeft && part != LayerWindow) {
        selection.ObjectPress(button, x, y);
    } else {
        selection.ClearSelection();
    }
}

void SelectTool::Move(float x, float y) { ws_.selection.SelectMove(x, y); }

void SelectTool::Release(float x, float y) { ws_.selection.SelectDrop(x, y); }

void SelectTool::Key(int keyCode) {
    if (IsDeleteKey(keyCode) && ws_.selection.SelectKind() == SelectObjects) ws_.selection.DeleteSelected();
}

PointerSet SelectTool::Pointers() const {
    if (ws_.selection.SelectKind() == SelectEnds) {
        return {PointerDefault, PointerDefault, PointerArrowQuestion, PointerArrowQuestion, 0, "Join\r\nEnds",
                "Closest\r\nEnd"};
    }
    return {PointerDefault, PointerDefault, PointerArrowQuestion, PointerArrowQuestion, 0, "Select", ""};
}

}  // namespace tessary
