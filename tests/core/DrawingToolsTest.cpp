#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

template <class L>
std::array<float, 4> Ends(const L& e) { return {e.X1, e.Y1, e.X2, e.Y2}; }
// In the order of the reference copy's shape record: kind, top, left, height, width.
std::array<float, 5> Record(const ShapeElement& e) { return {float(e.Shape), e.Top, e.Left, e.Height, e.Width}; }
std::array<float, 5> Record(const ReferenceShape& e) { return {float(e.Kind), e.Top, e.Left, e.Height, e.Width}; }

std::vector<LineElement> Shown(const ElementSet<LineElement>& set) {
    std::vector<LineElement> lines;
    for (std::int16_t i = 0; i < set.Count(); ++i) {
        if (set.Visible(i)) lines.push_back(set[i]);
    }
    return lines;
}

// Each line starts exactly where the one before it ends.
bool Chained(const std::vector<LineElement>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].X1 != lines[i - 1].X2 || lines[i].Y1 != lines[i - 1].Y2) return false;
    }
    return true;
}

class DrawingToolsTest : public test::WorkspaceTest {
protected:
    void PlaceArc(const std::array<Point, 4>& points) {
        for (const Point& p : points) Click(p.x, p.y);
    }
    Point GrabCentre(std::size_t i) const {
        const GrabPointElement& g = ws.surface.GrabPoint.at(i);
        return {g.Left + ws.surface.GrabHalfWidth, g.Top + ws.surface.GrabHalfHeight};
    }
    std::vector<LineElement> ArcLines() const { return Shown(ws.bands.ArcLine); }
    const ReferenceLine& Lines(std::int16_t i) const { return t->reference.Lines.at(i); }

    // Points whose polygon is 2 * hypot(1000, 2000) + 2000 twips long.
    const std::array<Point, 4> arc{{{1000, 3000}, {2000, 1000}, {4000, 1000}, {5000, 3000}}};
};

TEST_F(DrawingToolsTest, TraceCutsWhenEitherAxisReachesTheSegment) {
    const struct { std::int16_t segment; Point to; int button; bool cut; } cases[] = {
        {100, {1099, 1099}, kButtonLeft, false}, {100, {1100, 1000}, kButtonLeft, true},
        {100, {1000, 901}, kButtonLeft, false},  {100, {1000, 900}, kButtonRight, true},
        {250, {1200, 1200}, kButtonLeft, false}, {250, {750, 1000}, kButtonLeft, true},
        {0, {1000.5f, 1000}, kButtonLeft, false}, {0, {1001, 1000}, kButtonLeft, true},
        {-7, {1000, 1001}, kButtonLeft, true},
    };
    Draw(ToolTrace);
    for (const auto& c : cases) {
        t->display.SetTraceSegment(c.segment);
        const int before = VisibleLines();
        Stroke({{1000, 1000}, c.to}, c.button);
        ASSERT_EQ(VisibleLines() - before, c.cut ? 1 : 0) << c.segment << " to " << c.to.x << "," << c.to.y;
        if (!c.cut) continue;
        const std::int16_t i = t->store.LastIndex();
        const std::array<float, 4> expected{1000, 1000, c.to.x, c.to.y};
        EXPECT_EQ(Ends(Line(i)), expected);
        EXPECT_EQ(Ends(Lines(i)), expected);
    }
}

