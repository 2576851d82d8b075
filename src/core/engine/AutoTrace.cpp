#include "core/engine/AutoTrace.h"

#include <algorithm>

#include "core/engine/Workspace.h"
#include "core/platform/SettingsStore.h"
#include "core/services/Settings.h"

namespace tessary {

namespace {

const char* const kSection = "AutoTrace";
// A closed piece has at least four sides: the least a trace can add.
constexpr int kLeastTrace = 4;

// Where picture pixels lie on the pattern layer: layer = origin + pixel * step.
struct PictureOnLayer {
    double left = 0, top = 0, stepX = 1, stepY = 1;
};

PictureOnLayer Placement(const Workspace& ws, const RgbImage& picture) {
    const Rect& frame = ws.surface.PictureFrame[1];
    return {frame.Left, frame.Top, static_cast<double>(frame.Width) / picture.width,
            static_cast<double>(frame.Height) / picture.height};
}

// True-size twips in a twip of the layer as it is shown now: what a saved
// or printed line measures.
double TrueTwipsPerLayerTwip(const Workspace& ws) {
    const float height = ws.reference.PatternHeight();
    return height > 0 ? ws.reference.ReferenceScale() * ws.session.options.HeightTwips / height : 1.0;
}

struct LayerPoint {
    float x = 0, y = 0;
    bool operator==(const LayerPoint&) const = default;
};

}  // namespace

AutoTraceOptions StoredAutoTraceOptions(const SettingsStore& settings, bool metric) {
    AutoTraceOptions o;
    o.mode = ReadText(settings, kSection, "Mode", "Regions") == "Edges" ? TraceMode::Edges : TraceMode::Regions;
    o.colours = std::clamp(static_cast<int>(ReadInteger(settings, kSection, "Colours", o.colours)), kTraceMinColours,
                           kTraceMaxColours);
    o.detail = std::clamp(static_cast<int>(ReadInteger(settings, kSection, "Detail", o.detail)), 0, 100);
    // Kept in square inches, whatever the pattern's units.
    float squareInches = ReadSingle(settings, kSection, "SmallestPiece", kDefaultSmallestPieceSquareInches);
    if (!(squareInches >= 0 && squareInches <= 1e4f)) squareInches = kDefaultSmallestPieceSquareInches;
    o.minPieceArea = metric ? squareInches * kSquareCentimetresPerSquareInch : squareInches;
    return o;
}

void StoreAutoTraceOptions(SettingsStore& settings, const AutoTraceOptions& o, bool metric) {
    settings.Write(kSection, "Mode", o.mode == TraceMode::Edges ? "Edges" : "Regions");
    WriteInteger(settings, kSection, "Colours", o.colours);
    WriteInteger(settings, kSection, "Detail", o.detail);
    WriteSingle(settings, kSection, "SmallestPiece",
                metric ? o.minPieceArea / kSquareCentimetresPerSquareInch : o.minPieceArea);
}

bool RoomToTrace(const Workspace& ws) { return kMaxElements - ws.store.OutLine.VisibleCount() >= kLeastTrace; }

TraceSettings PictureTraceSettings(const Workspace& ws, const RgbImage& picture, const AutoTraceOptions& options) {
    TraceSettings s;
    s.mode = options.mode;
    s.colours = options.colours;
    s.detail = options.detail;
    s.area = options.area;
    s.maxSegments = static_cast<std::size_t>(kMaxElements - ws.store.OutLine.VisibleCount());
    if (picture.Empty()) return s;
    const PictureOnLayer at = Placement(ws, picture);
    const double unit = ws.session.options.MetricPage ? 1440 / 2.54 : 1440;
    const double truePerLayer = TrueTwipsPerLayerTwip(ws);
    const double pixelArea = at.stepX * truePerLayer * at.stepY * truePerLayer / (unit * unit);
    if (pixelArea > 0) s.minPieceArea = std::max(0.0f, options.minPieceArea) / pixelArea;
    // Display Setup's trace segment is measured on the layer, as the trace
    // tool measures it.
    const double step = (at.stepX + at.stepY) / 2;
    if (step > 0) s.segmentLength = ws.session.display.TraceSegment() / step;
    return s;
}

AutoTraceCounts AddAutoTrace(Workspace& ws, const RgbImage& picture, const AutoTraceOptions& options) {
    if (picture.Empty()) return {};
    const TraceSettings settings = PictureTraceSettings(ws, picture, options);
    const TraceResult traced = Trace(picture, settings);
    const PictureOnLayer at = Placement(ws, picture);

    // Every point is converted by the same rule, so ends that were equal in
    // pixels are equal on the layer; points that become one are one.
    std::vector<std::vector<LayerPoint>> chains;
    std::size_t lines = 0;
    for (const TraceChain& chain : traced.chains) {
        std::vector<LayerPoint> points;
        for (const TracePoint& p : chain) {
            const LayerPoint q{static_cast<float>(at.left + p.x * at.stepX), static_cast<float>(at.top + p.y * at.stepY)};
            if (points.empty() || !(points.back() == q)) points.push_back(q);
        }
        if (points.size() < 2) continue;
        lines += points.size() - 1;
        chains.push_back(std::move(points));
    }
    // The tracer kept within the room; all or nothing all the same.
    if (lines == 0 || lines > settings.maxSegments) return {};

    const std::int16_t pen = ws.draw.PenWidth();
    {
        EditHistory::Step step(ws.history, kAutoTraceStep);
        for (const auto& points : chains) {
            for (std::size_t i = 1; i < points.size(); ++i) {
                ws.store.AddLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, pen, true);
            }
        }
        ws.store.ForgetLastDrawn();
        ws.store.SetPatternChanged(true);
    }
    return {static_cast<int>(lines), traced.pieces};
}

}  // namespace tessary
