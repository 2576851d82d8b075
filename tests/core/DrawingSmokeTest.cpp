#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using test::WorkspaceTest;

TEST_F(WorkspaceTest, TracesAStrokeIntoSegments) {
    Draw(ToolTrace);
    Stroke({{1000, 1000}, {1050, 1000}, {1100, 1000}, {1150, 1050}, {1210, 1100}});
    EXPECT_EQ(VisibleLines(), 2);
    EXPECT_EQ(Line(0).X2, 1100);
    EXPECT_EQ(Line(1).X1, 1100);
}

}  // namespace
}  // namespace tessary
