#pragma once

#include <cstdint>
#include <vector>

#include "core/pattern/LineEnds.h"
#include "core/print/PageLayout.h"

namespace tessary {

// The steps of a print's walk found by the part of the pattern they reach,
// so that a page or a glue margin looks at its own few lines rather than at
// every one: a grid of cells over the steps' bounding boxes, built once per
// print. A step that would fill many cells, or whose ends are no numbers,
// is kept aside and always found.
class SegmentGrid {
public:
    // The cells cover bounds; steps beyond it fall in the edge cells.
    void Build(const std::vector<ChainStep>& steps, const PrintRegion& bounds);
    // The indices, ascending, of every step whose bounding box meets the
    // area (edges inclusive), and perhaps a few near it.
    std::vector<std::uint32_t> Near(const PrintRegion& area) const;

private:
    struct Span {
        int first, last;
    };
    static Span Cells(float low, float high, float origin, float size, int count);
    Span Columns(float xL, float xR) const;
    Span Rows(float yT, float yB) const;

    float left_ = 0, top_ = 0;
    float cellWidth_ = 1, cellHeight_ = 1;
    int columns_ = 0, rows_ = 0;
    std::uint32_t steps_ = 0;
    // Cell c's steps are entries_[start_[c] .. start_[c + 1]).
    std::vector<std::uint32_t> start_;
    std::vector<std::uint32_t> entries_;
    std::vector<std::uint32_t> wide_;
};

}  // namespace tessary
