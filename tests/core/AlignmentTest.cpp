#include <cmath>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class AlignmentTest : public test::WorkspaceTest {
protected:
    float LayerWidth() const { return ws.surface.Pattern.Width; }
    float LayerHeight() const { return ws.surface.Pattern.Height; }
    std::int16_t AddLine(float x1, float y1, float x2, float y2) {
        return t->store.AddLine(x1, y1, x2, y2, ws.draw.PenWidth(), true);
    }
    // The pattern's extent as the reference copy holds it (zoom-independent).
    PatternBox ReferenceBox() const {
        PatternBox b{INFINITY, -INFINITY, INFINITY, -INFINITY};
        for (const ReferenceLine& l : t->reference.Lines) {
            if (!l.Visible) continue;
            b = {std::min({b.BoxLeft, l.X1, l.X2}), std::max({b.BoxRight, l.X1, l.X2}),
                 std::min({b.BoxTop, l.Y1, l.Y2}), std::max({b.BoxBottom, l.Y1, l.Y2})};
        }
        return b;
    }
    void ExpectBox(const PatternBox& b, float left, float right, float top, float bottom, float slack = 0.01f) {
        EXPECT_NEAR(b.BoxLeft, left, slack);
        EXPECT_NEAR(b.BoxRight, right, slack);
        EXPECT_NEAR(b.BoxTop, top, slack);
        EXPECT_NEAR(b.BoxBottom, bottom, slack);
    }
    void Drag(const std::vector<Point>& points) {
        ws.input.WorkspaceMouseDown(kButtonLeft, false, points.front().x, points.front().y, LayerUnder);
        for (std::size_t i = 1; i < points.size(); ++i) {
            // The layer follows the pointer: each move comes in the layer's
            // coordinates as they are after the move before.
            ws.input.WorkspaceMouseMove(points[i].x - (ws.surface.Pattern.Left - startLeft),
                                        points[i].y - (ws.surface.Pattern.Top - startTop));
        }
        ws.input.WorkspaceMouseUp(points.back().x, points.back().y);
    }
    void Start() {
        ws.AlignPatternCommand();
        startLeft = ws.surface.Pattern.Left;
        startTop = ws.surface.Pattern.Top;
    }

    float startLeft = 0, startTop = 0;
};

TEST_F(AlignmentTest, DragsStopAtTheLayerEdgesAndTheEndWritesTheShiftIntoTheLines) {
    AddLine(1000, 1000, 3000, 2000);
    t->store.SetPatternChanged(false);
    Start();
    EXPECT_TRUE(ws.modes.AppState() == AppAligning && ws.modes.InteractionMode() == ModeAlign);
    EXPECT_TRUE(t->store.PatternChanged() && ws.commands[Command::AlignStretchBar].visible);
    EXPECT_TRUE(ws.commands[Command::ToolbarMain2].visible && !ws.commands[Command::ToolbarMain1].visible);
    // The window reaches past the layer's right and bottom edges: two plates.
    const auto& plates = ws.surface.CropPlateVisible;
    EXPECT_TRUE(!plates[0] && plates[1] && !plates[2] && plates[3]);

    // Left by 5000 over a box 1000 from the edge: it stops at the edge, and
    // further steps that way do nothing.
    Drag({{2000, 1500}, {-3000, 1500}, {-3500, 1500}});
    EXPECT_FLOAT_EQ(ws.surface.Pattern.Left - startLeft, -1000);
    EXPECT_FLOAT_EQ(ws.surface.PictureFrame[1].Left, 1000);  // the picture stays put on the screen
    // Far right: exactly until the box touches the right edge.
    Drag({{2000, 1500}, {200000, 1500}});
    EXPECT_FLOAT_EQ(ws.surface.Pattern.Left - startLeft, LayerWidth() - 3000);
    EXPECT_TRUE(ws.alignment.RoomX().after == 0 && ws.alignment.RoomX().before == LayerWidth() - 2000);

    ws.EndAlignCommand();
    EXPECT_TRUE(ws.modes.AppState() == AppPatternOpen && ws.modes.InteractionMode() == ModeSelect);
    EXPECT_TRUE(!plates[0] && !plates[1] && !plates[2] && !plates[3]);
    const float width = t->reference.PatternWidth();
    ExpectBox(ReferenceBox(), width - 2000, width, 1000, 2000);
}

TEST_F(AlignmentTest, EndingWithoutADragOrAfterAPlainClickChangesNoLine) {
    AddLine(1000, 1000, 3000, 2000);
    AddLine(500, 7000, 9000, 7100);
    const std::vector<ReferenceLine> before = t->reference.Lines;
    Start();
    Drag({{2000, 1500}});
    ws.EndAlignCommand();
    for (std::size_t i = 0; i < before.size(); ++i) {
        const ReferenceLine& a = before[i];
        const ReferenceLine& b = t->reference.Lines[i];
        EXPECT_TRUE(a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2) << i;
    }
}

