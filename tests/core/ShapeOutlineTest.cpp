#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "core/pattern/ShapeOutline.h"

namespace tessary {
namespace {

// One rule for the window, paper and bitmaps: a box 400 wide, 100 high at (10, 20).
TEST(ShapeOutline, EachKindHasItsFormAndSquaresAndCirclesTakeTheShorterSide) {
    const struct {
        std::int16_t kind;
        OutlineForm form;
        float left, top, width, height;
    } cases[] = {
        {ShapeRectangle, OutlineForm::Box, 10, 20, 400, 100},
        {ShapeSquare, OutlineForm::Box, 10, 20, 100, 100},
        {ShapeOval, OutlineForm::Ellipse, 10, 20, 400, 100},
        {ShapeCircle, OutlineForm::Ellipse, 160, 20, 100, 100},
        {ShapeRoundedRectangle, OutlineForm::RoundedBox, 10, 20, 400, 100},
        {ShapeRoundedSquare, OutlineForm::RoundedBox, 10, 20, 100, 100},
    };
    for (const auto& c : cases) {
        ShapeElement e;
        e.Shape = c.kind;
        e.Left = 10;
        e.Top = 20;
        e.Width = 400;
        e.Height = 100;
        const ShapeOutline o = OutlineOf(e);
        EXPECT_EQ(std::tuple(o.form, o.left, o.top, o.width, o.height),
                  std::tuple(c.form, c.left, c.top, c.width, c.height))
            << "kind " << c.kind;
    }
}

// A circle of radius 200 about (500, 300) in chords of at most the step
// asked: equal ones, every point on the circle, closed to the last bit; a
// step that is no number or does not advance gives the coarsest chords, not
// an endless or undefined run.
TEST(ShapeOutline, ChordsOfACircleAreEqualAndCloseExactly) {
    const ShapeOutline circle{OutlineForm::Ellipse, 300, 100, 400, 400};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float step;
        std::size_t chords;
    } cases[] = {{90, 4}, {7, 52}, {5, 72}, {1, 360}, {11, 33}, {15, 24}, {0, 4}, {-5, 4}, {nan, 4}, {400, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        const std::vector<OutlinePoint> points = OutlineChords(circle, c.step);
        ASSERT_EQ(points.size(), c.chords + 1);
        EXPECT_TRUE(points.front().x == points.back().x && points.front().y == points.back().y);
        float shortest = 1e9f, longest = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(std::hypot(points[i].x - 500, points[i].y - 300), 200, 0.01f);
            if (i == 0) continue;
            const float chord = std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
            shortest = std::min(shortest, chord);
            longest = std::max(longest, chord);
        }
        EXPECT_NEAR(shortest, longest, 0.01f);
    }
}

}  // namespace
}  // namespace tessary
