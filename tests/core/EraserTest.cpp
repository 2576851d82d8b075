#include <array>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using Ends = std::array<float, 4>;

class EraserTest : public test::WorkspaceTest {
protected:
    EraserTest() { Draw(ToolErase); }
    std::int16_t AddLine(const Ends& e) { return t->store.AddLine(e[0], e[1], e[2], e[3], 1, true); }
    bool Shown(std::int16_t i) const { return t->store.OutLine.Visible(i); }
};

// At 15 twips per pixel the square reaches 135 twips either side of the pointer.
TEST_F(EraserTest, APressErasesLinesWithAnEndInTheSquareOrCrossingItsCentreLine) {
    const struct { const char* name; Ends line; Point press; bool erased; } cases[] = {
        {"end 130 to the right", {1000, 500, 1000, 1000}, {1130, 1000}, true},
        {"end 140 to the right", {1000, 500, 1000, 1000}, {1140, 1000}, false},
        {"end on the square's corner", {1000, 500, 1000, 1000}, {1135, 865}, true},
        {"first end inside, second far", {1100, 1100, 5000, 4000}, {1000, 1000}, true},
        {"long horizontal 100 above", {0, 900, 5000, 900}, {2000, 1000}, false},
        {"vertical 100 to the side crosses the centre line", {2100, 0, 2100, 5000}, {2000, 1000}, true},
        {"vertical 140 to the side", {2140, 0, 2140, 5000}, {2000, 1000}, false},
        {"horizontal through the pointer, ends far", {0, 1000, 5000, 1000}, {2000, 1000}, false},
        {"horizontal through the pointer, end inside", {2100, 1000, 5000, 1000}, {2000, 1000}, true},
        {"diagonal through the centre", {1000, 0, 3000, 2000}, {2000, 1000}, true},
        {"diagonal past a corner only", {1850, 1000, 2000, 850}, {2000, 1000}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t i = AddLine(c.line);
        t->store.SetPatternChanged(false);
        Click(c.press.x, c.press.y);
        EXPECT_EQ(!Shown(i), c.erased);
        EXPECT_EQ(!t->reference.Lines[i].Visible, c.erased);
        EXPECT_EQ(t->store.PatternChanged(), c.erased);
        t->store.DeleteLine(i);
    }
}

TEST_F(EraserTest, ALineTheStrokeGoesAcrossIsErasedHoweverFlatItLies) {
    // Steps of 150 twips up and down: the centre lines fall at 2850 and 3000,
    // never at the line's 2920, and no end is near; the rub goes across it.
    const std::int16_t across = AddLine({0, 2920, 9000, 2925});
    // A rub along a horizontal line never crosses it, as before.
    const std::int16_t along = AddLine({0, 5000, 9000, 5000});
    Stroke({{4000, 3000}, {4000, 2850}, {4000, 3000}});
    EXPECT_FALSE(Shown(across));
    Stroke({{3000, 5000}, {3200, 5000}, {3400, 5000}});
    EXPECT_TRUE(Shown(along));
}

TEST_F(EraserTest, ErasesAgainOnlyAfterHalfTheSquareAlongEitherAxis) {
    const struct { Point step; bool erased; } cases[] = {
        {{134, 0}, false}, {{135, 0}, true}, {{0, -134}, false}, {{0, -135}, true}, {{-134, 134}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step.x << "," << c.step.y);
        const Point press{3000, 3000};
        const Point to{press.x + c.step.x, press.y + c.step.y};
        // One end just outside the press's square and well inside the next one.
        const std::int16_t i = AddLine({to.x + c.step.x / 2, to.y + c.step.y / 2, to.x + 5000, to.y + 7000});
        ws.input.WorkspaceMouseDown(kButtonLeft, false, press.x, press.y, LayerPattern);
        ASSERT_TRUE(Shown(i));
        ws.input.WorkspaceMouseMove(to.x, to.y);
        EXPECT_EQ(!Shown(i), c.erased);
        ws.input.WorkspaceMouseUp(to.x, to.y);
        t->store.DeleteLine(i);
    }
}

TEST_F(EraserTest, AFastStrokeErasesAllItPassedOver) {
    // Moves of many squares at once: a line crossed only between the two
    // positions the pointer reported.
    const std::int16_t down = AddLine({3500, 2800, 3500, 3200});
    const std::int16_t slanted = AddLine({5000, 4300, 5150, 4700});
    Stroke({{3000, 3000}, {4000, 3000}, {6150, 6000}});
    EXPECT_FALSE(Shown(down));
    EXPECT_FALSE(Shown(slanted));
}

TEST_F(EraserTest, EveryButtonErasesButShapesAndTheReleaseDoNothing) {
    const std::int16_t shape = t->store.AddShape(0, 900, 900, 200, 200, 1, true);
    const std::int16_t right = AddLine({1000, 1000, 1000, 400});
    Click(1000, 1000, kButtonRight);
    EXPECT_FALSE(Shown(right));
    EXPECT_TRUE(t->store.OutShape.Visible(shape));

    // The release is no erase step, however far it lands.
    const std::int16_t atRelease = AddLine({5000, 5000, 5000, 4000});
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 1000, 1000, LayerPattern);
    ws.input.WorkspaceMouseUp(5000, 5000);
    EXPECT_TRUE(Shown(atRelease));

    t->store.SetPatternChanged(false);
    Stroke({{8000, 8000}, {8300, 8000}});
    EXPECT_FALSE(t->store.PatternChanged());
}

