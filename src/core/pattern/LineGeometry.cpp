#include "core/pattern/LineGeometry.h"

#include <algorithm>
#include <utility>

#include "core/pattern/PatternStore.h"

namespace tessary {

void ComputeBox(LineSeg& seg) {
    seg.MinX = std::min(seg.X1, seg.X2);
    seg.MaxX = std::max(seg.X1, seg.X2);
    seg.MinY = std::min(seg.Y1, seg.Y2);
    seg.MaxY = std::max(seg.Y1, seg.Y2);
}

void ComputeLine(LineSeg& seg) {
    if (seg.X2 == seg.X1) {
        seg.Vertical = true;
        seg.Horizontal = false;
        seg.Slope = 0;
        seg.Intercept = 0;
    } else if (seg.Y2 == seg.Y1) {
        seg.Vertical = false;
        seg.Horizontal = true;
        seg.Slope = 0;
        seg.Intercept = seg.Y1;
    } else {
        seg.Vertical = false;
        seg.Horizontal = false;
        seg.Slope = (seg.Y2 - seg.Y1) / (seg.X2 - seg.X1);
        seg.Intercept = seg.Y1 - seg.Slope * seg.X1;
    }
}

LineSeg MakeLineSeg(float x1, float y1, float x2, float y2) {
    LineSeg seg;
    seg.X1 = x1;
    seg.Y1 = y1;
    seg.X2 = x2;
    seg.Y2 = y2;
    ComputeBox(seg);
    ComputeLine(seg);
    return seg;
}

bool Crosses(const LineSeg& a, LineSeg b, CrossingPoint& at) {
    if ((b.Y1 <= a.MinY && b.Y2 <= a.MinY) || (b.Y1 >= a.MaxY && b.Y2 >= a.MaxY) ||
        (b.X1 <= a.MinX && b.X2 <= a.MinX) || (b.X1 >= a.MaxX && b.X2 >= a.MaxX)) {
        return false;
    }
    ComputeBox(b);
    ComputeLine(b);
    float x = 0;
    float y = 0;
    if (b.Horizontal) {
        y = b.Y1;
        x = a.Slope == 0 ? a.X1 : (y - a.Intercept) / a.Slope;
    } else if (b.Vertical) {
        x = b.X1;
        y = a.Slope * x + a.Intercept;
    } else if (a.Horizontal) {
        y = a.Y1;
        x = b.Slope == 0 ? b.X1 : (y - b.Intercept) / b.Slope;
    } else if (a.Vertical) {
        x = a.X1;
        y = b.Slope * x + b.Intercept;
    } else if (b.Slope == a.Slope) {
        x = a.X2;
        y = a.Y2;
    } else {
        x = (a.Intercept - b.Intercept) / (b.Slope - a.Slope);
        y = a.Slope * x + a.Intercept;
    }
    at = {x, y};
    return b.MinY <= y && y <= b.MaxY && b.MinX <= x && x <= b.MaxX && a.MinY <= y && y <= a.MaxY && a.MinX <= x &&
           x <= a.MaxX;
}

namespace {

// Only the ends: Crosses derives the rest once the quick rejection has passed.
LineSeg EndsOf(const LineElement& e) {
    LineSeg seg;
    seg.X1 = e.X1;
    seg.Y1 = e.Y1;
    seg.X2 = e.X2;
    seg.Y2 = e.Y2;
    return seg;
}

}  // namespace

void LineGeometry::SetProbe(float x1, float y1, float x2, float y2) { probe_ = MakeLineSeg(x1, y1, x2, y2); }

bool LineGeometry::FirstCrossedLine(const PatternStore& store, std::int16_t& index) {
    const ElementSet<LineElement>& lines = store.OutLine;
    const std::int16_t count = lines.Count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (!lines.Visible(i)) continue;
        CrossingPoint at;
        if (Crosses(probe_, EndsOf(lines[i]), at)) {
            lastCrossing_ = at;
            index = i;
            return true;
        }
    }
    return false;
}

bool LineGeometry::LineCrossesProbe(const PatternStore& store, std::int16_t index) const {
    if (!store.OutLine.Visible(index)) return false;
    CrossingPoint at;
    return Crosses(probe_, EndsOf(store.OutLine[index]), at);
}

void SwapLineEnds(PatternStore& store, std::int16_t index) {
    LineElement& e = store.OutLine.Edit(index);
    std::swap(e.X1, e.X2);
    std::swap(e.Y1, e.Y2);
}

}  // namespace tessary
