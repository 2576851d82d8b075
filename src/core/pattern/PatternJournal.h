#pragma once

#include <cstdint>
#include <vector>

#include "core/pattern/ElementSet.h"
#include "core/pattern/ReferenceCopy.h"

namespace tessary {

class PatternStore;

// One slot as it was: whether it existed, whether it was shown, its look and
// the reference copy's zoom-independent entry.
template <class Element, class Reference>
struct SlotState {
    std::int16_t index = 0;
    bool existed = false;
    bool visible = false;
    Element element;
    Reference reference;
};

// What a change did to the pattern, as the slots it touched held them
// before it, with the sets' sizes and the display scale of the time.
// Applying it puts those back and gives the patch that undoes that.
struct PatternPatch {
    std::vector<SlotState<LineElement, ReferenceLine>> lines;
    std::vector<SlotState<ShapeElement, ReferenceShape>> shapes;
    std::int16_t lineCount = 1, shapeCount = 1;
    float scale = 1;  // the reference copy's scale when the slots were kept

    bool Empty() const { return lines.empty() && shapes.empty(); }
};

// Keeps, while recording, the first state of every slot a change touches:
// memory grows with what changed, not with the pattern.
class PatternJournal {
public:
    PatternJournal(PatternStore& store, ReferenceCopy& reference);
    ~PatternJournal();
    PatternJournal(const PatternJournal&) = delete;
    PatternJournal& operator=(const PatternJournal&) = delete;

    void StartRecording();
    bool Recording() const { return recording_; }
    // The patch that undoes everything since StartRecording.
    PatternPatch StopRecording();

    // Puts the recorded slots back; at another zoom than the patch's the
    // displayed geometry is computed anew from the reference copy. Returns
    // the patch that undoes it.
    PatternPatch Apply(const PatternPatch& patch);

private:
    template <class Element, class Reference>
    struct SetJournal : SlotWatcher {
        SetJournal(PatternJournal& owner, ElementSet<Element>& set, std::vector<Reference>& reference)
            : owner(owner), set(set), reference(reference) {}
        void BeforeChange(std::int16_t index) override;
        SlotState<Element, Reference> Now(std::int16_t index) const;
        void Restart() { NewRound(); kept.clear(); }

        PatternJournal& owner;
        ElementSet<Element>& set;
        std::vector<Reference>& reference;
        std::vector<SlotState<Element, Reference>> kept;
    };
    template <class Element, class Reference>
    std::vector<SlotState<Element, Reference>> Restore(SetJournal<Element, Reference>& j,
                                                       const std::vector<SlotState<Element, Reference>>& slots,
                                                       std::int16_t count, float patchScale);

    PatternStore& store_;
    ReferenceCopy& reference_;
    SetJournal<LineElement, ReferenceLine> lines_;
    SetJournal<ShapeElement, ReferenceShape> shapes_;
    PatternPatch start_;
    bool recording_ = false;
};

}  // namespace tessary