TEST_F(DrawingToolsTest, TraceStrokeIsAChainEndingAtTheLastCut) {
    Draw(ToolTrace);
    Stroke({{1000, 1000}, {1050, 1000}, {1100, 1000}, {1150, 1050}, {1210, 1100}, {1260, 1150}});
    ASSERT_EQ(VisibleLines(), 2);
    EXPECT_EQ(Ends(Line(0)), (std::array<float, 4>{1000, 1000, 1100, 1000}));
    EXPECT_EQ(Ends(Line(1)), (std::array<float, 4>{1100, 1000, 1210, 1100}));  // the last 50 are dropped

    // A long wavering stroke at fractional positions stays one connected chain.
    std::vector<Point> path;
    for (int k = 0; k <= 400; ++k) path.push_back({3000 + 7.3f * k, 3000 + 180 * std::sin(k / 9.0f)});
    Stroke(path);
    std::vector<LineElement> lines = Shown(t->store.OutLine);
    lines.erase(lines.begin(), lines.begin() + 2);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_TRUE(Chained(lines));
    EXPECT_EQ(lines.front().X1, path.front().x);
    for (const LineElement& l : lines) EXPECT_GE(std::max(std::fabs(l.X2 - l.X1), std::fabs(l.Y2 - l.Y1)), 100);
    EXPECT_LT(std::fabs(path.back().x - lines.back().X2), 100);
}

TEST_F(DrawingToolsTest, PressAndReleaseInPlaceDrawNothing) {
    for (std::int16_t tool : {ToolTrace, ToolLine, ToolCircle, ToolRectangle, ToolSquare}) {
        Draw(tool);
        Click(2000, 2000);
        EXPECT_EQ(VisibleLines() + t->store.OutShape.VisibleCount(), 0) << tool;
        EXPECT_FALSE(ws.bands.EditLineVisible || ws.bands.EditShapeVisible || t->store.PatternChanged()) << tool;
    }
}

TEST_F(DrawingToolsTest, LineClickStartsASeriesThatTheNextPressContinues) {
    Draw(ToolLine);
    Click(500, 500);
    EXPECT_EQ(VisibleLines(), 0);
    ASSERT_TRUE(ws.lineState.SeriesActive);
    EXPECT_EQ(ws.lineState.LastEnd, (Point{500, 500}));

    // The rubber band starts at the series end, not at the press, and lives until the release.
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 3000, 3000, LayerPattern);
    ws.input.WorkspaceMouseMove(700, 650);
    EXPECT_TRUE(ws.bands.EditLineVisible);
    EXPECT_EQ(Ends(ws.bands.EditLine), (std::array<float, 4>{500, 500, 700, 650}));
    ws.input.WorkspaceMouseUp(900, 700);
    EXPECT_FALSE(ws.bands.EditLineVisible);
    ASSERT_EQ(VisibleLines(), 1);
    EXPECT_EQ(Ends(Line(0)), (std::array<float, 4>{500, 500, 900, 700}));
    EXPECT_EQ(Ends(Lines(0)), Ends(Line(0)));
    EXPECT_EQ(ws.lineState.LastEnd, (Point{900, 700}));
}

TEST_F(DrawingToolsTest, OnlyTheLeftButtonDrawsLines) {
    const struct { int button; bool seriesAfter; } cases[] = {{kButtonRight, false}, {3, true}};
    for (const auto& c : cases) {
        Draw(ToolLine);
        Stroke({{100, 100}, {400, 100}});
        const int before = VisibleLines();
        ws.input.WorkspaceMouseDown(c.button, false, 2000, 2000, LayerPattern);
        EXPECT_FALSE(ws.gesture.Active() || ws.bands.EditLineVisible) << c.button;
        ws.input.WorkspaceMouseMove(2500, 2500);
        ws.input.WorkspaceMouseUp(2500, 2500);
        EXPECT_TRUE(VisibleLines() == before && ws.lineState.SeriesActive == c.seriesAfter) << c.button;
    }
    // After the series has ended, a press starts where it is.
    Draw(ToolLine);
    Stroke({{100, 100}, {400, 100}});
    Click(9, 9, kButtonRight);
    Stroke({{3000, 3000}, {3500, 3000}});
    EXPECT_EQ(Ends(Line(t->store.LastIndex())), (std::array<float, 4>{3000, 3000, 3500, 3000}));
}

