#pragma once

// The stages of a trace, inside the tracer only: they work on OpenCV images
// at the working resolution, in working pixels.

#include <opencv2/core.hpp>
#include <vector>

#include "core/trace/Trace.h"

namespace tessary::tracing {

// Chains as found, one point a pixel step, before smoothing. A chain whose
// last point equals its first is closed.
struct Found {
    std::vector<TraceChain> chains;
    int pieces = 0;
};

// Regions of an 8-bit, three-channel image: chains on the lattice of pixel
// corners, between points where three or more pieces meet.
Found FindRegionBorders(const cv::Mat& rgb, int colours, double minPieceArea, int detail);

// Centre lines of dark strokes: chains through pixel centres.
Found FindStrokes(const cv::Mat& rgb, int detail);

// How the chains are smoothed and simplified: the largest distance a
// simplified chain may stray from the smoothed one, the smoothing's
// half width in points, and the longest segment.
struct Simplification {
    double tolerance = 1;
    int smoothing = 2;
    double segmentLength = 8;
};
Simplification SimplificationFor(int detail, double segmentLength);

// The chains smoothed and simplified with their ends kept where they are,
// so chains that met at an end still meet there exactly; a closed chain
// keeps at least three segments and no two chains share a segment.
std::vector<TraceChain> Simplify(const std::vector<TraceChain>& chains, const Simplification& how);

}  // namespace tessary::tracing
