#include "core/pattern/PatternStore.h"

#include "core/pattern/ReferenceCopy.h"
#include "core/services/Progress.h"

namespace tessary {

namespace {

template <class Element>
void DestroyAllButFirst(ElementSet<Element>& set, Progress& progress) {
    while (set.Count() > 1) {
        set.DestroyLast();
        progress.ProgressStep(1);
    }
}

}  // namespace

template <class Element, class Created>
std::int16_t PatternStore::TakeSlot(ElementSet<Element>& set, LastKindValue kind, Created created) {
    std::int16_t i = set.FirstHidden();
    if (i < 0) {
        i = set.Create();
        if (i < 0) return i;
        created(i);
    }
    Raise(set.Edit(i).look);
    lastKind_ = kind;
    lastIndex_ = i;
    MarkChanged();
    return i;
}

std::int16_t PatternStore::NewLineSlot() {
    return TakeSlot(OutLine, LastKindValue::Line, [this](std::int16_t i) { reference_.NewLine(i); });
}

std::int16_t PatternStore::NewShapeSlot() {
    return TakeSlot(OutShape, LastKindValue::Shape, [this](std::int16_t i) { reference_.NewShape(i); });
}

void PatternStore::DeleteLine(std::int16_t index) {
    OutLine.SetVisible(index, false);
    reference_.RemoveLine(index);
    MarkChanged();
}

void PatternStore::DeleteShape(std::int16_t index) {
    OutShape.SetVisible(index, false);
    reference_.RemoveShape(index);
    MarkChanged();
}

bool PatternStore::DeleteLastDrawn() {
    // A clear does not forget the last index, but its slot may be gone.
    if (lastKind_ == LastKindValue::Line && lastIndex_ < OutLine.Count()) DeleteLine(lastIndex_);
    if (lastKind_ == LastKindValue::Shape && lastIndex_ < OutShape.Count()) DeleteShape(lastIndex_);
    MarkChanged();
    return true;
}

std::int16_t PatternStore::AddLine(float x1, float y1, float x2, float y2, std::int16_t penWidth, bool scaled) {
    const std::int16_t i = NewLineSlot();
    if (i < 0) return i;
    LineElement& e = OutLine.Edit(i);
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    e.look.BorderWidth = penWidth;
    OutLine.SetVisible(i, true);
    reference_.SetLine(i, x1, y1, x2, y2, scaled);
    return i;
}

std::int16_t PatternStore::AddShape(std::int16_t kind, float top, float left, float height, float width,
                                    std::int16_t penWidth, bool scaled) {
    const std::int16_t i = NewShapeSlot();
    if (i < 0) return i;
    ShapeElement& e = OutShape.Edit(i);
    e.Shape = kind;
    e.Top = top;
    e.Left = left;
    e.Height = height;
    e.Width = width;
    e.look.BorderWidth = penWidth;
    OutShape.SetVisible(i, true);
    reference_.SetShape(i, kind, top, left, height, width, scaled);
    return i;
}

void PatternStore::LineMoved(std::int16_t index) {
    const LineElement& e = OutLine[index];
    reference_.SetLine(index, e.X1, e.Y1, e.X2, e.Y2, true);
    ++revision_;
}

void PatternStore::ShapeMoved(std::int16_t index) {
    const ShapeElement& e = OutShape[index];
    reference_.SetShape(index, e.Shape, e.Top, e.Left, e.Height, e.Width, true);
    ++revision_;
}

void PatternStore::MoveLine(std::int16_t index, float dx, float dy) {
    LineElement& e = OutLine.Edit(index);
    e.X1 += dx;
    e.X2 += dx;
    e.Y1 += dy;
    e.Y2 += dy;
    LineMoved(index);
}

void PatternStore::MoveShape(std::int16_t index, float dx, float dy) {
    ShapeElement& e = OutShape.Edit(index);
    e.Left += dx;
    e.Top += dy;
    ShapeMoved(index);
}

void PatternStore::ForgetLastDrawn() {
    lastKind_ = LastKindValue::None;
    lastIndex_ = 0;
}

void PatternStore::ClearPattern() {
    const int lines = OutLine.Count();
    const int shapes = OutShape.Count();
    progress_.ProgressStart(0, 2 * (lines + shapes), "Erasing - Please wait...", false);
    OutLine.SetVisible(0, false);
    OutShape.SetVisible(0, false);
    DestroyAllButFirst(OutLine, progress_);
    DestroyAllButFirst(OutShape, progress_);
    reference_.Clear();
    progress_.ProgressEnd();
    ++revision_;
}

}  // namespace tessary
