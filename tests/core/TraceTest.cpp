#include <gtest/gtest.h>

#include <set>

#include "core/pattern/LineEnds.h"
#include "core/trace/Trace.h"
#include "tests/core/TracePictures.h"

namespace tessary {
namespace {

using test::Circle;
using test::Colour3;
using test::Polygon;
using test::Shape;

constexpr Colour3 kPaper{235, 225, 200};
constexpr Colour3 kRed{200, 40, 40};
constexpr Colour3 kBlue{40, 60, 190};
constexpr Colour3 kGreen{40, 160, 70};
constexpr Colour3 kInk{20, 20, 20};

double SegmentDistance(const TracePoint& p, const TracePoint& a, const TracePoint& b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double l2 = vx * vx + vy * vy;
    const double t = l2 == 0 ? 0 : std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / l2, 0.0, 1.0);
    return std::hypot(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

double DistanceToChains(const TracePoint& p, const std::vector<TraceChain>& chains) {
    double best = 1e300;
    for (const TraceChain& c : chains) {
        for (std::size_t i = 1; i < c.size(); ++i) best = std::min(best, SegmentDistance(p, c[i - 1], c[i]));
    }
    return best;
}

// Both ways: the farthest a point of a true border lies from the trace, and
// the farthest a traced point lies from every true border.
std::pair<double, double> Hausdorff(const std::vector<TraceChain>& truth, const std::vector<TraceChain>& chains) {
    const auto farthest = [](const std::vector<TraceChain>& from, const std::vector<TraceChain>& to) {
        double most = 0;
        for (const TraceChain& c : from) {
            for (std::size_t i = 1; i < c.size(); ++i) {
                for (const TracePoint& p : test::SampleSegment(c[i - 1], c[i])) {
                    most = std::max(most, DistanceToChains(p, to));
                }
            }
        }
        return most;
    };
    return {farthest(truth, chains), farthest(chains, truth)};
}

// The chains as pattern lines, as the engine adds them.
ElementSet<LineElement> AsLines(const std::vector<TraceChain>& chains) {
    ElementSet<LineElement> lines;
    for (const TraceChain& c : chains) {
        for (std::size_t k = 1; k < c.size(); ++k) {
            const std::int16_t i = lines.Create();
            LineElement& e = lines.Edit(i);
            e.X1 = static_cast<float>(c[k - 1].x);
            e.Y1 = static_cast<float>(c[k - 1].y);
            e.X2 = static_cast<float>(c[k].x);
            e.Y2 = static_cast<float>(c[k].y);
            lines.SetVisible(i, true);
        }
    }
    return lines;
}

// What every trace must be: no free end, no segment of no length, no
// segment drawn twice.
void ExpectClean(const TraceResult& result) {
    const ElementSet<LineElement> lines = AsLines(result.chains);
    const auto free = FindFreeEnds(lines, [](int) { return true; });
    ASSERT_TRUE(free.has_value());
    EXPECT_EQ(free->size(), 0u) << "free ends";
    std::set<std::array<float, 4>> seen;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (!lines.Visible(i)) continue;
        const LineElement& e = lines[i];
        EXPECT_FALSE(e.X1 == e.X2 && e.Y1 == e.Y2) << "a segment of no length at " << e.X1 << "," << e.Y1;
        std::array<float, 4> key{e.X1, e.Y1, e.X2, e.Y2};
        if (std::make_pair(e.X2, e.Y2) < std::make_pair(e.X1, e.Y1)) key = {e.X2, e.Y2, e.X1, e.Y1};
        EXPECT_TRUE(seen.insert(key).second) << "a segment twice at " << e.X1 << "," << e.Y1;
    }
}

TraceChain Frame(double left, double top, double right, double bottom) {
    return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, kPaper).outline;
}

std::vector<Shape> KnownShapes() {
    // No corner sharper than a right angle: a sharper tip thins out below
    // a pixel before it ends.
    return {Polygon({{20, 20}, {90, 30}, {80, 95}, {25, 80}}, kRed), Polygon({{120, 20}, {180, 20}, {180, 70}, {120, 70}}, kBlue),
            Circle(140, 120, 25, kGreen), Polygon({{15, 125}, {60, 110}, {72, 146}, {27, 161}}, kBlue)};
}

TEST(TraceTest, RegionsFindEveryTrueBorderOnceAndClosed) {
    const struct {
        const char* name;
        double noise;
        int blur;
    } cases[] = {
        {"flat colours", 0, 0},
        {"with noise", 12, 0},
        {"blurred", 0, 1},
        {"blurred and noisy", 10, 1},
    };
    const std::vector<Shape> shapes = KnownShapes();
    std::vector<TraceChain> truth{Frame(0, 0, 200, 170)};
    for (const Shape& s : shapes) truth.push_back(s.outline);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage picture = test::Draw(200, 170, kPaper, shapes);
        if (c.blur) test::Blur(picture, c.blur);
        if (c.noise) test::AddNoise(picture, c.noise);
        TraceSettings settings;
        settings.colours = 4;
        settings.minPieceArea = 30;
        settings.detail = 80;
        settings.segmentLength = 6;
        const TraceResult result = Trace(picture, settings);
        EXPECT_EQ(result.pieces, 5);
        const auto [missed, strayed] = Hausdorff(truth, result.chains);
        EXPECT_LE(missed, 1.5);
        EXPECT_LE(strayed, 1.5);
        ExpectClean(result);
    }
}

