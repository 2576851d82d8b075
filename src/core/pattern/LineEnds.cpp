#include "core/pattern/LineEnds.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace tessary {

EndPoint EndPosition(const ElementSet<LineElement>& lines, LineEnd end) {
    const LineElement& e = lines[end.line];
    return end.first ? EndPoint{e.X1, e.Y1} : EndPoint{e.X2, e.Y2};
}

void SetEndPosition(ElementSet<LineElement>& lines, LineEnd end, float x, float y) {
    LineElement& e = lines.Edit(end.line);
    if (end.first) {
        e.X1 = x;
        e.Y1 = y;
    } else {
        e.X2 = x;
        e.Y2 = y;
    }
}

namespace {

constexpr std::int16_t kEmpty = -1;
constexpr int kStepLines = 512;
constexpr std::int16_t kSeveralLines = -2;

// Which lines have an end at a point, keyed by the exact coordinates: an
// open-addressing table sized once, so a full pattern costs two linear
// passes instead of a search of every other line for every end.
class EndTable {
public:
    explicit EndTable(std::size_t ends) {
        std::size_t size = 16;
        while (size < 2 * ends) size *= 2;
        slots_.resize(size);
        mask_ = size - 1;
    }

    void Add(float x, float y, LineEnd end) {
        if (!Comparable(x, y)) return;
        Slot& s = Find(Key(x, y));
        if (s.line == kEmpty) {
            s.line = end.line;
        } else if (s.line != end.line) {
            s.line = kSeveralLines;
        }
        if (s.count < 2) s.ends[s.count] = end;
        ++s.count;
    }

    // The one other end at the point of end, when exactly two meet there.
    std::optional<LineEnd> Partner(float x, float y, LineEnd end) {
        if (!Comparable(x, y)) return std::nullopt;
        const Slot& s = Find(Key(x, y));
        if (s.count != 2) return std::nullopt;
        return s.ends[0] == end ? s.ends[1] : s.ends[0];
    }

    // True when no line but this one has an end at (x, y).
    bool OnlyLine(float x, float y, std::int16_t line) {
        return !Comparable(x, y) || Find(Key(x, y)).line == line;
    }

private:
    struct Slot {
        std::uint64_t key = 0;
        std::int16_t line = kEmpty;
        int count = 0;  // ends at the point
        LineEnd ends[2];
    };

    // NaN equals nothing, not even itself.
    static bool Comparable(float x, float y) { return !std::isnan(x) && !std::isnan(y); }

    // Equal coordinates give equal keys: -0 and +0 are the same point.
    static std::uint64_t Key(float x, float y) {
        if (x == 0) x = 0;
        if (y == 0) y = 0;
        return (static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(x)) << 32) | std::bit_cast<std::uint32_t>(y);
    }

    Slot& Find(std::uint64_t key) {
        std::uint64_t h = key;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.line == kEmpty) {
                s.key = key;
                return s;
            }
            if (s.key == key) return s;
        }
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