TEST_F(AlignmentTest, TheStretchBarReachesAsFarAsTheLayerAllows) {
    const float w = LayerWidth(), h = LayerHeight();
    const struct { const char* what; std::vector<std::array<float, 4>> lines; int maximum; } cases[] = {
        {"half as wide and high", {{0, 0, w / 2, h / 2}}, 200},
        {"larger than the layer", {{-100, -100, w + 100, h + 100}}, 100},
        {"a vertical line, limited by its height", {{500, h / 4, 500, h / 2}}, 400},
        {"a single point", {{700, 700, 700, 700}}, 100},
        {"nothing", {}, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenBlankPattern();
        for (const auto& l : c.lines) AddLine(l[0], l[1], l[2], l[3]);
        Start();
        EXPECT_EQ(ws.alignment.StretchMaximum(), c.maximum);
        EXPECT_EQ(ws.alignment.StretchValue(), kStretchNormal);
        // Moving the bar never makes a coordinate infinite or lost.
        ws.alignment.StretchBarChanged(c.maximum);
        ws.alignment.StretchBarChanged(kStretchLowest);
        const LineElement& l = t->store.OutLine[0];
        EXPECT_TRUE(std::isfinite(l.X1) && std::isfinite(l.Y1) && std::isfinite(l.X2) && std::isfinite(l.Y2));
        ws.EndAlignCommand();
    }
}

TEST_F(AlignmentTest, APatternReachingPastTheLayerIsMeasuredWholeAndCannotBeDraggedOut) {
    AddLine(-400, 300, 2000, 900);
    Start();
    ExpectBox(ws.alignment.Box(), -400, 2000, 300, 900);
    EXPECT_TRUE(ws.alignment.RoomX().before == 0 && ws.alignment.RoomX().after == LayerWidth() - 2000);
    Drag({{1000, 500}, {0, 500}});
    EXPECT_FLOAT_EQ(ws.surface.Pattern.Left, startLeft);
}

TEST_F(AlignmentTest, StretchingThereAndBackGivesTheSizeBackCentredOnThePicture) {
    AddLine(1000, 1000, 3000, 2000);
    AddLine(3000, 2000, 2000, 3000);
    Start();
    // A drag first: a stretch recentres whatever the drag did.
    Drag({{2000, 1500}, {2500, 1800}});
    ws.alignment.StretchBarChanged(150);
    const PatternBox wide = ws.alignment.MeasurePattern();
    EXPECT_NEAR(wide.Width(), 3000, 0.01);
    EXPECT_NEAR(wide.Height(), 3000, 0.01);
    EXPECT_NEAR(wide.BoxLeft + wide.Width() / 2, LayerWidth() / 2, 0.01);
    EXPECT_NEAR(wide.BoxTop + wide.Height() / 2, LayerHeight() / 2, 0.01);
    EXPECT_TRUE(ws.surface.Pattern.Left == startLeft && ws.surface.PictureFrame[1].Left == 0);

    ws.alignment.StretchBarChanged(100);
    ws.EndAlignCommand();
    const PatternBox back = ReferenceBox();
    EXPECT_NEAR(back.Width(), 2000, 0.01);
    EXPECT_NEAR(back.Height(), 2000, 0.01);
    EXPECT_NEAR(back.BoxLeft + 1000, t->reference.PatternWidth() / 2, 0.01);
}

TEST_F(AlignmentTest, FittingMovesThePatternToTheCornerAndFillsTheTighterSide) {
    const float w = LayerWidth(), h = LayerHeight();
    const struct { const char* what; std::array<float, 4> line; std::array<float, 4> fitted; } cases[] = {
        // The pattern filled a picture half the size of this one.
        {"twice the size", {0, 0, w / 2, h / 2}, {0, 0, w, h}},
        {"wide: fills the width", {100, 100, 100 + w / 4, 100 + h / 8}, {0, 0, w, h / 2}},
        {"flat: moved only", {300, 400, 900, 400}, {0, 0, 600, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenBlankPattern();
        AddLine(c.line[0], c.line[1], c.line[2], c.line[3]);
        ws.alignment.FitPatternToPicture();
        ExpectBox(ws.alignment.MeasurePattern(), c.fitted[0], c.fitted[2], c.fitted[1], c.fitted[3], 0.05f);
    }
    OpenBlankPattern();
    ws.alignment.FitPatternToPicture();  // nothing to fit: nothing happens
    EXPECT_EQ(VisibleLines(), 0);
}

}  // namespace
}  // namespace tessary