TEST_F(EraserTest, TheSquareIsEighteenScreenPixelsAtAnyZoom) {
    ws.zoom.ZoomView(ZoomIn);
    ws.modes.SetMode(ModeDraw);
    const float scale = t->reference.ReferenceScale();
    ASSERT_LT(scale, 1.0f);
    const std::int16_t i = AddLine({1130, 1000, 1130, 0});
    const std::int16_t j = AddLine({1140, 2000, 1140, 1000});
    Click(1000, 1000);
    Click(1000, 2000);
    EXPECT_FALSE(Shown(i));
    EXPECT_TRUE(Shown(j));
}

TEST_F(EraserTest, ErasingTheSelectedLineDropsTheSelection) {
    const std::int16_t i = AddLine({1000, 1000, 3000, 1000});
    ws.modes.SetMode(ModeSelect);
    Click(2000, 1000);
    ASSERT_EQ(ws.selection.SelectState(), SelectedLine);
    // The palette's Erase box keeps the selection; the eraser then removes the line.
    ws.modes.SetMode(ModeDraw);
    ws.modes.ClickLineToolBox(ChoiceErase);
    ASSERT_EQ(ws.modes.DrawTool(), ToolErase);
    Click(1000, 1000);
    ASSERT_FALSE(Shown(i));
    EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
    for (const GrabPointElement& g : ws.surface.GrabPoint) EXPECT_FALSE(g.Visible);

    // A new line in the freed slot is not deleted as the old selection.
    Draw(ToolLine);
    Stroke({{500, 500}, {800, 800}});
    ASSERT_TRUE(Shown(i));
    ws.selection.DeleteSelected();
    EXPECT_TRUE(Shown(i));
    EXPECT_EQ(t->store.OutLine[i].look.BorderColor, t->display.GetColour(0));
}

TEST_F(EraserTest, UseEraserClearsTheSelectionAndLeavesTheEraserForNextTime) {
    AddLine({1000, 1000, 3000, 1000});
    ws.modes.SetMode(ModeSelect);
    Click(2000, 1000);
    ws.modes.UseEraser();
    EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
    EXPECT_EQ(std::tuple(ws.modes.InteractionMode(), ws.modes.DrawTool(), ws.palette.LineToolChoice),
              std::tuple(ModeDraw, ToolErase, ChoiceErase));
    EXPECT_EQ(ws.modes.MouseHelpLeft(), "Erase");
    ws.modes.SetMode(ModeMove);
    ws.modes.SetMode(ModeDraw);
    EXPECT_EQ(ws.modes.DrawTool(), ToolErase);
}

}  // namespace
}  // namespace tessary
