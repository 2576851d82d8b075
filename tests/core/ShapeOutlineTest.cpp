#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessary
