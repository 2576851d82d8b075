#include "core/pattern/PatternJournal.h"

#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {

bool SameReference(const ReferenceLine& a, const ReferenceLine& b) {
    return a.Visible == b.Visible && a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
}

bool SameReference(const ReferenceShape& a, const ReferenceShape& b) {
    return a.Visible == b.Visible && a.Kind == b.Kind && a.Top == b.Top && a.Left == b.Left && a.Height == b.Height &&
           a.Width == b.Width;
}

void Place(LineElement& e, const ReferenceLine& r, float factor) {
    e.X1 = r.X1 * factor;
    e.Y1 = r.Y1 * factor;
    e.X2 = r.X2 * factor;
    e.Y2 = r.Y2 * factor;
}

void Place(ShapeElement& e, const ReferenceShape& r, float factor) {
    e.Shape = r.Kind;
    e.Left = r.Left * factor;
    e.Top = r.Top * factor;
    e.Width = r.Width * factor;
    e.Height = r.Height * factor;
}

}  // namespace

template <class Element, class Reference>
void PatternJournal::SetJournal<Element, Reference>::BeforeChange(std::int16_t index) {
    if (!owner.recording_ || index < 0) return;
    Told(index);
    kept.push_back(Now(index));
}

template <class Element, class Reference>
SlotState<Element, Reference> PatternJournal::SetJournal<Element, Reference>::Now(std::int16_t index) const {
    SlotState<Element, Reference> s;
    s.index = index;
    s.existed = index < set.Count();
    if (s.existed) {
        s.visible = set.Visible(index);
        s.element = set[index];
    }
    if (static_cast<std::size_t>(index) < reference.size()) s.reference = reference[static_cast<std::size_t>(index)];
    return s;
}

PatternJournal::PatternJournal(PatternStore& store, ReferenceCopy& reference)
    : store_(store),
      reference_(reference),
      lines_(*this, store.OutLine, reference.Lines),
      shapes_(*this, store.OutShape, reference.Shapes) {
    store.OutLine.Watch(&lines_);
    store.OutShape.Watch(&shapes_);
}

PatternJournal::~PatternJournal() {
    store_.OutLine.Watch(nullptr);
    store_.OutShape.Watch(nullptr);
}

void PatternJournal::StartRecording() {
    recording_ = true;
    lines_.Restart();
    shapes_.Restart();
    start_ = PatternPatch{};
    start_.lineCount = store_.OutLine.Count();
    start_.shapeCount = store_.OutShape.Count();
    start_.scale = reference_.ReferenceScale();
}

PatternPatch PatternJournal::StopRecording() {
    recording_ = false;
    PatternPatch patch = start_;
    // A slot shown again as it was is no change: a zoom recomputes every one,
    // and its look (colour, pen, stacking) is the screen's, not the pattern's.
    const auto changed = [](auto& journal, auto& out) {
        for (auto& before : journal.kept) {
            const auto now = journal.Now(before.index);
            if (now.existed == before.existed && now.visible == before.visible &&
                SameReference(now.reference, before.reference)) {
                continue;
            }
            out.push_back(std::move(before));
        }
        journal.kept.clear();
    };
    changed(lines_, patch.lines);
    changed(shapes_, patch.shapes);
    return patch;
}

template <class Element, class Reference>
std::vector<SlotState<Element, Reference>> PatternJournal::Restore(
    SetJournal<Element, Reference>& j, const std::vector<SlotState<Element, Reference>>& slots, std::int16_t count,
    float patchScale) {
    std::vector<SlotState<Element, Reference>> undo;
    undo.reserve(slots.size());
    for (const auto& s : slots) undo.push_back(j.Now(s.index));
    ElementSet<Element>& set = j.set;
    while (set.Count() > count) set.DestroyLast();
    while (set.Count() < count && set.Create() >= 0) {
    }
    j.reference.resize(static_cast<std::size_t>(set.Count()));
    const float scale = reference_.ReferenceScale();
    const float factor = scale > 0 ? 1 / scale : 1;
    for (const auto& s : slots) {
        if (!s.existed || s.index >= set.Count()) continue;
        Element& e = set.Edit(s.index);
        const Appearance look = e.look;
        e = s.element;
        e.look.Stack = look.Stack;
        // At the zoom of the time the slot comes back exactly as it was.
        if (s.visible && scale != patchScale) Place(e, s.reference, factor);
        set.SetVisible(s.index, s.visible);
        j.reference[static_cast<std::size_t>(s.index)] = s.reference;
    }
    return undo;
}

PatternPatch PatternJournal::Apply(const PatternPatch& patch) {
    PatternPatch undo;
    undo.lineCount = store_.OutLine.Count();
    undo.shapeCount = store_.OutShape.Count();
    undo.scale = reference_.ReferenceScale();
    undo.lines = Restore(lines_, patch.lines, patch.lineCount, patch.scale);
    undo.shapes = Restore(shapes_, patch.shapes, patch.shapeCount, patch.scale);
    return undo;
}

}  // namespace tessary
