#pragma once

#include <cstdint>
#include <bit>
#include <vector>

namespace tessary {

// Copy pen and invert: the raster modes drawn objects use.
inline constexpr std::int16_t kDrawModeCopyPen = 13;
inline constexpr std::int16_t kDrawModeInvert = 6;

// The largest number of elements a set may hold: indices and the counts of a
// pattern file are 16-bit signed.
inline constexpr int kMaxElements = 32767;

struct Appearance {
    std::uint32_t BorderColor = 0;  // colour value, red in the low byte
    std::int16_t BorderWidth = 1;   // screen pixels
    std::int16_t DrawMode = kDrawModeCopyPen;
    std::uint32_t Stack = 0;  // stacking order: higher is drawn above
};

struct LineElement {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Appearance look;
};

// A shape's kind, as pattern files number them.
enum ShapeKind : std::int16_t {
    ShapeRectangle = 0,
    ShapeSquare = 1,
    ShapeOval = 2,
    ShapeCircle = 3,
    ShapeRoundedRectangle = 4,
    ShapeRoundedSquare = 5,
    ShapeLastKind = ShapeRoundedSquare,
};

struct ShapeElement {
    std::int16_t Shape = ShapeRectangle;  // a ShapeKind
    float Left = 0, Top = 0, Width = 0, Height = 0;
    Appearance look;
};

// Told before a slot of a set changes in any way (created, edited, shown,
// hidden or destroyed), while the slot still holds what it held: once a
// round for each slot it marks as told, so that a slot changed again and
// again within a round costs one comparison.
class SlotWatcher {
public:
    void Changing(std::int16_t index) {
        const auto k = static_cast<std::size_t>(index);
        if (k < told_.size() && told_[k] == round_) return;
        BeforeChange(index);
    }

protected:
    ~SlotWatcher() = default;
    virtual void BeforeChange(std::int16_t index) = 0;
    void Told(std::int16_t index) {
        const auto k = static_cast<std::size_t>(index);
        if (told_.size() <= k) told_.resize(k + 1, 0);
        told_[k] = round_;
    }
    // Every slot is news again.
    void NewRound() { ++round_; }

private:
    std::vector<std::uint32_t> told_;
    std::uint32_t round_ = 1;
};

// An indexed set of retained drawing objects. Elements occupy 0 .. Count-1;
// a hidden element is a free slot. Visibility is kept beside the elements so
// that the lowest free slot is found without walking the set.
template <class Element>
class ElementSet {
public:
    ElementSet() : elements_(1), visible_(1, false) { MarkHidden(0, true); }

    std::int16_t Count() const { return static_cast<std::int16_t>(elements_.size()); }
    const Element& operator[](std::int16_t i) const { return elements_.at(i); }
    // Geometry and appearance; visibility only through SetVisible.
    Element& Edit(std::int16_t i) {
        Changing(i);
        return elements_.at(i);
    }

    bool Visible(std::int16_t i) const { return visible_.at(i); }
    void SetVisible(std::int16_t i, bool on) {
        if (visible_.at(i) == on) return;
        Changing(i);
        visible_[i] = on;
        if (on) {
            MarkHidden(i, false);
        } else {
            MarkHidden(i, true);
        }
    }
    int VisibleCount() const { return Count() - hiddenCount_; }

    // The lowest hidden index, or -1 when every element is visible.
    std::int16_t FirstHidden() const {
        for (std::size_t s = 0; s < hiddenWords_.size(); ++s) {
            if (hiddenWords_[s] == 0) continue;
            const std::size_t w = s * 64 + static_cast<std::size_t>(std::countr_zero(hiddenWords_[s]));
            return static_cast<std::int16_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(hiddenBits_[w])));
        }
        return -1;
    }

    // Appends a hidden element with element 0's appearance; -1 when full.
    std::int16_t Create() {
        if (elements_.size() >= static_cast<std::size_t>(kMaxElements)) return -1;
        if (watcher_) watcher_->Changing(Count());
        Element e;
        e.look = elements_[0].look;
        elements_.push_back(e);
        visible_.push_back(false);
        const auto i = static_cast<std::int16_t>(elements_.size() - 1);
        Touch(i);
        MarkHidden(i, true);
        return i;
    }

    // Destroys the last element (never element 0).
    void DestroyLast() {
        if (elements_.size() < 2) return;
        Changing(Count() - 1);
        MarkHidden(Count() - 1, false);
        elements_.pop_back();
        visible_.pop_back();
    }

    // The elements edited, shown, hidden, created or destroyed since the
    // last call, so a window repaints only where something changed. When
    // more than the set's size were touched, everything counts as touched.
    struct Touched {
        bool all = false;
        std::vector<std::int16_t> indices;
    };
    Touched TakeTouched() {
        Touched t{allTouched_, std::move(touched_)};
        touched_.clear();
        allTouched_ = false;
        return t;
    }

    // At most one watcher; null for none.
    void Watch(SlotWatcher* watcher) { watcher_ = watcher; }

private:
    void Changing(std::int16_t i) {
        if (watcher_) watcher_->Changing(i);
        Touch(i);
    }
    // Hidden slots as bits, and a bit for each word of them that has one, so
    // the lowest is found in a few steps and nothing is allocated per change.
    void MarkHidden(std::int16_t i, bool hidden) {
        const auto k = static_cast<std::size_t>(i);
        const std::size_t w = k / 64;
        if (hiddenBits_.size() <= w) hiddenBits_.resize(w + 1, 0);
        if (hiddenWords_.size() <= w / 64) hiddenWords_.resize(w / 64 + 1, 0);
        const std::uint64_t bit = std::uint64_t{1} << (k % 64);
        if (((hiddenBits_[w] & bit) != 0) == hidden) return;
        hiddenBits_[w] ^= bit;
        hiddenCount_ += hidden ? 1 : -1;
        const std::uint64_t word = std::uint64_t{1} << (w % 64);
        if (hiddenBits_[w] != 0) {
            hiddenWords_[w / 64] |= word;
        } else {
            hiddenWords_[w / 64] &= ~word;
        }
    }
    void Touch(std::int16_t i) {
        if (allTouched_) return;
        if (touched_.size() >= elements_.size()) {
            allTouched_ = true;
            touched_.clear();
            return;
        }
        touched_.push_back(i);
    }

    std::vector<Element> elements_;
    std::vector<bool> visible_;
    std::vector<std::uint64_t> hiddenBits_, hiddenWords_;
    int hiddenCount_ = 0;
    std::vector<std::int16_t> touched_;
    bool allTouched_ = false;
    SlotWatcher* watcher_ = nullptr;
};

}  // namespace tessary
