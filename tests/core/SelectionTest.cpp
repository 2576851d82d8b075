#include <array>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using Box = std::array<float, 4>;  // left, top, width, height
using Ends = std::array<float, 4>;  // x1, y1, x2, y2
using Grabs = std::vector<std::array<float, 2>>;

class SelectionTest : public test::WorkspaceTest {
protected:
    std::int16_t AddLine(const Ends& e) { return t->store.AddLine(e[0], e[1], e[2], e[3], 1, true); }
    std::int16_t AddBox(const Box& b) { return t->store.AddShape(0, b[1], b[0], b[3], b[2], 1, true); }
    std::int16_t State() const { return ws.selection.SelectState(); }

    Ends LineAt(std::int16_t i) const { return {Line(i).X1, Line(i).Y1, Line(i).X2, Line(i).Y2}; }
    Ends ReferenceAt(std::int16_t i) const {
        const ReferenceLine& m = t->reference.Lines[i];
        return {m.X1, m.Y1, m.X2, m.Y2};
    }
    // Centres of the grab points on show, in index order.
    Grabs ShownGrabs() const {
        Grabs out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(ws.surface.GrabPoint.size()); ++i) {
            if (!ws.surface.GrabPoint[i].Visible) continue;
            const Point c = ws.selection.GrabCentre(i);
            out.push_back({c.x, c.y});
        }
        return out;
    }
    void Press(float x, float y) { ws.input.WorkspaceMouseDown(kButtonLeft, false, x, y, LayerPattern); }
};

