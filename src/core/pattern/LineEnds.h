#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/pattern/ElementSet.h"

namespace tessary {

// One end of a pattern line: its first end (X1, Y1) or its second (X2, Y2).
struct LineEnd {
    std::int16_t line = 0;
    bool first = true;
    bool operator==(const LineEnd&) const = default;
};

struct EndPoint {
    float x = 0, y = 0;
    bool operator==(const EndPoint&) const = default;
};

EndPoint EndPosition(const ElementSet<LineElement>& lines, LineEnd end);
void SetEndPosition(ElementSet<LineElement>& lines, LineEnd end, float x, float y);

// Told how many more lines a pass has gone through, a block at a time so
// that a progress window costs nothing beside the search; false abandons.
using EndSearchStep = std::function<bool(int lines)>;

// Every end of a visible line that no end of another visible line equals
// exactly, in line order, first end before second: where an outline is
// open. Two passes over the lines; empty when a step abandons.
std::optional<std::vector<LineEnd>> FindFreeEnds(const ElementSet<LineElement>& lines, const EndSearchStep& step);

// The lines joined end to end with start through points where exactly two
// line ends meet, in order along the chain from one end or the other (start
// at its place); each line once, so a closed
// outline stops where it began. Empty when start is not a visible line.
std::vector<std::int16_t> FindChain(const ElementSet<LineElement>& lines, std::int16_t start);
// Every visible line in exactly one chain, the chains in the order of their
// lowest line; one pass over the ends for the whole pattern.
std::vector<std::vector<std::int16_t>> FindChains(const ElementSet<LineElement>& lines);

// A chain's lines as it is walked: each from the end it shares with the
// line before (the first towards the second), so one line's far end is the
// next one's near end wherever they meet.
struct ChainStep {
    EndPoint from, to;
};
std::vector<ChainStep> WalkChain(const ElementSet<LineElement>& lines, const std::vector<std::int16_t>& chain);

// The end of a visible line other than ownLine nearest to (x, y); of equal
// ones the later (higher line, or the second end of the same line); nothing
// when no other line is visible. Its steps cannot abandon.
std::optional<LineEnd> FindClosestEnd(const ElementSet<LineElement>& lines, float x, float y, std::int16_t ownLine,
                                      const EndSearchStep& step);

}  // namespace tessary