TEST_F(DrawingToolsTest, DeleteTakesBackOnlyWhatWasDrawnLast) {
    Draw(ToolLine);
    Key(KeyDelete);
    EXPECT_TRUE(t->store.PatternChanged());  // even with nothing to take back
    for (int key : {KeyDelete, KeyBackspace, KeyDecimal}) {
        OpenBlankPattern();
        Draw(ToolLine);
        Stroke({{100, 100}, {200, 100}});
        Stroke({{0, 0}, {200, 300}});
        Stroke({{0, 0}, {400, 300}});
        Key(65);  // not a delete key
        ASSERT_EQ(VisibleLines(), 3) << key;
        Key(key);
        Key(key);
        EXPECT_EQ(VisibleLines(), 2) << key;
        EXPECT_FALSE(t->store.OutLine.Visible(2) || Lines(2).Visible) << key;
        EXPECT_TRUE(Lines(1).Visible) << key;
        // The series goes on from the deleted line's start, in the freed slot.
        Stroke({{9, 9}, {600, 600}});
        EXPECT_TRUE(t->store.LastIndex() == 2 && t->store.OutLine.Count() == 3) << key;
        EXPECT_EQ(Ends(Line(2)), (std::array<float, 4>{200, 300, 600, 600})) << key;
    }
    // A shape drawn last goes alone.
    Draw(ToolRectangle);
    Stroke({{1000, 1000}, {1500, 1400}});
    Key(KeyDelete);
    Key(KeyDelete);
    EXPECT_TRUE(VisibleLines() == 3 && Lines(2).Visible);
    EXPECT_FALSE(t->store.OutShape.Visible(0) || t->reference.Shapes.at(0).Visible);
}

TEST_F(DrawingToolsTest, PictureOnlyViewRefusesDrawingAndDelete) {
    Draw(ToolLine);
    Stroke({{100, 100}, {900, 100}});
    t->store.SetPatternChanged(false);
    ws.modes.SetNoPicture(false);
    ws.surface.SetViewMode(ViewPictureOnly);
    Key(KeyDelete);
    EXPECT_EQ(VisibleLines(), 1);
    EXPECT_FALSE(t->store.PatternChanged());

    Stroke({{2000, 2000}, {2500, 2500}, {3000, 3000}});
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text.rfind("You cannot draw in the Picture Only view.", 0), 0u);
    EXPECT_TRUE(VisibleLines() == 1 && !ws.bands.EditLineVisible);
}

TEST_F(DrawingToolsTest, DrawPressesReachOnlyThePatternAndThePictureUnderIt) {
    const struct { std::int16_t layer; bool draws; } cases[] = {
        {LayerWindow, false}, {LayerPicture, false}, {LayerPattern, true}, {LayerUnder, true},
    };
    for (std::int16_t tool : {ToolLine, ToolTrace, ToolRectangle}) {
        for (const auto& c : cases) {
            Draw(tool);
            const int before = VisibleLines() + t->store.OutShape.VisibleCount();
            ws.input.WorkspaceMouseDown(kButtonLeft, false, 1000, 1000, c.layer);
            ws.input.WorkspaceMouseMove(1600, 1500);
            ws.input.WorkspaceMouseUp(1600, 1500);
            EXPECT_EQ(VisibleLines() + t->store.OutShape.VisibleCount() - before, c.draws ? 1 : 0)
                << tool << " on layer " << c.layer;
        }
    }
}

