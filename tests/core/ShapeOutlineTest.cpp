#include <gtest/gtest.h>

#include <cmath>
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

// Chords for what draws only lines: closed, on the outline, no turn longer
// than the step; a rounded box's sides straight between corners of the
// screen's radius.
TEST(ShapeOutline, ChordsFollowTheOutlineInStepsOfAtMostTheGivenTurn) {
    const auto ring = OutlineChords({OutlineForm::Ellipse, 100, 200, 400, 100}, 7);
    ASSERT_EQ(ring.size(), 53u) << "52 steps of at most 7 degrees";
    EXPECT_TRUE(ring.front().x == ring.back().x && ring.front().y == ring.back().y);
    for (const OutlinePoint& p : ring) {
        EXPECT_NEAR(std::pow((p.x - 300) / 200, 2.0f) + std::pow((p.y - 250) / 50, 2.0f), 1, 1e-4f);
    }
    // Corners of radius 50 in two steps each, the sides between them.
    const auto box = OutlineChords({OutlineForm::RoundedBox, 0, 0, 800, 400}, 45);
    ASSERT_EQ(box.size(), 1u + 4 * 2 + 4);
    EXPECT_TRUE(box[0].x == 50 && box[0].y == 0 && box[1].x == 750 && box[1].y == 0);
    EXPECT_NEAR(box[2].x, 750 + 50 * std::sqrt(0.5f), 1e-3f);
    EXPECT_TRUE(box[3].x == 800 && box[3].y == 50 && box[4].x == 800 && box[4].y == 350);
}

}  // namespace
}  // namespace tessary
