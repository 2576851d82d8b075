#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/platform/RgbImage.h"

namespace tessary {

// Automatic tracing: a picture made into chains of straight segments.
//
// Regions: the picture reduced to a few colours, specks merged into their
// neighbours, and the borders between the pieces traced once each. Every
// chain ends where three or more pieces meet (the picture's edge counts as
// a piece), at a point other chains end on exactly, so joining the chains
// end to end leaves no free end and every piece is closed; the outline of
// the traced area is part of the result.
//
// Edges: dark strokes made into chains along their centre lines, small gaps
// bridged and short spurs dropped.
//
// All coordinates are picture pixels: (0, 0) is the top left corner of the
// top left pixel, (width, height) the bottom right corner of the picture.

enum class TraceMode { Regions, Edges };

// A part of the picture, in whole pixels.
struct TraceArea {
    int left = 0, top = 0, width = 0, height = 0;
};

inline constexpr int kTraceMinColours = 2;
inline constexpr int kTraceMaxColours = 64;

struct TraceSettings {
    TraceMode mode = TraceMode::Regions;
    int colours = 16;               // Regions: kTraceMinColours to kTraceMaxColours
    double minPieceArea = 64;       // Regions: smaller pieces merge away, picture pixels²
    int detail = 50;                // 0 (coarse, smooth) to 100 (every pixel counts)
    double segmentLength = 8;       // the length segments are cut to, picture pixels
    std::size_t maxSegments = 32767;  // simplified further until the result fits
    std::optional<TraceArea> area;  // the whole picture when empty
};

struct TracePoint {
    double x = 0, y = 0;
    bool operator==(const TracePoint&) const = default;
};

// Consecutive points joined by straight segments; a closed chain repeats
// its first point at its end.
using TraceChain = std::vector<TracePoint>;

struct TraceResult {
    std::vector<TraceChain> chains;
    int pieces = 0;  // Regions: the pieces the borders enclose; Edges: 0

    std::size_t Segments() const;
};

// The full trace. Large pictures are worked at a reduced resolution chosen
// by the detail (at most TraceWorkingPixels(detail) pixels of the area);
// the result is in the picture's own pixels all the same. An empty
// picture or area gives an empty result.
TraceResult Trace(const RgbImage& picture, const TraceSettings& settings);

// A quick trace for a live preview: the area reduced to at most
// kTracePreviewPixels pixels first, the result still in picture pixels.
inline constexpr double kTracePreviewPixels = 400'000;
TraceResult TracePreview(const RgbImage& picture, const TraceSettings& settings);

// How many pixels the full trace works on at most, for a detail.
double TraceWorkingPixels(int detail);

}  // namespace tessary
