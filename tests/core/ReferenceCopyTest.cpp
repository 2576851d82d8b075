#include <gtest/gtest.h>

#include <limits>

#include "core/pattern/ReferenceCopy.h"
#include "core/services/Progress.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

struct Copy {
    Copy() { progress.SetDisplay(true); }
    test::FakeProgressWindow window;
    Progress progress{window};
    ReferenceCopy form{progress};
};

TEST(ReferenceCopy, StoresDisplayedValuesAtReferenceScaleAndFileValuesAsGiven) {
    const struct { bool scaled; ReferenceLine line; ReferenceShape shape; } cases[] = {
        {true, {100, 100, 200, 100, true}, {3, 10, 20, 30, 40, true}},
        {false, {400, 400, 800, 400, true}, {3, 40, 80, 120, 160, true}},
    };
    for (const auto& c : cases) {
        Copy m;
        m.form.SetPatternHeight(1000);
        m.form.UpdateScale(4000);  // zoomed in twice
        m.form.NewLine(1);
        m.form.NewShape(2);
        EXPECT_TRUE(m.form.LineCount() == 2 && m.form.ShapeCount() == 3);
        m.form.SetLine(1, 400, 400, 800, 400, c.scaled);
        m.form.SetShape(2, 3, 40, 80, 120, 160, c.scaled);  // kind, top, left, height, width
        const ReferenceLine& l = m.form.Lines[1];
        const ReferenceShape& s = m.form.Shapes[2];
        EXPECT_TRUE(l.X1 == c.line.X1 && l.Y1 == c.line.Y1 && l.X2 == c.line.X2 && l.Y2 == c.line.Y2 && l.Visible)
            << c.scaled;
        EXPECT_TRUE(s.Kind == c.shape.Kind && s.Top == c.shape.Top && s.Left == c.shape.Left &&
                    s.Height == c.shape.Height && s.Width == c.shape.Width && s.Visible)
            << c.scaled;
    }
}

TEST(ReferenceCopy, ScaleIgnoresHeightsThatWouldBreakIt) {
    Copy m;
    EXPECT_EQ(m.form.ReferenceScale(), 1.0f);
    m.form.SetPatternHeight(1000);
    m.form.UpdateScale(500);
    ASSERT_EQ(m.form.ReferenceScale(), 2.0f);
    using limits = std::numeric_limits<float>;
    for (float h : {0.0f, -0.0f, -500.0f, limits::quiet_NaN(), limits::infinity(), limits::denorm_min()}) {
        m.form.UpdateScale(h);
        EXPECT_EQ(m.form.ReferenceScale(), 2.0f) << h;
    }
}

TEST(ReferenceCopy, DeleteHidesAndClearKeepsElementZero) {
    Copy m;
    m.form.SetLine(0, 1, 2, 3, 4, false);
    m.form.SetShape(0, 2, 5, 6, 7, 8, false);
    m.form.RemoveLine(0);
    m.form.RemoveShape(0);
    EXPECT_FALSE(m.form.Lines[0].Visible || m.form.Shapes[0].Visible);
    EXPECT_TRUE(m.form.Lines[0].X2 == 3 && m.form.Shapes[0].Height == 7);
    m.form.SetLine(0, 10, 20, 30, 40, false);
    EXPECT_TRUE(m.form.Lines[0].Visible && m.form.Lines[0].X1 == 10);

    m.progress.ProgressStart(0, 100, "Erasing - Please wait...", false);
    m.form.Clear();
    EXPECT_EQ(m.window.values, std::vector<int>{0});
    EXPECT_TRUE(m.form.Lines[0].Visible && m.form.Lines[0].Y2 == 40);
    EXPECT_EQ(m.form.Shapes[0].Kind, 2);

    m.form.NewLine(3);
    m.form.NewShape(2);
    m.form.Clear();
    EXPECT_TRUE(m.form.LineCount() == 1 && m.form.ShapeCount() == 1);
    EXPECT_EQ(m.window.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace tessary
