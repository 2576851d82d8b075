#include "core/engine/SelectTool.h"

#include "core/engine/Selection.h"
#include "core/platform/KeyCodes.h"

namespace tessary {

void SelectTool::Enter() { selection_.SetSelectKind(selection_.SelectKind()); }

void SelectTool::Leave() { selection_.ClearSelection(); }

void SelectTool::Press(int button, float x, float y, std::int16_t part) {
    // Ends are joined through their grab points only.
    if (selection_.SelectKind() != SelectObjects || surface_.ViewMode() == ViewPictureOnly) return;
    selection_.SetGrabDragActive(false);
    if (button == kButtonLeft && part != LayerWindow) {
        selection_.ObjectPress(button, x, y, surface_.DownShift);
    } else {
        selection_.ClearSelection();
    }
}

void SelectTool::Move(float x, float y) { selection_.SelectMove(x, y); }

void SelectTool::Release(float x, float y) { selection_.SelectDrop(x, y); }

void SelectTool::Key(int keyCode) {
    if (selection_.SelectKind() != SelectObjects) return;
    if (IsDeleteKey(keyCode)) selection_.DeleteSelected();
    if (keyCode == KeyEscape) selection_.ClearSelection();
}

bool SelectTool::TakesDoubleClick() const {
    return selection_.SelectKind() == SelectObjects && surface_.ViewMode() != ViewPictureOnly;
}

void SelectTool::DoubleClick(float x, float y) {
    if (!TakesDoubleClick()) return;
    if (selection_.SelectChainAt(x, y)) {
        selection_.ObjectPress(kButtonLeft, x, y);
    } else {
        selection_.ClearSelection();
    }
}

const char* SelectTool::StepName() const { return selection_.SelectKind() == SelectEnds ? "Join Ends" : "Move"; }

PointerSet SelectTool::Pointers() const {
    if (selection_.SelectKind() == SelectEnds) {
        return {PointerDefault, PointerDefault, PointerArrowQuestion, PointerArrowQuestion, 0, "Join\r\nEnds",
                "Closest\r\nEnd"};
    }
    return {PointerDefault, PointerDefault, PointerArrowQuestion, PointerArrowQuestion, 0, "Select", ""};
}

}  // namespace tessary