TEST_F(DrawingToolsTest, BoxesFollowTheDragInEveryDirection) {
    const Point a{3000, 3000};
    const struct { std::int16_t tool, kind; float dx, dy; float top, left, height, width; } cases[] = {
        {ToolRectangle, 0, 300, 100, 3000, 3000, 100, 300},  {ToolRectangle, 0, -300, 100, 3000, 2700, 100, 300},
        {ToolRectangle, 0, 300, -100, 2900, 3000, 100, 300}, {ToolRectangle, 0, -300, -100, 2900, 2700, 100, 300},
        {ToolSquare, 1, 300, 100, 3000, 3000, 300, 300},     {ToolSquare, 1, -300, 100, 3000, 2700, 300, 300},
        {ToolSquare, 1, 300, -100, 2700, 3000, 300, 300},    {ToolSquare, 1, -300, -100, 2700, 2700, 300, 300},
        {ToolCircle, 3, 100, 300, 3000, 3000, 300, 300},     {ToolCircle, 3, -100, 300, 3000, 2700, 300, 300},
        {ToolCircle, 3, 100, -300, 2700, 3000, 300, 300},    {ToolCircle, 3, -100, -300, 2700, 2700, 300, 300},
    };
    for (const auto& c : cases) {
        Draw(c.tool);
        // Overshoot the other way first: only the last position counts.
        Stroke({a, {a.x - 2 * c.dx, a.y - 2 * c.dy}, {a.x + c.dx, a.y + c.dy}});
        const std::int16_t i = t->store.LastIndex();
        ASSERT_TRUE(t->store.LastKind() == LastKindValue::Shape && t->store.OutShape.Visible(i));
        const std::array<float, 5> expected{float(c.kind), c.top, c.left, c.height, c.width};
        EXPECT_EQ(Record(t->store.OutShape[i]), expected) << c.tool << " by " << c.dx << "," << c.dy;
        EXPECT_EQ(Record(t->reference.Shapes.at(i)), expected) << c.tool << " by " << c.dx << "," << c.dy;
        EXPECT_FALSE(ws.bands.EditShapeVisible);
    }
}

TEST_F(DrawingToolsTest, BoxReleaseStartsALineSeriesThere) {
    Draw(ToolRectangle);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 1000, 1000, LayerPattern);
    EXPECT_TRUE(ws.bands.EditShapeVisible);
    EXPECT_EQ(ws.bands.EditShape.Width, 1);
    ws.input.WorkspaceMouseMove(1001, 1400);  // one twip wide: not a box
    ws.input.WorkspaceMouseUp(1001, 1400);
    EXPECT_EQ(t->store.OutShape.VisibleCount(), 0);
    EXPECT_FALSE(ws.lineState.SeriesActive);

    Stroke({{1000, 1000}, {1500, 1400}});
    EXPECT_EQ(t->store.OutShape.VisibleCount(), 1);
    EXPECT_TRUE(ws.lineState.SeriesActive);
    EXPECT_EQ(ws.lineState.LastEnd, (Point{1500, 1400}));
}

TEST_F(DrawingToolsTest, FourClicksBuildAPendingArcFromFirstToLastPoint) {
    const float polygon = 2 * std::hypot(1000.0f, 2000.0f) + 2000;
    for (std::int16_t segment : {100, 50, 400}) {
        OpenBlankPattern();
        t->display.SetTraceSegment(segment);
        Draw(ToolArc);
        EXPECT_EQ(ws.palette.ArcCommandEnabled, (std::array<bool, 2>{false, false}));
        for (std::size_t k = 0; k < 3; ++k) {
            Click(arc[k].x, arc[k].y);
            EXPECT_EQ(ws.arcTool.Counter(), int(k + 1));
            EXPECT_TRUE(ws.surface.GrabPoint.at(k).Visible && GrabCentre(k) == arc[k]);
            EXPECT_EQ(ws.palette.ArcCommandEnabled, (std::array<bool, 2>{true, false}));
            EXPECT_TRUE(ArcLines().empty());
        }
        Click(arc[3].x, arc[3].y);
        ASSERT_TRUE(ws.arcTool.ArcPending());
        EXPECT_EQ(ws.arcTool.Counter(), 0);
        EXPECT_EQ(ws.palette.ArcCommandEnabled, (std::array<bool, 2>{true, true}));
        EXPECT_EQ(ws.selection.SelectState(), SelectArcPoints);
        EXPECT_EQ(GrabCentre(3), arc[3]);
        EXPECT_TRUE(t->store.PatternChanged() && VisibleLines() == 0);

        const std::vector<LineElement> lines = ArcLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_NEAR(double(lines.size()), polygon / (2 * segment), 1.0) << segment;
        EXPECT_TRUE(Chained(lines)) << segment;
        EXPECT_TRUE(lines.front().X1 == arc[0].x && lines.front().Y1 == arc[0].y) << segment;
        EXPECT_TRUE(lines.back().X2 == arc[3].x && lines.back().Y2 == arc[3].y) << segment;
    }
}