TEST_F(SelectionTest, HitTestWithinFivePixels) {
    const struct {
        const char* name;
        std::vector<Ends> lines;
        std::vector<Box> boxes;
        Point click;
        std::int16_t state, index;
    } cases[] = {
        {"70 beside a line", {{1000, 2000, 5000, 2000}}, {}, {3000, 2070}, SelectedLine, 0},
        {"70 above a line", {{1000, 2000, 5000, 2000}}, {}, {3000, 1930}, SelectedLine, 0},
        {"80 beside a line", {{1000, 2000, 5000, 2000}}, {}, {3000, 2080}, SelectNothing, 0},
        {"short line inside the square", {{3010, 3060, 3040, 3060}}, {}, {3000, 3000}, SelectNothing, 0},
        // The nearer line has the higher index: order decides, not distance.
        {"crossing lines", {{1000, 3060, 5000, 3060}, {3000, 1000, 3000, 5000}}, {}, {3000, 3000}, SelectedLine, 0},
        {"inside a large box", {}, {{1000, 1000, 6000, 4000}}, {4000, 3000}, SelectNothing, 0},
        {"near the left edge", {}, {{1000, 1000, 6000, 4000}}, {1070, 3000}, SelectedShape, 0},
        {"near the bottom edge", {}, {{1000, 1000, 6000, 4000}}, {4000, 5060}, SelectedShape, 0},
        {"75 inside the left edge", {}, {{1000, 1000, 6000, 4000}}, {1075, 3000}, SelectedShape, 0},
        {"80 inside the left edge", {}, {{1000, 1000, 6000, 4000}}, {1080, 3000}, SelectNothing, 0},
        {"near a corner, outside both spans", {}, {{1000, 1000, 6000, 4000}}, {960, 960}, SelectNothing, 0},
        {"two edges equally near", {}, {{1000, 1000, 2000, 2000}, {3100, 1000, 2000, 2000}}, {3050, 2000},
         SelectedShape, 0},
        {"the nearer edge", {}, {{1000, 1000, 2000, 2000}, {3100, 1000, 2000, 2000}}, {3060, 2000},
         SelectedShape, 1},
        {"line before shape", {{2000, 2060, 4000, 2060}}, {{3000, 1000, 2000, 2000}}, {3000, 2000}, SelectedLine, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        for (const Ends& e : c.lines) AddLine(e);
        for (const Box& b : c.boxes) AddBox(b);
        Click(c.click.x, c.click.y);
        EXPECT_EQ(State(), c.state);
        if (c.state != SelectNothing) {
            EXPECT_EQ(ws.selection.SelectIndex(), c.index);
        }
    }
}

TEST_F(SelectionTest, SelectedObjectAloneTakesTheEditorColour) {
    const std::uint32_t monitor = t->display.GetColour(0), editor = t->display.GetColour(1);
    ASSERT_NE(monitor, editor);
    AddLine({1000, 2000, 5000, 2000});
    AddLine({1000, 4000, 5000, 4000});
    AddBox({6000, 1000, 2000, 2000});
    const auto colours = [&] {
        return std::array{Line(0).look.BorderColor, Line(1).look.BorderColor, t->store.OutShape[0].look.BorderColor};
    };
    Click(3000, 2000);
    EXPECT_EQ(colours(), (std::array{editor, monitor, monitor}));
    Click(6000, 2000);
    EXPECT_EQ(colours(), (std::array{monitor, monitor, editor}));
    Click(3000, 4000);
    EXPECT_EQ(colours(), (std::array{monitor, editor, monitor}));
    Click(3000, 4000, kButtonRight);
    EXPECT_EQ(State(), SelectNothing);
    EXPECT_EQ(colours(), (std::array{monitor, monitor, monitor}));
    EXPECT_TRUE(ShownGrabs().empty());
}

TEST_F(SelectionTest, GrabPointsMarkLineEndsAndBoxCorners) {
    AddLine({1000, 2000, 5000, 3000});
    AddBox({6000, 1000, 2000, 1000});
    Click(3000, 2500);
    EXPECT_EQ(ws.surface.GrabPoint.size(), 2u);
    EXPECT_EQ(ShownGrabs(), (Grabs{{1000, 2000}, {5000, 3000}}));
    Click(7000, 1000);
    EXPECT_EQ(ws.surface.GrabPoint.size(), 4u);
    EXPECT_EQ(ShownGrabs(), (Grabs{{6000, 1000}, {8000, 1000}, {8000, 2000}, {6000, 2000}}));
    Click(3000, 2500);
    EXPECT_EQ(ws.surface.GrabPoint.size(), 2u);
}

TEST_F(SelectionTest, DraggingALineByItsBodyMovesBothEnds) {
    AddLine({1000, 2000, 5000, 2000});
    t->store.SetPatternChanged(false);
    Press(3000, 2000);
    ws.input.WorkspaceMouseMove(3200, 2100);
    EXPECT_EQ(LineAt(0), (Ends{1200, 2100, 5200, 2100}));
    EXPECT_TRUE(ShownGrabs().empty() && t->store.PatternChanged());
    ws.input.WorkspaceMouseUp(3500, 2500);
    EXPECT_EQ(LineAt(0), (Ends{1500, 2500, 5500, 2500}));
    EXPECT_TRUE(ReferenceAt(0) == LineAt(0) && State() == SelectedLine);
    EXPECT_EQ(ShownGrabs(), (Grabs{{1500, 2500}, {5500, 2500}}));
}

TEST_F(SelectionTest, DraggingTheSecondEndMovesOnlyThatEnd) {
    AddLine({1000, 2000, 5000, 2000});
    Click(3000, 2000);
    // A right press on a handle is no drag.
    ws.input.GrabPointPress(1, kButtonRight, false, 10, 20);
    EXPECT_EQ(LineAt(0), (Ends{1000, 2000, 5000, 2000}));
    // The end jumps to where the handle was pressed.
    ws.input.GrabPointPress(1, kButtonLeft, false, 10, 20);
    EXPECT_EQ(LineAt(0), (Ends{1000, 2000, 4965, 1975}));
    ws.input.WorkspaceMouseMove(6000, 3000);
    EXPECT_EQ(LineAt(0), (Ends{1000, 2000, 6000, 3000}));
    EXPECT_FALSE(ws.surface.GrabPoint[0].Visible);
    ws.input.WorkspaceMouseUp(6500, 3500);
    EXPECT_EQ(LineAt(0), (Ends{1000, 2000, 6500, 3500}));
    EXPECT_EQ(ReferenceAt(0), LineAt(0));
    EXPECT_EQ(ShownGrabs(), (Grabs{{1000, 2000}, {6500, 3500}}));
}

TEST_F(SelectionTest, CornerDragsKeepTheOppositeCornerAndNeverTurnTheBoxOver) {
    const struct { std::int16_t corner; Point to; Box after; } cases[] = {
        {0, {1200, 1300}, {1200, 1300, 800, 700}},
        {0, {2500, 1300}, {1000, 1300, 1000, 700}},   // past the right edge: width kept
        {0, {2000, 2000}, {1000, 1000, 1000, 1000}},  // onto the opposite corner: nothing vanishes
        {1, {2500, 1300}, {1000, 1300, 1500, 700}},   {1, {800, 800}, {1000, 800, 1000, 1200}},
        {2, {2500, 2600}, {1000, 1000, 1500, 1600}},  {2, {900, 900}, {1000, 1000, 1000, 1000}},
        {3, {1200, 2600}, {1200, 1000, 800, 1600}},   {3, {1200, 900}, {1200, 1000, 800, 1000}},
    };
    AddBox({1000, 1000, 1000, 1000});
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "corner " << c.corner << " to " << c.to.x << "," << c.to.y);
        ShapeElement& e = t->store.OutShape.Edit(0);
        e.Left = e.Top = 1000;
        e.Width = e.Height = 1000;
        t->store.ShapeMoved(0);
        Click(1000, 1500);
        ASSERT_EQ(State(), SelectedShape);
        ws.input.GrabPointPress(c.corner, kButtonLeft, false, ws.surface.GrabHalfWidth, ws.surface.GrabHalfHeight);
        ws.input.WorkspaceMouseMove(c.to.x, c.to.y);
        ws.input.WorkspaceMouseUp(c.to.x, c.to.y);
        const ReferenceShape& m = t->reference.Shapes[0];
        EXPECT_EQ((Box{e.Left, e.Top, e.Width, e.Height}), c.after);
        EXPECT_EQ((Box{m.Left, m.Top, m.Width, m.Height}), c.after);
    }
}

