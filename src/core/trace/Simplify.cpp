// Smoothing and simplifying traced chains with their ends fixed.

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "core/trace/TraceSteps.h"

namespace tessary::tracing {

namespace {

double Distance(const TracePoint& a, const TracePoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// From p to the segment a-b (to the point a where the two are one).
double SegmentDistance(const TracePoint& p, const TracePoint& a, const TracePoint& b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double length2 = vx * vx + vy * vy;
    if (length2 == 0) return Distance(p, a);
    const double t = std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / length2, 0.0, 1.0);
    return Distance(p, {a.x + t * vx, a.y + t * vy});
}

// A moving average that narrows towards the ends, which stay.
TraceChain Smooth(const TraceChain& chain, int halfWidth) {
    TraceChain out = chain;
    const int n = static_cast<int>(chain.size());
    for (int i = 1; i + 1 < n; ++i) {
        const int k = std::min({halfWidth, i, n - 1 - i});
        if (k == 0) continue;
        TracePoint sum;
        for (int j = i - k; j <= i + k; ++j) sum = {sum.x + chain[j].x, sum.y + chain[j].y};
        out[i] = {sum.x / (2 * k + 1), sum.y / (2 * k + 1)};
    }
    return out;
}

// The point of chain between kept points a and b farthest from their segment.
std::pair<std::size_t, double> Farthest(const TraceChain& chain, std::size_t a, std::size_t b) {
    std::size_t at = a;
    double most = -1;
    for (std::size_t i = a + 1; i < b; ++i) {
        const double d = SegmentDistance(chain[i], chain[a], chain[b]);
        if (d > most) most = d, at = i;
    }
    return {at, most};
}

// Douglas-Peucker: which points stay so that no point strays further than
// tolerance from the kept polyline.
std::vector<char> KeepPoints(const TraceChain& chain, double tolerance) {
    std::vector<char> keep(chain.size(), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, chain.size() - 1}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        const auto [m, d] = Farthest(chain, a, b);
        if (d > tolerance) {
            keep[m] = 1;
            spans.push_back({a, m});
            spans.push_back({m, b});
        }
    }
    return keep;
}

// One more point kept: the one farthest from the kept polyline.
bool KeepOneMore(const TraceChain& chain, std::vector<char>& keep) {
    std::size_t best = 0;
    double most = 0;
    std::size_t a = 0;
    for (std::size_t b = 1; b < chain.size(); ++b) {
        if (!keep[b]) continue;
        const auto [m, d] = Farthest(chain, a, b);
        if (m != a && d > most) most = d, best = m;
        a = b;
    }
    if (best == 0) return false;
    keep[best] = 1;
    return true;
}

TraceChain Kept(const TraceChain& chain, const std::vector<char>& keep) {
    TraceChain out;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        if (!keep[i]) continue;
        // No segment of no length: of two equal points the later stays,
        // unless the earlier is the chain's fixed first end.
        if (!out.empty() && out.back() == chain[i]) {
            if (out.size() == 1) continue;
            out.pop_back();
        }
        out.push_back(chain[i]);
    }
    return out;
}

// Segments longer than length cut into equal parts.
TraceChain Cut(const TraceChain& chain, double length) {
    TraceChain out{chain.front()};
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const TracePoint& a = chain[i - 1];
        const TracePoint& b = chain[i];
        const int parts = std::max(1, static_cast<int>(std::ceil(Distance(a, b) / length - 1e-9)));
        for (int k = 1; k < parts; ++k) {
            const double t = static_cast<double>(k) / parts;
            out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        }
        out.push_back(b);
    }
    return out;
}

using SegmentKey = std::pair<std::pair<double, double>, std::pair<double, double>>;
SegmentKey Key(const TracePoint& a, const TracePoint& b) {
    std::pair<double, double> p{a.x, a.y}, q{b.x, b.y};
    if (q < p) std::swap(p, q);
    return {p, q};
}

}  // namespace

Simplification SimplificationFor(int detail, double segmentLength) {
    const double coarse = (100 - std::clamp(detail, 0, 100)) / 100.0;
    return {0.3 + coarse * 1.2, static_cast<int>(coarse * 3), segmentLength};
}

std::vector<TraceChain> Simplify(const std::vector<TraceChain>& chains, const Simplification& how) {
    std::vector<TraceChain> out;
    out.reserve(chains.size());
    // Chains reduced to one straight segment: two between the same points
    // would be one line drawn twice.
    std::set<SegmentKey> straight;
    for (const TraceChain& found : chains) {
        if (found.size() < 2) continue;
        const TraceChain chain = Smooth(found, how.smoothing);
        const bool closed = chain.front() == chain.back();
        std::vector<char> keep = KeepPoints(chain, how.tolerance);
        TraceChain kept = Kept(chain, keep);
        // A closed chain needs three segments to enclose anything.
        while (closed && kept.size() < 4 && KeepOneMore(chain, keep)) kept = Kept(chain, keep);
        if (closed && kept.size() < 4) continue;
        if (kept.size() == 2 && !straight.insert(Key(kept.front(), kept.back())).second) {
            if (!KeepOneMore(chain, keep)) continue;
            kept = Kept(chain, keep);
        }
        if (kept.size() < 2) continue;
        out.push_back(Cut(kept, how.segmentLength));
    }
    return out;
}

}  // namespace tessary::tracing
