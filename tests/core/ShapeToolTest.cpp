#include <array>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using Ends = std::array<float, 4>;

class ShapeToolTest : public test::WorkspaceTest {
protected:
    std::int16_t AddLine(const Ends& e) { return t->store.AddLine(e[0], e[1], e[2], e[3], 1, true); }
    Ends At(std::int16_t i) const { return {Line(i).X1, Line(i).Y1, Line(i).X2, Line(i).Y2}; }
    Ends ReferenceAt(std::int16_t i) const {
        const ReferenceLine& m = t->reference.Lines.at(i);
        return {m.X1, m.Y1, m.X2, m.Y2};
    }
    // The visible lines, each with its reference copy checked against it.
    std::vector<Ends> Pattern() const {
        std::vector<Ends> out;
        for (std::int16_t i = 0; i < t->store.OutLine.Count(); ++i) {
            if (!t->store.OutLine.Visible(i)) continue;
            EXPECT_EQ(ReferenceAt(i), At(i)) << "line " << i;
            EXPECT_TRUE(t->reference.Lines[i].Visible) << "line " << i;
            out.push_back(At(i));
        }
        return out;
    }
    void Down(float x, float y, int button = kButtonLeft) {
        ws.input.WorkspaceMouseDown(button, false, x, y, LayerPattern);
    }
    void To(float x, float y) { ws.input.WorkspaceMouseMove(x, y); }
    void Up(float x, float y) { ws.input.WorkspaceMouseUp(x, y); }
};