TEST_F(DrawingToolsTest, CollinearEvenPointsGiveAStraightRun) {
    Draw(ToolArc);
    PlaceArc({{{1000, 2000}, {2000, 2000}, {3000, 2000}, {4000, 2000}}});
    const std::vector<LineElement> lines = ArcLines();
    ASSERT_NEAR(double(lines.size()), 15, 1);
    EXPECT_TRUE(lines.front().X1 == 1000 && lines.back().X2 == 4000);
    for (const LineElement& l : lines) {
        EXPECT_GT(l.X2, l.X1);
        EXPECT_NEAR(l.Y1, 2000, 1e-3);
        EXPECT_NEAR(l.Y2, 2000, 1e-3);
    }
}

TEST_F(DrawingToolsTest, RightPressSetsThePendingArcInPlace) {
    Draw(ToolArc);
    PlaceArc(arc);
    const std::vector<LineElement> construction = ArcLines();
    Click(100, 100);  // pending, no point being placed: ignored
    EXPECT_EQ(ws.arcTool.Counter(), 0);
    EXPECT_EQ(GrabCentre(0), arc[0]);
    ASSERT_EQ(ArcLines().size(), construction.size());

    Click(100, 100, kButtonRight);
    EXPECT_TRUE(!ws.arcTool.ArcPending() && ArcLines().empty());
    EXPECT_EQ(ws.palette.ArcCommandEnabled, (std::array<bool, 2>{false, false}));
    for (const GrabPointElement& g : ws.surface.GrabPoint) EXPECT_FALSE(g.Visible);
    const std::vector<LineElement> pattern = Shown(t->store.OutLine);
    ASSERT_EQ(pattern.size(), construction.size());
    for (std::int16_t i = 0; i < std::int16_t(pattern.size()); ++i) {
        EXPECT_EQ(Ends(pattern[i]), Ends(construction[i]));
        EXPECT_EQ(Ends(Lines(i)), Ends(construction[i]));
    }
    Click(100, 100, kButtonRight);
    EXPECT_EQ(std::size_t(VisibleLines()), construction.size());
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(DrawingToolsTest, EndingAPendingArcAsksWhetherToKeepIt) {
    const auto tool = [&](std::int16_t t) { return [this, t] { ws.modes.SetDrawTool(t); }; };
    const auto mode = [&](std::int16_t m) { return [this, m] { ws.modes.SetMode(m); }; };
    const auto command = [&](std::int16_t c) { return [this, c] { ws.modes.ClickArcCommand(c); }; };
    const struct {
        const char* how;
        std::function<void()> end;
        MessageAnswer answer;
        bool asked, kept;
    } cases[] = {
        {"tool change, No", tool(ToolLine), AnswerNo, true, false},
        {"tool change, Yes", tool(ToolLine), AnswerYes, true, true},
        {"arc again, Yes", tool(ToolArc), AnswerYes, true, true},
        {"select mode, Yes", mode(ModeSelect), AnswerYes, true, true},
        {"move mode, No", mode(ModeMove), AnswerNo, true, false},
        {"draw mode again, Yes", mode(ModeDraw), AnswerYes, true, true},
        {"aligning, Yes", mode(ModeAlign), AnswerYes, true, true},
        {"Cancel, No", command(0), AnswerNo, true, false},
        {"Cancel, Yes", command(0), AnswerYes, true, true},
        {"Set Arc In Place", command(1), AnswerNo, false, true},
    };
    for (const auto& c : cases) {
        OpenBlankPattern();
        t.presenter.shown.clear();
        t.presenter.answers = {c.answer};
        Draw(ToolArc);
        PlaceArc(arc);
        const std::size_t construction = ArcLines().size();
        c.end();
        ASSERT_EQ(t.presenter.shown.size(), c.asked ? 1u : 0u) << c.how;
        if (c.asked) {
            EXPECT_EQ(t.presenter.shown[0].text, "Do you wish to add the current arc to your pattern?");
        }
        EXPECT_EQ(std::size_t(VisibleLines()), c.kept ? construction : 0u) << c.how;
        EXPECT_TRUE(ArcLines().empty() && !ws.arcTool.ArcPending()) << c.how;
        EXPECT_EQ(ws.palette.ArcCommandEnabled, (std::array<bool, 2>{false, false})) << c.how;
    }
    // Points placed but no arc yet: nothing to ask about.
    Draw(ToolArc);
    Click(100, 100);
    Click(900, 100);
    ws.modes.SetDrawTool(ToolLine);
    EXPECT_EQ(t.presenter.shown.size(), 0u);
}

TEST_F(DrawingToolsTest, ArcOfFourPointsAtOnePlaceAddsNothing) {
    Draw(ToolArc);
    PlaceArc({{{700, 700}, {700, 700}, {700, 700}, {700, 700}}});
    for (const LineElement& l : ArcLines()) {
        for (float v : Ends(l)) EXPECT_TRUE(std::isfinite(v));
    }
    Click(700, 700, kButtonRight);
    EXPECT_EQ(VisibleLines(), 0);
    EXPECT_EQ(ws.arcTool.Counter(), 0);
    Click(100, 100);  // the tool carries on
    EXPECT_EQ(ws.arcTool.Counter(), 1);
}

TEST_F(DrawingToolsTest, DraggingAControlPointRebuildsTheArc) {
    Draw(ToolArc);
    PlaceArc(arc);
    const std::size_t before = ArcLines().size();
    // Pressed at the handle's centre, dropped nearer the other points: a shorter arc.
    ws.input.GrabPointPress(3, kButtonLeft, false, ws.surface.GrabHalfWidth, ws.surface.GrabHalfHeight);
    ws.input.WorkspaceMouseMove(4500, 2000);
    EXPECT_EQ(GrabCentre(3), (Point{4500, 2000}));
    ws.input.WorkspaceMouseUp(4200, 1500);

    EXPECT_EQ(ws.arcTool.Points()[3], (Point{4200, 1500}));
    EXPECT_EQ(GrabCentre(3), (Point{4200, 1500}));
    EXPECT_TRUE(ws.arcTool.ArcPending() && VisibleLines() == 0);
    const std::vector<LineElement> lines = ArcLines();
    ASSERT_LT(lines.size(), before);
    EXPECT_TRUE(Chained(lines));
    EXPECT_TRUE(lines.front().X1 == arc[0].x && lines.front().Y1 == arc[0].y);
    EXPECT_TRUE(lines.back().X2 == 4200 && lines.back().Y2 == 1500);
}

TEST_F(DrawingToolsTest, LinesDrawnWhenZoomedAreStoredAtTrueSize) {
    const struct { const char* how; std::vector<std::int16_t> zooms; std::array<float, 4> reference; } cases[] = {
        {"in twice", {ZoomIn, ZoomIn}, {100, 100, 200, 100}},
        {"out once", {ZoomOut}, {800, 800, 1600, 800}},
        {"fit", {ZoomFit}, {704, 704, 1408, 704}},  // 15840 twips high shown 9000 high
    };
    Draw(ToolLine);
    for (const auto& c : cases) {
        for (std::int16_t code : c.zooms) ASSERT_TRUE(ws.zoom.ZoomView(code)) << c.how;
        ws.draw.EndLineSeries();
        Stroke({{400, 400}, {800, 400}});
        const std::int16_t i = t->store.LastIndex();
        EXPECT_EQ(Ends(Line(i)), (std::array<float, 4>{400, 400, 800, 400})) << c.how;
        for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(Ends(Lines(i))[k], c.reference[k]) << c.how;
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomNormal));
        EXPECT_EQ(Ends(Line(i)), Ends(Lines(i))) << c.how;
    }
}

}  // namespace
}  // namespace tessary
