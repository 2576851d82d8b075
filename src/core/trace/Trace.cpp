#include "core/trace/Trace.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "core/trace/TraceSteps.h"

namespace tessary {

namespace {

using tracing::Found;
using tracing::Simplification;

// Each failed fit loosens the simplification by this much.
constexpr double kLoosen = 1.5;

std::size_t CountSegments(const std::vector<TraceChain>& chains) {
    std::size_t n = 0;
    for (const TraceChain& c : chains) n += c.size() > 1 ? c.size() - 1 : 0;
    return n;
}

// The chains simplified, loosened until they fit in maxSegments; empty when
// even the loosest simplification is too much.
std::vector<TraceChain> Fit(const Found& found, Simplification how, std::size_t maxSegments, double diagonal) {
    for (;;) {
        std::vector<TraceChain> chains = tracing::Simplify(found.chains, how);
        if (CountSegments(chains) <= maxSegments) return chains;
        // Past the size of the area nothing more can be left out.
        if (how.tolerance > diagonal && how.segmentLength > diagonal) return {};
        how.tolerance *= kLoosen;
        how.segmentLength *= kLoosen;
        how.smoothing += 1;
    }
}

TraceResult Run(const RgbImage& picture, const TraceSettings& settings, double maxPixels) {
    // A piece needs four sides at the least, a stroke one.
    if (picture.Empty() || settings.maxSegments < (settings.mode == TraceMode::Regions ? 4u : 1u)) return {};
    TraceArea area = settings.area.value_or(TraceArea{0, 0, picture.width, picture.height});
    const int right = std::min(area.left + area.width, picture.width);
    const int bottom = std::min(area.top + area.height, picture.height);
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.width = right - area.left;
    area.height = bottom - area.top;
    if (area.width <= 0 || area.height <= 0) return {};

    // OpenCV only reads the picture through this header.
    const cv::Mat whole(picture.height, picture.width, CV_8UC3, const_cast<std::uint8_t*>(picture.rgb.data()));
    const cv::Mat part = whole(cv::Rect(area.left, area.top, area.width, area.height));
    const double pixels = static_cast<double>(area.width) * area.height;
    cv::Mat work = part;
    if (pixels > maxPixels) {
        const double f = std::sqrt(maxPixels / pixels);
        const cv::Size size(std::max(1, static_cast<int>(std::lround(area.width * f))),
                            std::max(1, static_cast<int>(std::lround(area.height * f))));
        cv::resize(part, work, size, 0, 0, cv::INTER_AREA);
    }
    // Working pixels to picture pixels, exactly from edge to edge.
    const double sx = static_cast<double>(area.width) / work.cols;
    const double sy = static_cast<double>(area.height) / work.rows;

    const int detail = std::clamp(settings.detail, 0, 100);
    Simplification how = tracing::SimplificationFor(detail, std::max(settings.segmentLength, 1.0) * 2 / (sx + sy));
    const double diagonal = std::hypot(work.cols, work.rows);
    TraceResult result;
    if (settings.mode == TraceMode::Regions) {
        const int colours = std::clamp(settings.colours, kTraceMinColours, kTraceMaxColours);
        double minArea = std::max(settings.minPieceArea, 0.0) / (sx * sy);
        // Too many pieces for the segments allowed: fewer, larger pieces.
        for (;;) {
            const Found found = tracing::FindRegionBorders(work, colours, minArea, detail);
            result.chains = Fit(found, how, settings.maxSegments, diagonal);
            result.pieces = found.pieces;
            if (!result.chains.empty() || found.pieces <= 1) break;
            minArea = std::max(minArea * 4, 16.0);
        }
        if (result.chains.empty()) result.pieces = 0;
    } else {
        Found found = tracing::FindStrokes(work, detail);
        // What does not fit even at the loosest goes, the shortest first.
        std::stable_sort(found.chains.begin(), found.chains.end(),
                         [](const TraceChain& a, const TraceChain& b) { return a.size() > b.size(); });
        while (!found.chains.empty()) {
            result.chains = Fit(found, how, settings.maxSegments, diagonal);
            if (!result.chains.empty()) break;
            found.chains.resize(found.chains.size() / 2);
        }
    }
    for (TraceChain& chain : result.chains) {
        for (TracePoint& p : chain) p = {area.left + p.x * sx, area.top + p.y * sy};
    }
    return result;
}

}  // namespace

std::size_t TraceResult::Segments() const { return CountSegments(chains); }

double TraceWorkingPixels(int detail) {
    // One megapixel at the coarsest, doubling every 20 steps of detail (5.7
    // at the default), up to 12: a whole 24-megapixel photo would take more
    // than two seconds, and half its width still shows pieces a millimetre
    // wide on a print a metre wide.
    return std::min(1e6 * std::exp2(std::clamp(detail, 0, 100) / 20.0), 12e6);
}

TraceResult Trace(const RgbImage& picture, const TraceSettings& settings) {
    return Run(picture, settings, TraceWorkingPixels(settings.detail));
}

TraceResult TracePreview(const RgbImage& picture, const TraceSettings& settings) {
    return Run(picture, settings, std::min(kTracePreviewPixels, TraceWorkingPixels(settings.detail)));
}

}  // namespace tessary