TEST_F(ShapeToolTest, EachModeReshapesTheCrossedLineStepByStep) {
    // Press above, cross downwards at x = 150, then two more steps.
    const struct {
        const char* name;
        std::int16_t tool;
        std::vector<Ends> before;
        std::vector<Point> drag;  // after the press at (150, -50)
        std::vector<Ends> after;  // in slot order
    } cases[] = {
        {"sharp pulls a vertex that jumps to the pointer", ToolSharp, {{0, 0, 300, 0}}, {{150, 60}, {170, 90}},
         {{0, 0, 170, 90}, {170, 90, 300, 0}}},
        {"smooth reverses, cuts at 99 and 198, moves the middle from the crossing on", ToolSmooth,
         {{300, 0, 0, 0}}, {{150, 10}, {150, 40}, {160, 40}},
         {{109, 30, 208, 30}, {208, 30, 300, 0}, {0, 0, 109, 30}}},
        {"smooth on a slanted line cuts on the line", ToolSmooth, {{0, -150, 300, 150}}, {{150, 10}},
         {{99, -51, 198, 48}, {198, 48, 300, 150}, {0, -150, 99, -51}}},
        {"smooth on a vertical line measures from its upper end", ToolSmooth, {{155, 900, 155, -600}},
         {{160, -40}, {190, -40}}, {{185, -105, 185, 390}, {185, 390, 155, 900}, {155, -600, 185, -105}}},
        {"push moves the middle of a series and stretches its neighbours", ToolPush,
         {{-100, 50, 100, 0}, {100, 0, 200, 0}, {300, 40, 200, 0}}, {{150, 10}, {150, 40}, {160, 45}},
         {{-100, 50, 110, 35}, {110, 35, 210, 35}, {300, 40, 210, 35}}},
        {"push moves a lone line alone", ToolPush, {{0, 0, 300, 0}, {0, 10, 0, 500}}, {{150, 10}, {120, 70}},
         {{-30, 60, 270, 60}, {0, 10, 0, 500}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        for (const Ends& e : c.before) AddLine(e);
        Draw(c.tool);
        t->store.SetPatternChanged(false);
        Down(150, -50);
        for (const Point& p : c.drag) To(p.x, p.y);
        Up(c.drag.back().x, c.drag.back().y);
        EXPECT_EQ(Pattern(), c.after);
        EXPECT_TRUE(t->store.PatternChanged());
    }
}

TEST_F(ShapeToolTest, PushTakesTheFirstNeighbourAtEachEndAndLeavesTheRest) {
    const std::int16_t before = AddLine({100, 0, 0, 0});    // joined by its first end
    const std::int16_t mid = AddLine({100, 0, 200, 0});
    const std::int16_t later = AddLine({100, 0, 100, -90});  // meets the same point, later slot
    const std::int16_t after = AddLine({200, 0, 300, 0});
    Draw(ToolPush);
    Stroke({{150, -50}, {150, 10}, {150, 30}});
    EXPECT_EQ(At(mid), (Ends{100, 20, 200, 20}));
    EXPECT_EQ(At(before), (Ends{100, 20, 0, 0}));
    EXPECT_EQ(At(later), (Ends{100, 0, 100, -90}));
    EXPECT_EQ(At(after), (Ends{200, 20, 300, 0}));

    // One line joined at both ends follows at both.
    OpenBlankPattern();
    Draw(ToolPush);
    const std::int16_t loop = AddLine({200, 0, 100, 0});
    const std::int16_t top = AddLine({100, 0, 200, 0});
    Stroke({{150, -50}, {150, 10}, {150, 30}});
    EXPECT_EQ(At(loop), (Ends{200, 20, 100, 20}));
    EXPECT_EQ(At(top), (Ends{100, 20, 200, 20}));
}

TEST_F(ShapeToolTest, OnlyACrossingTakesALineAndTheLowestIndexWins) {
    const std::int16_t far = AddLine({200, 0, 200, 100});
    const std::int16_t near = AddLine({100, 0, 100, 100});
    Draw(ToolSharp);
    t->store.SetPatternChanged(false);
    // Pressing on a line, then moving along it or up to an end, takes nothing.
    Stroke({{100, 50}, {100, 80}, {100, 0}, {40, 50}});
    Stroke({{40, 100}, {100, 100}});
    EXPECT_EQ(Pattern().size(), 2u);
    EXPECT_FALSE(t->store.PatternChanged());

    // One step across both: the older slot is taken although the other is nearer.
    Stroke({{0, 50}, {300, 50}, {310, 60}});
    EXPECT_EQ(At(far), (Ends{200, 0, 310, 60}));
    EXPECT_EQ(At(near), (Ends{100, 0, 100, 100}));
}

TEST_F(ShapeToolTest, RightPressTurnsThePointerAndStartsNoDrag) {
    Draw(ToolSmooth);
    ws.palette.SetDirection(7);
    ws.modes.ApplyPointers();
    const std::int16_t line = AddLine({0, 0, 300, 0});
    const struct { std::int16_t direction, cursor; } turns[] = {{8, 28}, {1, 21}, {2, 22}};
    for (const auto& turn : turns) {
        Down(150, -50, kButtonRight);
        EXPECT_FALSE(ws.gesture.Active());
        EXPECT_EQ(ws.palette.ToolDirection, turn.direction);
        EXPECT_EQ(ws.modes.Pointers().cursorId, turn.cursor);
    }
    To(150, 50);
    Up(150, 50);
    EXPECT_EQ(At(line), (Ends{0, 0, 300, 0}));
    EXPECT_EQ(Pattern().size(), 1u);

    // A middle press does nothing either.
    Down(150, -50, 4);
    To(150, 50);
    EXPECT_EQ(Pattern().size(), 1u);
}

TEST_F(ShapeToolTest, TheExampleToolMarksTheShapeToolBoxOnlyAndDrawModeComesBackToIt) {
    Draw(ToolTrace);
    ws.modes.ClickExampleTool();
    EXPECT_EQ(std::tuple(ws.modes.DrawTool(), ws.palette.LineToolChoice), std::tuple(ToolTrace, ChoiceShapeTool));
    ws.modes.ClickLineToolBox(ChoiceShapeTool);
    EXPECT_EQ(ws.modes.DrawTool(), ToolPush);
    ws.modes.SetMode(ModeZoom);
    ws.modes.SetMode(ModeDraw);
    EXPECT_EQ(ws.modes.DrawTool(), ToolPush);
    EXPECT_EQ(ws.modes.Pointers().cursorId, 31);
}

TEST_F(ShapeToolTest, DeleteTakesBackTheLastLineTheToolMade) {
    AddLine({0, 0, 300, 0});
    Draw(ToolSharp);
    Stroke({{150, -50}, {150, 60}});
    Key(KeyDelete);
    EXPECT_EQ(Pattern(), (std::vector<Ends>{{0, 0, 150, 60}}));
}

TEST_F(ShapeToolTest, ReshapingTheSelectedLineDropsTheSelection) {
    for (const std::int16_t tool : {ToolSharp, ToolSmooth, ToolPush}) {
        SCOPED_TRACE(tool);
        OpenBlankPattern();
        AddLine({0, 0, 300, 0});
        AddLine({300, 0, 300, 300});
        ws.modes.SetMode(ModeSelect);
        Click(300, 150);
        ASSERT_EQ(ws.selection.SelectState(), SelectedLine);
        ws.modes.SetMode(ModeDraw);
        ws.modes.ClickShapeButton(static_cast<std::int16_t>(tool - ToolSharp + 1));
        ASSERT_EQ(ws.modes.DrawTool(), tool);
        if (tool == ToolPush) {
            Stroke({{150, -50}, {150, 10}, {160, 20}});  // the selected line follows as a neighbour
        } else {
            Stroke({{250, 150}, {350, 150}, {360, 160}});
        }
        EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
    }
}

TEST_F(ShapeToolTest, AFullPatternLeavesTheLineAsItWas) {
    // Every slot in use but one: Sharp still fits, Smooth needs two.
    for (int i = 0; i < kMaxElements - 1; ++i) AddLine({5000, 5000, 5100, 5100});
    const std::int16_t spare = AddLine({5000, 5000, 5100, 5100});
    t->store.DeleteLine(spare);
    const std::int16_t line = 0;
    t->store.OutLine.Edit(line) = LineElement{0, 0, 300, 0, t->store.OutLine[line].look};
    t->store.LineMoved(line);

    Draw(ToolSmooth);
    Stroke({{150, -50}, {150, 10}, {150, 40}});
    EXPECT_EQ(At(line), (Ends{0, 0, 300, 0}));
    EXPECT_FALSE(t->store.OutLine.Visible(spare));
    EXPECT_EQ(t.presenter.shown.size(), 1u);

    Draw(ToolSharp);
    Stroke({{150, -50}, {150, 60}});
    EXPECT_EQ(At(line), (Ends{0, 0, 150, 60}));
    EXPECT_EQ(At(spare), (Ends{150, 60, 300, 0}));
    // Now none is left: the next Sharp drag changes nothing and says so once.
    Stroke({{50, -50}, {50, 50}, {60, 70}});
    EXPECT_EQ(At(line), (Ends{0, 0, 150, 60}));
    EXPECT_EQ(t.presenter.shown.size(), 2u);
}

}  // namespace
}  // namespace tessary