// A preview and a trace read the picture and nothing else: the dialog traces
// the same pixels again and again, and OK must give what the preview showed.
TEST(TraceTest, ThePictureIsOnlyReadAndTheSameChoicesTraceTheSameEveryTime) {
    RgbImage picture = test::Draw(200, 170, kPaper, KnownShapes());
    test::AddNoise(picture, 10);
    const RgbImage before = picture;
    for (const TraceMode mode : {TraceMode::Regions, TraceMode::Edges}) {
        TraceSettings settings;
        settings.mode = mode;
        settings.colours = 4;
        settings.detail = 20;  // smoothed before the colours are chosen
        const TraceResult preview = TracePreview(picture, settings);
        const TraceResult first = Trace(picture, settings);
        const TraceResult second = Trace(picture, settings);
        EXPECT_TRUE(picture.rgb == before.rgb);
        EXPECT_EQ(first.pieces, second.pieces);
        EXPECT_TRUE(first.chains == second.chains);
        EXPECT_TRUE(preview.chains == first.chains);  // a small picture is previewed whole
    }
}

TEST(TraceTest, RegionsWithinAnAreaTraceItsFrameAndWhatIsInside) {
    const std::vector<Shape> shapes = KnownShapes();
    const RgbImage picture = test::Draw(200, 170, kPaper, shapes);
    TraceSettings settings;
    settings.colours = 4;
    settings.detail = 80;
    // The square only, cut by the area's right edge.
    settings.area = TraceArea{100, 10, 60, 80};
    const TraceResult result = Trace(picture, settings);
    EXPECT_EQ(result.pieces, 2);
    const std::vector<TraceChain> truth{Frame(100, 10, 160, 90),
                                        Polygon({{120, 20}, {160, 20}, {160, 70}, {120, 70}}, kBlue).outline};
    const auto [missed, strayed] = Hausdorff(truth, result.chains);
    EXPECT_LE(missed, 1.5);
    EXPECT_LE(strayed, 1.5);
    ExpectClean(result);
}

TEST(TraceTest, SpecksBelowTheSmallestPieceMergeIntoTheirSurroundings) {
    std::vector<Shape> shapes{Circle(60, 50, 30, kBlue)};
    // Dots of about 20 pixels, in the circle and outside it.
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{{55, 45}, {20, 80}, {100, 15}}) {
        shapes.push_back(Circle(x, y, 2.5, kRed));
    }
    const RgbImage picture = test::Draw(120, 100, kPaper, shapes);
    TraceSettings settings;
    settings.colours = 3;
    settings.detail = 100;
    settings.minPieceArea = 0;
    EXPECT_EQ(Trace(picture, settings).pieces, 5);
    settings.minPieceArea = 20;
    const TraceResult merged = Trace(picture, settings);
    EXPECT_EQ(merged.pieces, 2);
    ExpectClean(merged);
}

