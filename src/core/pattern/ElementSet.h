#pragma once

#include <cstdint>
#include <set>
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
// hidden or destroyed), while the slot still holds what it held.
class SlotWatcher {
public:
    virtual void BeforeChange(std::int16_t index) = 0;

protected:
    ~SlotWatcher() = default;
};

// An indexed set of retained drawing objects. Elements occupy 0 .. Count-1;
// a hidden element is a free slot. Visibility is kept beside the elements so
// that the lowest free slot is found without walking the set.
template <class Element>
class ElementSet {
public:
    ElementSet() : elements_(1), visible_(1, false) { hidden_.insert(0); }

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
            hidden_.erase(i);
        } else {
            hidden_.insert(i);
        }
    }
    int VisibleCount() const { return Count() - static_cast<int>(hidden_.size()); }

    // The lowest hidden index, or -1 when every element is visible.
    std::int16_t FirstHidden() const { return hidden_.empty() ? std::int16_t{-1} : *hidden_.begin(); }

    // Appends a hidden element with element 0's appearance; -1 when full.
    std::int16_t Create() {
        if (elements_.size() >= static_cast<std::size_t>(kMaxElements)) return -1;
        if (watcher_) watcher_->BeforeChange(Count());
        Element e;
        e.look = elements_[0].look;
        elements_.push_back(e);
        visible_.push_back(false);
        const auto i = static_cast<std::int16_t>(elements_.size() - 1);
        Touch(i);
        hidden_.insert(i);
        return i;
    }

    // Destroys the last element (never element 0).
    void DestroyLast() {
        if (elements_.size() < 2) return;
        Changing(Count() - 1);
        hidden_.erase(Count() - 1);
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
        if (watcher_) watcher_->BeforeChange(i);
        Touch(i);
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
    std::set<std::int16_t> hidden_;
    std::vector<std::int16_t> touched_;
    bool allTouched_ = false;
    SlotWatcher* watcher_ = nullptr;
};

}  // namespace tessary