TEST_F(SelectionTest, DeleteRemovesTheSelectedObject) {
    AddLine({1000, 2000, 5000, 2000});
    AddBox({6000, 1000, 2000, 2000});
    Click(3000, 2000);
    Key(KeyBackspace);
    EXPECT_TRUE(VisibleLines() == 0 && !t->reference.Lines[0].Visible);
    EXPECT_TRUE(State() == SelectNothing && ShownGrabs().empty());
    EXPECT_TRUE(t->store.OutShape.Visible(0));
    Click(3000, 2000);  // a deleted line keeps its place but is not hit
    EXPECT_EQ(State(), SelectNothing);
    Click(6000, 2000);
    Key(KeyDelete);
    EXPECT_FALSE(t->store.OutShape.Visible(0) || t->reference.Shapes[0].Visible);
}

TEST_F(SelectionTest, GestureOverAGrabPointArrivesInLayerCoordinates) {
    AddLine({1000, 2000, 5000, 2000});
    Press(3000, 2000);
    // Grab point 0 still lies at (955, 1955), grab point 1 at (4955, 1955).
    ws.input.GrabPointOver(0, 10, 20);
    EXPECT_EQ(LineAt(0), (Ends{-1035, 1975, 2965, 1975}));
    ws.input.GrabPointDrop(1, 5, 10);
    EXPECT_EQ(LineAt(0), (Ends{2960, 1965, 6960, 1965}));
    EXPECT_FALSE(ws.gesture.Active());
}

TEST_F(SelectionTest, NothingHappensInPictureOnlyView) {
    AddLine({1000, 2000, 5000, 2000});
    Click(3000, 2000);
    ws.surface.SetViewMode(ViewPictureOnly);
    Stroke({{3000, 2000}, {3500, 2500}});
    Click(8000, 8000);
    Click(8000, 8000, kButtonRight);
    EXPECT_EQ(LineAt(0), (Ends{1000, 2000, 5000, 2000}));
    EXPECT_EQ(State(), SelectedLine);
}

TEST_F(SelectionTest, MovesAfterAZoomAreKeptAtTrueSize) {
    AddLine({1000, 2000, 5000, 2000});
    ASSERT_TRUE(ws.zoom.ZoomView(ZoomIn));
    ASSERT_EQ(LineAt(0), (Ends{2000, 4000, 10000, 4000}));
    Stroke({{6000, 4000}, {6200, 4100}});
    EXPECT_EQ(LineAt(0), (Ends{2200, 4100, 10200, 4100}));
    EXPECT_EQ(ReferenceAt(0), (Ends{1100, 2050, 5100, 2050}));
    ASSERT_TRUE(ws.zoom.ZoomView(ZoomOut));
    EXPECT_EQ(LineAt(0), ReferenceAt(0));
}

}  // namespace
}  // namespace tessary
