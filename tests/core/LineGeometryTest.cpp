#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/pattern/LineGeometry.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

const float kAny = std::numeric_limits<float>::quiet_NaN();  // rejected before a point is sought

struct Seg {
    float x1, y1, x2, y2;
};

TEST(LineGeometry, CrossesFindsThePointInsideBothBoxes) {
    const struct { const char* name; Seg probe, seg; bool crosses; float x, y; } cases[] = {
        {"oblique pair", {0, 0, 100, 100}, {0, 100, 100, 0}, true, 50, 50},
        {"oblique, both offset", {0, 10, 100, 110}, {0, 90, 100, -10}, true, 40, 50},
        {"touches the probe's box edge", {0, 0, 100, 0}, {50, -10, 50, 0}, false, kAny, kAny},
        {"vertical through horizontal probe", {0, 0, 100, 0}, {50, -10, 50, 10}, true, 50, 0},
        {"vertical probe", {50, 0, 50, 100}, {0, 20, 100, 120}, true, 50, 70},
        {"horizontal probe", {0, 50, 100, 50}, {0, 20, 100, 120}, true, 30, 50},
        {"horizontal line", {0, 10, 100, 110}, {0, 35, 100, 35}, true, 25, 35},
        {"vertical line", {0, 10, 100, 60}, {40, -10, 40, 100}, true, 40, 30},
        {"at the probe's end", {0, 0, 100, 100}, {0, 200, 200, 0}, true, 100, 100},
        {"lines meet beyond the segments", {0, 0, 100, 100}, {60, 0, 100, 20}, false, -60, -60},
        {"parallel, probe end on the line", {0, 0, 50, 50}, {-10, -10, 100, 100}, true, 50, 50},
        {"parallel, probe end past the line", {0, 0, 100, 100}, {-50, -50, 50, 50}, false, 100, 100},
        {"two horizontals", {0, 0, 100, 0}, {-50, 0, 50, 0}, false, kAny, kAny},
        {"two verticals", {0, 0, 0, 100}, {0, 50, 0, 150}, false, kAny, kAny},
    };
    for (const auto& c : cases) {
        CrossingPoint at;
        const LineSeg probe = MakeLineSeg(c.probe.x1, c.probe.y1, c.probe.x2, c.probe.y2);
        EXPECT_EQ(Crosses(probe, MakeLineSeg(c.seg.x1, c.seg.y1, c.seg.x2, c.seg.y2), at), c.crosses) << c.name;
        if (std::isnan(c.x)) continue;
        EXPECT_FLOAT_EQ(at.x, c.x) << c.name;
        EXPECT_FLOAT_EQ(at.y, c.y) << c.name;
    }
}

TEST(LineGeometry, FirstVisibleLineInIndexOrderWins) {
    test::TestSession s;
    PatternStore& store = s->store;
    const Seg lines[] = {
        {0, 100, 100, 0},  // crosses at (50, 50) but is deleted
        {0, 60, 60, 0},    // crosses at (30, 30)
        {0, 20, 20, 0},    // crosses at (10, 10), nearer the probe's start
        {200, 0, 300, 0},  // misses
    };
    for (const Seg& l : lines) store.AddLine(l.x1, l.y1, l.x2, l.y2, 1, true);
    store.DeleteLine(0);

    LineGeometry geometry;
    geometry.SetProbe(0, 0, 100, 100);
    for (std::int16_t i = 0; i < 4; ++i) EXPECT_EQ(geometry.LineCrossesProbe(store, i), i == 1 || i == 2) << i;
    std::int16_t index = -1;
    ASSERT_TRUE(geometry.FirstCrossedLine(store, index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(geometry.LastCrossing().x == 30 && geometry.LastCrossing().y == 30);

    store.DeleteLine(1);
    ASSERT_TRUE(geometry.FirstCrossedLine(store, index));
    EXPECT_EQ(index, 2);
    store.DeleteLine(2);
    EXPECT_FALSE(geometry.FirstCrossedLine(store, index));
    EXPECT_TRUE(geometry.LastCrossing().x == 10 && geometry.LastCrossing().y == 10);  // kept from the last success

    SwapLineEnds(store, 3);
    const LineElement& e = store.OutLine[3];
    EXPECT_TRUE(e.X1 == 300 && e.Y1 == 0 && e.X2 == 200 && e.Y2 == 0);
    SwapLineEnds(store, 1);
    EXPECT_TRUE(store.OutLine[1].Y1 == 0 && store.OutLine[1].Y2 == 60);

    geometry.SetProbe(100, 60, 0, 10);
    EXPECT_FLOAT_EQ(geometry.ProbeY(40), 30);
}

}  // namespace
}  // namespace tessary
