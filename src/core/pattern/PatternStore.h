#pragma once

#include <cstdint>

#include "core/pattern/ElementSet.h"

namespace tessary {

class ReferenceCopy;
class Progress;

enum class LastKindValue : std::int16_t { None = 0, Line = 1, Shape = 2 };

// The drawn pattern: the line set and the shape set on the pattern layer.
// Every creation and deletion is passed to the reference copy index for
// index.
class PatternStore {
public:
    PatternStore(ReferenceCopy& reference, Progress& progress) : reference_(reference), progress_(progress) {}

    ElementSet<LineElement> OutLine;
    ElementSet<ShapeElement> OutShape;

    // The lowest free slot, created when every slot is in use; the slot stays
    // hidden until the caller completes it. -1 when the set is full.
    std::int16_t NewLineSlot();
    std::int16_t NewShapeSlot();
    void DeleteLine(std::int16_t index);
    void DeleteShape(std::int16_t index);
    // Takes back the most recently allocated object. The line tool puts its
    // last end back to its anchor before this when LastKind is a line.
    bool DeleteLastDrawn();
    void ClearPattern();

    // A new slot completed as a pattern line or shape: geometry, pen width,
    // visible, and told to the reference copy (scaled: the values are
    // displayed coordinates). -1 when the set is full.
    std::int16_t AddLine(float x1, float y1, float x2, float y2, std::int16_t penWidth, bool scaled);
    std::int16_t AddShape(std::int16_t kind, float top, float left, float height, float width,
                          std::int16_t penWidth, bool scaled);
    // After an edit of an element's geometry: the reference copy follows.
    void LineMoved(std::int16_t index);
    void ShapeMoved(std::int16_t index);
    // Shifted by (dx, dy) displayed twips, the reference copy with it.
    void MoveLine(std::int16_t index, float dx, float dy);
    void MoveShape(std::int16_t index, float dx, float dy);
    void ForgetLastDrawn();

    LastKindValue LastKind() const { return lastKind_; }
    std::int16_t LastIndex() const { return lastIndex_; }

    bool PatternChanged() const { return patternChanged_; }
    void SetPatternChanged(bool changed) {
        if (changed) {
            MarkChanged();
        } else {
            patternChanged_ = false;
        }
    }
    // Counts every change to the pattern, also those that do not set the
    // changed mark (a clear, a geometry edit whose mark comes at the end of
    // the gesture): whoever keeps a copy can tell that it is behind.
    std::uint64_t Revision() const { return revision_; }

    // Brings an element above every other on the surface.
    void Raise(Appearance& look) { look.Stack = ++stackTop_; }

private:
    void MarkChanged() {
        patternChanged_ = true;
        ++revision_;
    }
    // The lowest hidden slot of set, or a new one told to the reference
    // copy through created; -1 when the set is full.
    template <class Element, class Created>
    std::int16_t TakeSlot(ElementSet<Element>& set, LastKindValue kind, Created created);

    ReferenceCopy& reference_;
    Progress& progress_;
    LastKindValue lastKind_ = LastKindValue::None;
    std::int16_t lastIndex_ = 0;
    bool patternChanged_ = false;
    std::uint64_t revision_ = 0;
    std::uint32_t stackTop_ = 0;
};

}  // namespace tessary
