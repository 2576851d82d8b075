#include "core/print/SegmentGrid.h"

#include <algorithm>
#include <cmath>

namespace tessary {

namespace {

// About this many steps a cell, for a pattern whose steps are spread over it.
constexpr double kStepsPerCell = 4;
constexpr int kMostCellsAcross = 256;
// A step whose box spans more cells than this is kept aside.
constexpr int kMostCellsOfAStep = 16;

bool Finite(const ChainStep& s) {
    return std::isfinite(s.from.x) && std::isfinite(s.from.y) && std::isfinite(s.to.x) && std::isfinite(s.to.y);
}

}  // namespace

void SegmentGrid::Build(const std::vector<ChainStep>& steps, const PrintRegion& bounds) {
    start_.clear();
    entries_.clear();
    wide_.clear();
    columns_ = rows_ = 0;
    steps_ = static_cast<std::uint32_t>(steps.size());
    if (steps.empty()) return;
    const int across = std::clamp(static_cast<int>(std::sqrt(steps.size() / kStepsPerCell)), 1, kMostCellsAcross);
    columns_ = rows_ = across;
    left_ = bounds.xL;
    top_ = bounds.yT;
    // Never empty cells: a pattern of no size still has a cell.
    cellWidth_ = std::max((bounds.xR - bounds.xL) / across, 1.0f);
    cellHeight_ = std::max((bounds.yB - bounds.yT) / across, 1.0f);

    // Counted first, then filled: every cell's steps in walk order.
    const auto each = [&](auto&& visit) {
        for (std::uint32_t i = 0; i < steps.size(); ++i) {
            const ChainStep& s = steps[i];
            const Span c = Columns(std::min(s.from.x, s.to.x), std::max(s.from.x, s.to.x));
            const Span r = Rows(std::min(s.from.y, s.to.y), std::max(s.from.y, s.to.y));
            const bool wide = !Finite(s) || (c.last - c.first + 1) * (r.last - r.first + 1) > kMostCellsOfAStep;
            for (int y = r.first; y <= r.last && !wide; ++y) {
                for (int x = c.first; x <= c.last; ++x) visit(y * columns_ + x, i);
            }
            if (wide) visit(-1, i);
        }
    };
    start_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    each([&](int cell, std::uint32_t) {
        if (cell >= 0) ++start_[static_cast<std::size_t>(cell) + 1];
    });
    for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
    entries_.resize(start_.back());
    std::vector<std::uint32_t> filled(start_.begin(), start_.end() - 1);
    each([&](int cell, std::uint32_t i) {
        if (cell < 0) {
            wide_.push_back(i);
        } else {
            entries_[filled[static_cast<std::size_t>(cell)]++] = i;
        }
    });
}

// Cells from the grid's corner; what lies beyond the grid (or is no
// number) falls in its edge cells.
SegmentGrid::Span SegmentGrid::Cells(float low, float high, float origin, float size, int count) {
    const auto cell = [&](float at) {
        const float c = std::floor((at - origin) / size);
        return c >= count - 1 ? count - 1 : c >= 0 ? static_cast<int>(c) : 0;
    };
    return {cell(low), cell(high)};
}

SegmentGrid::Span SegmentGrid::Columns(float xL, float xR) const { return Cells(xL, xR, left_, cellWidth_, columns_); }

SegmentGrid::Span SegmentGrid::Rows(float yT, float yB) const { return Cells(yT, yB, top_, cellHeight_, rows_); }

std::vector<std::uint32_t> SegmentGrid::Near(const PrintRegion& area) const {
    if (steps_ == 0) return {};
    // Marked, then read in order: a step in several cells is found once.
    std::vector<std::uint8_t> marked(steps_, 0);
    for (const std::uint32_t i : wide_) marked[i] = 1;
    const Span c = Columns(area.xL, area.xR);
    const Span r = Rows(area.yT, area.yB);
    for (int y = r.first; y <= r.last; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * columns_;
        for (std::uint32_t e = start_[row + c.first]; e < start_[row + c.last + 1]; ++e) marked[entries_[e]] = 1;
    }
    std::vector<std::uint32_t> found;
    for (std::uint32_t i = 0; i < steps_; ++i) {
        if (marked[i]) found.push_back(i);
    }
    return found;
}

}  // namespace tessary
