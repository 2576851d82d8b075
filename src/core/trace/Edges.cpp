// Edges: dark strokes thinned to their centre lines and followed as chains.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <opencv2/imgproc.hpp>
#include <optional>
#include <vector>

#include "core/trace/TraceSteps.h"

namespace tessary::tracing {

namespace {

// The eight neighbours clockwise from above: N, NE, E, SE, S, SW, W, NW.
constexpr std::array<int, 8> kDx{0, 1, 1, 1, 0, -1, -1, -1};
constexpr std::array<int, 8> kDy{-1, -1, 0, 1, 1, 1, 0, -1};

// A mask with a border of background a pixel wide, so that every pixel of
// the picture has all eight neighbours.
class Mask {
public:
    explicit Mask(const cv::Mat& strokes) : w_(strokes.cols + 2), h_(strokes.rows + 2), on_(w_ * h_, 0) {
        for (int y = 0; y < strokes.rows; ++y) {
            const std::uint8_t* row = strokes.ptr<std::uint8_t>(y);
            for (int x = 0; x < strokes.cols; ++x) on_[(y + 1) * w_ + x + 1] = row[x] != 0;
        }
    }
    int Width() const { return w_; }
    int Height() const { return h_; }
    std::size_t Size() const { return on_.size(); }
    bool On(std::size_t i) const { return on_[i] != 0; }
    void Set(std::size_t i, bool v) { on_[i] = v ? 1 : 0; }
    std::size_t Neighbour(std::size_t i, int k) const {
        return static_cast<std::size_t>(static_cast<long>(i) + kDy[k] * w_ + kDx[k]);
    }
    // The eight neighbours as bits, N in bit 0.
    int Ring(std::size_t i) const {
        int bits = 0;
        for (int k = 0; k < 8; ++k) bits |= On(Neighbour(i, k)) ? 1 << k : 0;
        return bits;
    }
    int Count(std::size_t i) const { return __builtin_popcount(static_cast<unsigned>(Ring(i))); }

private:
    int w_, h_;
    std::vector<std::uint8_t> on_;
};

bool Bit(int ring, int k) { return (ring >> (k & 7)) & 1; }

// Background-to-stroke steps going once round the ring.
int Crossings(int ring) {
    int n = 0;
    for (int k = 0; k < 8; ++k) n += !Bit(ring, k) && Bit(ring, k + 1) ? 1 : 0;
    return n;
}

// Zhang and Suen's thinning: strokes peeled from alternate sides until
// each is a line a pixel wide.
void Thin(Mask& mask) {
    std::vector<std::size_t> stroke;
    for (std::size_t i = 0; i < mask.Size(); ++i) {
        if (mask.On(i)) stroke.push_back(i);
    }
    std::vector<std::size_t> peel;
    for (bool changed = true; changed;) {
        changed = false;
        for (int pass = 0; pass < 2; ++pass) {
            peel.clear();
            for (const std::size_t i : stroke) {
                const int r = mask.Ring(i);
                const int count = __builtin_popcount(static_cast<unsigned>(r));
                if (count < 2 || count > 6 || Crossings(r) != 1) continue;
                // N E S W are bits 0 2 4 6.
                const bool a = pass == 0 ? !(Bit(r, 0) && Bit(r, 2) && Bit(r, 4)) : !(Bit(r, 0) && Bit(r, 2) && Bit(r, 6));
                const bool b = pass == 0 ? !(Bit(r, 2) && Bit(r, 4) && Bit(r, 6)) : !(Bit(r, 0) && Bit(r, 4) && Bit(r, 6));
                if (a && b) peel.push_back(i);
            }
            for (const std::size_t i : peel) mask.Set(i, false);
            changed = changed || !peel.empty();
        }
        std::erase_if(stroke, [&](std::size_t i) { return !mask.On(i); });
    }
    // Corners of staircases: a pixel whose neighbours still touch one
    // another without it goes, so a line pixel has exactly two neighbours.
    for (const std::size_t i : stroke) {
        const int r = mask.Ring(i);
        const int count = __builtin_popcount(static_cast<unsigned>(r));
        if (count < 2 || count > 3) continue;
        // Neighbours joined round the ring, and diagonally across a corner
        // (N and E touch).
        int groups = 0;
        for (int k = 0; k < 8; ++k) {
            if (Bit(r, k) && !Bit(r, k + 7)) ++groups;
        }
        for (int k = 0; k < 8; k += 2) {
            if (Bit(r, k) && Bit(r, k + 2) && !Bit(r, k + 1)) --groups;
        }
        if (groups == 1 && Crossings(r) == 2) mask.Set(i, false);
    }
}

TracePoint Centre(const Mask& mask, std::size_t i) {
    // Pixel centres of the picture (the mask has a border around it).
    return {static_cast<double>(i % mask.Width()) - 0.5, static_cast<double>(i / mask.Width()) - 0.5};
}

// The skeleton as chains between its ends and junctions.
std::vector<std::vector<std::size_t>> FollowSkeleton(const Mask& mask) {
    std::vector<std::uint8_t> seen(mask.Size(), 0);
    std::vector<std::vector<std::size_t>> chains;
    const auto node = [&](std::size_t i) { return mask.Count(i) != 2; };
    const auto walk = [&](std::size_t from, std::size_t next) {
        std::vector<std::size_t> chain{from, next};
        std::size_t previous = from, here = next;
        while (!node(here) && here != from) {
            seen[here] = 1;
            std::size_t step = previous;
            for (int k = 0; k < 8; ++k) {
                const std::size_t n = mask.Neighbour(here, k);
                if (mask.On(n) && n != previous) step = n;
            }
            if (step == previous) break;
            previous = here;
            here = step;
            chain.push_back(here);
        }
        return chain;
    };
    for (std::size_t i = 0; i < mask.Size(); ++i) {
        if (!mask.On(i) || !node(i)) continue;
        for (int k = 0; k < 8; ++k) {
            const std::size_t n = mask.Neighbour(i, k);
            if (!mask.On(n) || seen[n]) continue;
            // Two junctions side by side: their step once.
            if (node(n) && n < i) continue;
            chains.push_back(walk(i, n));
        }
    }
    for (std::size_t i = 0; i < mask.Size(); ++i) {
        if (!mask.On(i) || seen[i] || node(i)) continue;
        // A closed line meeting no other.
        for (int k = 0; k < 8; ++k) {
            const std::size_t n = mask.Neighbour(i, k);
            if (mask.On(n)) {
                seen[i] = 1;
                std::vector<std::size_t> loop = walk(i, n);
                if (loop.back() != i) loop.push_back(i);
                chains.push_back(std::move(loop));
                break;
            }
        }
    }
    return chains;
}

double Length(const TraceChain& chain) {
    double sum = 0;
    for (std::size_t i = 1; i < chain.size(); ++i) {
        sum += std::hypot(chain[i].x - chain[i - 1].x, chain[i].y - chain[i - 1].y);
    }
    return sum;
}

using PointKey = std::pair<double, double>;
PointKey KeyOf(const TracePoint& p) { return {p.x, p.y}; }
bool Closed(const TraceChain& c) { return c.front() == c.back(); }

// An end of a chain: which chain, and whether its first point.
using End = std::pair<std::size_t, bool>;

// Chains whose ends are partners made into one, through the partners; a
// run of partners that comes round to where it began is left closed.
std::vector<TraceChain> Link(const std::vector<TraceChain>& chains, const std::map<End, End>& partner) {
    const auto across = [&](End e) -> std::optional<End> {
        const auto it = partner.find(e);
        if (it == partner.end()) return std::nullopt;
        return it->second;
    };
    std::vector<char> used(chains.size(), 0);
    std::vector<TraceChain> out;
    for (std::size_t c = 0; c < chains.size(); ++c) {
        if (used[c]) continue;
        // Back to the first chain of the run: its start end has no partner.
        End start{c, true};
        for (std::size_t steps = 0; steps < chains.size(); ++steps) {
            const auto o = across(start);
            if (!o || o->first == c) break;
            start = {o->first, !o->second};
        }
        TraceChain run;
        for (End at = start;;) {
            TraceChain piece = chains[at.first];
            if (!at.second) std::reverse(piece.begin(), piece.end());
            used[at.first] = 1;
            const bool touching = !run.empty() && run.back() == piece.front();
            run.insert(run.end(), piece.begin() + (touching ? 1 : 0), piece.end());
            const auto o = across({at.first, !at.second});
            if (!o || used[o->first]) {
                // Closed through a bridge: back to the start.
                if (o && o->first == start.first && run.front() != run.back()) run.push_back(run.front());
                break;
            }
            at = *o;
        }
        out.push_back(std::move(run));
    }
    return out;
}

// How many open chains end at each point.
std::map<PointKey, std::vector<End>> EndsAt(const std::vector<TraceChain>& chains) {
    std::map<PointKey, std::vector<End>> ends;
    for (std::size_t c = 0; c < chains.size(); ++c) {
        if (Closed(chains[c])) continue;
        ends[KeyOf(chains[c].front())].push_back({c, true});
        ends[KeyOf(chains[c].back())].push_back({c, false});
    }
    return ends;
}

// Chains that meet end to end where no third one does made into one.
std::vector<TraceChain> JoinPairs(const std::vector<TraceChain>& chains) {
    std::map<End, End> partner;
    for (const auto& [at, list] : EndsAt(chains)) {
        if (list.size() != 2 || list[0].first == list[1].first) continue;
        partner[list[0]] = list[1];
        partner[list[1]] = list[0];
    }
    return Link(chains, partner);
}

// Short branches off a chain (the whiskers thinning leaves at a stroke's
// corners) and short strokes on their own go.
std::vector<TraceChain> DropSpurs(std::vector<TraceChain> chains, double shortest) {
    const auto ends = EndsAt(chains);
    const auto free = [&](const TracePoint& p) { return ends.at(KeyOf(p)).size() == 1; };
    std::erase_if(chains, [&](const TraceChain& c) {
        return !Closed(c) && Length(c) < shortest && (free(c.front()) || free(c.back()));
    });
    return JoinPairs(chains);
}

// Free ends nearer than gap to a free end of another chain joined across
// the gap, the nearest pairs first, each end at most once.
std::vector<TraceChain> BridgeGaps(const std::vector<TraceChain>& chains, double gap) {
    struct Loose {
        End end;
        TracePoint at;
    };
    std::vector<Loose> loose;
    for (const auto& [at, list] : EndsAt(chains)) {
        if (list.size() == 1) loose.push_back({list[0], {at.first, at.second}});
    }
    // Ends in cells a gap wide: a pair is in the same or a neighbouring cell.
    std::map<std::pair<long, long>, std::vector<std::size_t>> cells;
    const auto cell = [gap](const TracePoint& p) {
        return std::pair<long, long>{static_cast<long>(std::floor(p.x / gap)), static_cast<long>(std::floor(p.y / gap))};
    };
    for (std::size_t i = 0; i < loose.size(); ++i) cells[cell(loose[i].at)].push_back(i);
    std::vector<std::pair<double, std::pair<std::size_t, std::size_t>>> pairs;
    for (std::size_t i = 0; i < loose.size(); ++i) {
        const auto [cx, cy] = cell(loose[i].at);
        for (long y = cy - 1; y <= cy + 1; ++y) {
            for (long x = cx - 1; x <= cx + 1; ++x) {
                const auto it = cells.find({x, y});
                if (it == cells.end()) continue;
                for (const std::size_t j : it->second) {
                    if (j <= i || loose[j].end.first == loose[i].end.first) continue;
                    const double d = std::hypot(loose[i].at.x - loose[j].at.x, loose[i].at.y - loose[j].at.y);
                    if (d < gap) pairs.push_back({d, {i, j}});
                }
            }
        }
    }
    std::sort(pairs.begin(), pairs.end());
    std::vector<char> taken(loose.size(), 0);
    std::map<End, End> partner;
    for (const auto& [d, ij] : pairs) {
        const auto [i, j] = ij;
        if (taken[i] || taken[j]) continue;
        taken[i] = taken[j] = 1;
        partner[loose[i].end] = loose[j].end;
        partner[loose[j].end] = loose[i].end;
    }
    return Link(chains, partner);
}

}  // namespace

Found FindStrokes(const cv::Mat& rgb, int detail) {
    cv::Mat grey, strokes;
    cv::cvtColor(rgb, grey, cv::COLOR_RGB2GRAY);
    cv::GaussianBlur(grey, grey, cv::Size(0, 0), 0.8);
    cv::threshold(grey, strokes, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    // Pinholes in a stroke would become loops of its centre line.
    cv::morphologyEx(strokes, strokes, cv::MORPH_CLOSE, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(3, 3)));
    Mask mask(strokes);
    Thin(mask);

    Found found;
    for (const auto& pixels : FollowSkeleton(mask)) {
        TraceChain chain;
        for (const std::size_t i : pixels) chain.push_back(Centre(mask, i));
        found.chains.push_back(std::move(chain));
    }
    // Less detail: longer whiskers go and wider gaps are bridged.
    const double reach = 3 + (100 - std::clamp(detail, 0, 100)) / 10.0;
    found.chains = BridgeGaps(DropSpurs(JoinPairs(found.chains), reach), reach);
    return found;
}

}  // namespace tessary::tracing