TEST(TraceTest, TooManySegmentsAreSimplifiedAwayNeverLeftOpen) {
    std::vector<Shape> shapes;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 5; ++j) shapes.push_back(Circle(20 + 30 * i, 20 + 30 * j, 11, (i + j) % 2 ? kRed : kBlue));
    }
    const RgbImage picture = test::Draw(190, 160, kPaper, shapes);
    TraceSettings settings;
    settings.colours = 3;
    settings.segmentLength = 2;
    const std::size_t full = Trace(picture, settings).Segments();
    for (const std::size_t limit : {full / 3, std::size_t{40}, std::size_t{4}}) {
        SCOPED_TRACE(limit);
        settings.maxSegments = limit;
        const TraceResult fitted = Trace(picture, settings);
        EXPECT_LE(fitted.Segments(), limit);
        EXPECT_GT(fitted.Segments(), 0u);
        ExpectClean(fitted);
    }
    settings.maxSegments = 3;  // not even the four sides of the frame fit
    EXPECT_EQ(Trace(picture, settings).Segments(), 0u);
}

TEST(TraceTest, PreviewWorksOnAReducedPictureInThePicturesPixels) {
    const std::vector<Shape> shapes{Circle(500, 400, 250, kRed), Polygon({{900, 100}, {1150, 100}, {1150, 700}, {950, 600}}, kBlue)};
    const RgbImage picture = test::Draw(1200, 900, kPaper, shapes);
    TraceSettings settings;
    settings.colours = 3;
    settings.detail = 80;
    settings.segmentLength = 20;
    const TraceResult preview = TracePreview(picture, settings);
    EXPECT_EQ(preview.pieces, 3);
    std::vector<TraceChain> truth{Frame(0, 0, 1200, 900)};
    for (const Shape& s : shapes) truth.push_back(s.outline);
    // A preview pixel is about 1.6 of the picture's.
    const auto [missed, strayed] = Hausdorff(truth, preview.chains);
    EXPECT_LE(missed, 1.5 * 1.7);
    EXPECT_LE(strayed, 1.5 * 1.7);
    ExpectClean(preview);
}

// A stroke of ink along a polyline, width pixels wide.
Shape Stroke(const std::vector<TracePoint>& line, double width) {
    Shape s;
    s.outline = line;
    s.inside = [line, width](double x, double y) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (SegmentDistance({x, y}, line[i - 1], line[i]) <= width / 2) return true;
        }
        return false;
    };
    s.colour = kInk;
    return s;
}

TEST(TraceTest, EdgesFollowAStrokeAlongItsCentreAsOneChain) {
    const std::vector<TracePoint> line{{20, 30}, {120, 40}, {150, 110}, {60, 130}};
    const struct {
        const char* name;
        std::vector<Shape> strokes;
    } cases[] = {
        {"whole", {Stroke(line, 7)}},
        // Broken by a gap of three pixels, which is bridged.
        {"with a gap", {Stroke({line[0], line[1], {135.5, 75}}, 7), Stroke({{136.8, 78}, line[2], line[3]}, 7)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage picture = test::Draw(180, 160, kPaper, c.strokes);
        test::Blur(picture, 1);
        TraceSettings settings;
        settings.mode = TraceMode::Edges;
        settings.detail = 60;
        const TraceResult result = Trace(picture, settings);
        ASSERT_EQ(result.chains.size(), 1u);
        const TraceChain& chain = result.chains[0];
        for (const TracePoint& p : chain) EXPECT_LE(DistanceToChains(p, {line}), 1.5) << p.x << "," << p.y;
        // From one end of the stroke to the other, either way round.
        const TracePoint& first = chain.front().x < chain.back().x ? chain.front() : chain.back();
        const TracePoint& last = chain.front().x < chain.back().x ? chain.back() : chain.front();
        EXPECT_LE(std::hypot(first.x - line.front().x, first.y - line.front().y), 5);
        EXPECT_LE(std::hypot(last.x - line.back().x, last.y - line.back().y), 5);
    }
}

TEST(TraceTest, AnEmptyPictureOrAreaTracesNothing) {
    const RgbImage picture = test::Draw(40, 30, kPaper, {Circle(20, 15, 8, kRed)});
    TraceSettings settings;
    EXPECT_TRUE(Trace(RgbImage{}, settings).chains.empty());
    settings.area = TraceArea{50, 0, 10, 10};
    EXPECT_TRUE(Trace(picture, settings).chains.empty());
}

}  // namespace
}  // namespace tessary