// Runs visit on every visible line, stepping a block of lines at a time;
// false when a step abandoned.
template <class Visit>
bool EachVisibleLine(const ElementSet<LineElement>& lines, const EndSearchStep& step, Visit visit) {
    const int n = lines.Count();
    for (int from = 0; from < n; from += kStepLines) {
        const int to = std::min(n, from + kStepLines);
        for (int i = from; i < to; ++i) {
            const auto line = static_cast<std::int16_t>(i);
            if (lines.Visible(line)) visit(line, lines[line]);
        }
        if (!step(to - from)) return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<LineEnd>> FindFreeEnds(const ElementSet<LineElement>& lines, const EndSearchStep& step) {
    EndTable table(2 * static_cast<std::size_t>(lines.VisibleCount()));
    const bool counted = EachVisibleLine(lines, step, [&table](std::int16_t i, const LineElement& e) {
        table.Add(e.X1, e.Y1, {i, true});
        table.Add(e.X2, e.Y2, {i, false});
    });
    if (!counted) return std::nullopt;
    std::vector<LineEnd> free;
    const bool found = EachVisibleLine(lines, step, [&](std::int16_t i, const LineElement& e) {
        if (table.OnlyLine(e.X1, e.Y1, i)) free.push_back({i, true});
        if (table.OnlyLine(e.X2, e.Y2, i)) free.push_back({i, false});
    });
    if (!found) return std::nullopt;
    return free;
}

namespace {

EndTable VisibleEnds(const ElementSet<LineElement>& lines) {
    EndTable table(2 * static_cast<std::size_t>(lines.VisibleCount()));
    EachVisibleLine(lines, [](int) { return true; }, [&table](std::int16_t i, const LineElement& e) {
        table.Add(e.X1, e.Y1, {i, true});
        table.Add(e.X2, e.Y2, {i, false});
    });
    return table;
}

// The chain through start, none of whose lines is taken yet; takes them.
std::vector<std::int16_t> ChainThrough(const ElementSet<LineElement>& lines, EndTable& table, std::vector<bool>& taken,
                                       std::int16_t start) {
    taken[static_cast<std::size_t>(start)] = true;
    // From one end of start outward, line after line.
    const auto walk = [&](LineEnd at) {
        std::vector<std::int16_t> found;
        for (;;) {
            const EndPoint p = EndPosition(lines, at);
            const std::optional<LineEnd> next = table.Partner(p.x, p.y, at);
            if (!next || taken[static_cast<std::size_t>(next->line)]) return found;
            taken[static_cast<std::size_t>(next->line)] = true;
            found.push_back(next->line);
            at = {next->line, !next->first};
        }
    };
    std::vector<std::int16_t> chain = walk({start, true});
    std::reverse(chain.begin(), chain.end());
    chain.push_back(start);
    const std::vector<std::int16_t> after = walk({start, false});
    chain.insert(chain.end(), after.begin(), after.end());
    return chain;
}

}  // namespace

std::vector<std::int16_t> FindChain(const ElementSet<LineElement>& lines, std::int16_t start) {
    if (start < 0 || start >= lines.Count() || !lines.Visible(start)) return {};
    EndTable table = VisibleEnds(lines);
    std::vector<bool> taken(static_cast<std::size_t>(lines.Count()), false);
    return ChainThrough(lines, table, taken, start);
}

std::vector<std::vector<std::int16_t>> FindChains(const ElementSet<LineElement>& lines) {
    EndTable table = VisibleEnds(lines);
    std::vector<bool> taken(static_cast<std::size_t>(lines.Count()), false);
    std::vector<std::vector<std::int16_t>> chains;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (lines.Visible(i) && !taken[static_cast<std::size_t>(i)]) chains.push_back(ChainThrough(lines, table, taken, i));
    }
    return chains;
}

std::vector<ChainStep> WalkChain(const ElementSet<LineElement>& lines, const std::vector<std::int16_t>& chain) {
    std::vector<ChainStep> steps;
    steps.reserve(chain.size());
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const LineElement& e = lines[chain[i]];
        ChainStep step{{e.X1, e.Y1}, {e.X2, e.Y2}};
        if (i == 0 && chain.size() > 1) {
            const LineElement& next = lines[chain[1]];
            if (!(step.to == EndPoint{next.X1, next.Y1}) && !(step.to == EndPoint{next.X2, next.Y2})) {
                std::swap(step.from, step.to);
            }
        } else if (i > 0 && step.to == steps.back().to) {
            std::swap(step.from, step.to);
        }
        steps.push_back(step);
    }
    return steps;
}

std::optional<LineEnd> FindClosestEnd(const ElementSet<LineElement>& lines, float x, float y, std::int16_t ownLine,
                                      const EndSearchStep& step) {
    // In double, distances that differ in single coordinates stay apart, so
    // only ends truly equally far tie.
    const auto squared = [x, y](float ex, float ey) {
        const double dx = static_cast<double>(x) - ex;
        const double dy = static_cast<double>(y) - ey;
        return dx * dx + dy * dy;
    };
    double best = std::numeric_limits<double>::infinity();
    std::optional<LineEnd> found;
    EachVisibleLine(lines, step, [&](std::int16_t i, const LineElement& e) {
        if (i == ownLine) return;
        const double d1 = squared(e.X1, e.Y1);
        if (d1 <= best) {
            best = d1;
            found = LineEnd{i, true};
        }
        const double d2 = squared(e.X2, e.Y2);
        if (d2 <= best) {
            best = d2;
            found = LineEnd{i, false};
        }
    });
    return found;
}

}  // namespace tessary
