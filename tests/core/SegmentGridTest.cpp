#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/print/SegmentGrid.h"

namespace tessary {
namespace {

bool Meets(const ChainStep& s, const PrintRegion& a) {
    return std::max(s.from.x, s.to.x) >= a.xL && std::min(s.from.x, s.to.x) <= a.xR &&
           std::max(s.from.y, s.to.y) >= a.yT && std::min(s.from.y, s.to.y) <= a.yB;
}

// Every step that meets an area is found, once, in walk order: short steps
// over a pattern, long ones across it, a point, steps on a cell's edge, and
// ends that are no numbers or as far as a single goes.
TEST(SegmentGridTest, FindsEveryStepThatMeetsAnAreaInWalkOrder) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> at(0, 40000), step(-600, 600);
    std::vector<ChainStep> steps;
    for (int i = 0; i < 5000; ++i) {
        const EndPoint from{at(random), at(random)};
        steps.push_back({from, {from.x + step(random), from.y + step(random)}});
    }
    const float far = std::numeric_limits<float>::max(), nan = std::nanf("");
    steps.push_back({{0, 20000}, {40000, 20500}});
    steps.push_back({{12000, 12000}, {12000, 12000}});
    steps.push_back({{-far, 5000}, {far, 5000}});
    steps.push_back({{nan, 100}, {200, 300}});
    steps.push_back({{30000, 39000}, {30000, 41000}});
    SegmentGrid grid;
    grid.Build(steps, {0, 40000, 0, 50000});

    const PrintRegion areas[] = {{0, 10000, 0, 12500},        {10000, 20000, 12500, 25000}, {30000, 40000, 37500, 50000},
                                 {9433, 10567, -567, 13067}, {12000, 12000, 12000, 12000}, {-9000, -1000, 4000, 6000},
                                 {-1e30f, 1e30f, -1e30f, 1e30f}};
    for (const PrintRegion& area : areas) {
        SCOPED_TRACE(testing::Message() << area.xL << " " << area.yT);
        const std::vector<std::uint32_t> found = grid.Near(area);
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end()) &&
                    std::adjacent_find(found.begin(), found.end()) == found.end());
        std::size_t k = 0;
        for (std::uint32_t i = 0; i < steps.size(); ++i) {
            while (k < found.size() && found[k] < i) ++k;
            if (Meets(steps[i], area)) {
                EXPECT_TRUE(k < found.size() && found[k] == i) << "step " << i;
            }
        }
        EXPECT_TRUE(std::find(found.begin(), found.end(), 5003) != found.end()) << "the step with no number";
    }
    EXPECT_LT(grid.Near({0, 10000, 0, 10000}).size(), steps.size() / 8) << "a corner looks at its own lines";

    grid.Build({}, {0, 40000, 0, 50000});
    EXPECT_TRUE(grid.Near(areas[0]).empty());
}

}  // namespace
}  // namespace tessary
