#include <array>
#include <random>
#include <vector>

#include "core/pattern/LineEnds.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using Ends = std::array<float, 4>;  // x1, y1, x2, y2
using Spots = std::vector<std::array<float, 2>>;

class EndJoiningTest : public test::WorkspaceTest {
protected:
    std::int16_t AddLine(const Ends& e) { return t->store.AddLine(e[0], e[1], e[2], e[3], 1, true); }
    Ends LineAt(std::int16_t i) const { return {Line(i).X1, Line(i).Y1, Line(i).X2, Line(i).Y2}; }
    Ends ReferenceAt(std::int16_t i) const {
        const ReferenceLine& m = t->reference.Lines[i];
        return {m.X1, m.Y1, m.X2, m.Y2};
    }

    // Edit > Select > Ends.
    void EnterEnds() { ws.selection.ChooseSelectKind(SelectEnds); }

    // Centres of the grab points on show, in index order.
    Spots Shown() const {
        Spots out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(ws.surface.GrabPoint.size()); ++i) {
            if (!ws.surface.GrabPoint[i].Visible) continue;
            const Point c = ws.selection.GrabCentre(i);
            out.push_back({c.x, c.y});
        }
        return out;
    }
    // The shown grab point centred on (x, y).
    std::int16_t GrabAt(float x, float y) const {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(ws.surface.GrabPoint.size()); ++i) {
            const Point c = ws.selection.GrabCentre(i);
            if (ws.surface.GrabPoint[i].Visible && c.x == x && c.y == y) return i;
        }
        ADD_FAILURE() << "no grab point at " << x << "," << y;
        return 0;
    }
    std::uint32_t Colour(std::int16_t k) const { return ws.surface.GrabPoint[k].BackColour; }
    // A press on grab point k, (dx, dy) from its centre.
    void PressGrab(std::int16_t k, int button = kButtonLeft, float dx = 0, float dy = 0) {
        ws.input.GrabPointPress(k, button, false, ws.surface.GrabHalfWidth + dx, ws.surface.GrabHalfHeight + dy);
    }
    void OverGrab(std::int16_t k) { ws.input.GrabPointOver(k, ws.surface.GrabHalfWidth, ws.surface.GrabHalfHeight); }
    void DropOnGrab(std::int16_t k) { ws.input.GrabPointDrop(k, ws.surface.GrabHalfWidth, ws.surface.GrabHalfHeight); }
};

TEST_F(EndJoiningTest, FreeEndsAreTheEndsNoOtherLineMeets) {
    const float negativeZero = -0.0f;
    const struct {
        const char* name;
        std::vector<Ends> lines;
        std::vector<std::int16_t> deleted;
        Spots free;
    } cases[] = {
        {"three lines in one series",
         {{1000, 1000, 2000, 1000}, {2000, 1000, 2000, 2000}, {2000, 2000, 3000, 2500}},
         {},
         {{1000, 1000}, {3000, 2500}}},
        {"a closed triangle", {{0, 0, 900, 0}, {900, 0, 400, 700}, {400, 700, 0, 0}}, {}, {}},
        {"ends 1 twip apart", {{1000, 1000, 2000, 1000}, {2001, 1000, 3000, 1000}}, {},
         {{1000, 1000}, {2000, 1000}, {2001, 1000}, {3000, 1000}}},
        {"first end meets first end", {{2000, 1000, 1000, 1000}, {2000, 1000, 2000, 3000}}, {},
         {{1000, 1000}, {2000, 3000}}},
        {"three ends at one point", {{0, 0, 500, 500}, {500, 500, 1000, 0}, {500, 500, 500, 1000}}, {},
         {{0, 0}, {1000, 0}, {500, 1000}}},
        {"a deleted neighbour meets nothing", {{1000, 1000, 2000, 1000}, {2000, 1000, 3000, 1000}}, {1},
         {{1000, 1000}, {2000, 1000}}},
        {"a line of no length has two free ends", {{500, 500, 500, 500}}, {}, {{500, 500}, {500, 500}}},
        {"minus zero is zero", {{1000, negativeZero, 0, 1000}, {0, 1000, 1000, 0}}, {}, {}},
        // Slots in any order: the chain is found however the slots were taken.
        {"a chain in reverse slots", {{2000, 0, 3000, 0}, {1000, 0, 2000, 0}, {0, 0, 1000, 0}}, {},
         {{3000, 0}, {0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        for (const Ends& e : c.lines) AddLine(e);
        for (std::int16_t i : c.deleted) t->store.DeleteLine(i);
        EnterEnds();
        EXPECT_EQ(ws.selection.SelectState(), SelectEndsActive);
        EXPECT_EQ(Shown(), c.free);
        EXPECT_FALSE(ws.surface.GrabPoint[0].Visible);
    }
}

// Every end against every other, as a person would check it: the hashed
// search must agree, in the same order, on a pattern full of coincidences.
TEST_F(EndJoiningTest, FreeEndsAgreeWithComparingEveryPair) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> grid(0, 40);
    ElementSet<LineElement> lines;
    for (int i = 0; i < 3000; ++i) {
        const std::int16_t k = lines.Create();
        LineElement& e = lines.Edit(k);
        e.X1 = static_cast<float>(grid(random) * 25);
        e.Y1 = static_cast<float>(grid(random) * 25);
        e.X2 = static_cast<float>(grid(random) * 25);
        e.Y2 = static_cast<float>(grid(random) * 25);
        lines.SetVisible(k, i % 7 != 0);
    }
    std::vector<LineEnd> expected;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (!lines.Visible(i)) continue;
        for (const bool first : {true, false}) {
            const EndPoint p = EndPosition(lines, {i, first});
            bool met = false;
            for (std::int16_t j = 0; j < lines.Count() && !met; ++j) {
                if (j == i || !lines.Visible(j)) continue;
                met = EndPosition(lines, {j, true}) == p || EndPosition(lines, {j, false}) == p;
            }
            if (!met) expected.push_back({i, first});
        }
    }
    ASSERT_GT(expected.size(), 10u);
    const auto found = FindFreeEnds(lines, [](int) { return true; });
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, expected);
}

TEST_F(EndJoiningTest, CancellingTheAnalysisReturnsToTheObjectKind) {
    AddLine({1000, 1000, 2000, 1000});
    t.progressWindow.cancelEveryRun = true;
    EnterEnds();
    EXPECT_TRUE(t.progressWindow.cancelOffered);
    EXPECT_EQ(t.progressWindow.headers.back(), "Analyzing - Please wait...");
    EXPECT_EQ(ws.selection.SelectKind(), SelectObjects);
    EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(ws.commands[Command::BtnSelectObject].checked);
    EXPECT_FALSE(ws.commands[Command::BtnSelectEnds].checked);
    EXPECT_EQ(ws.modes.MouseHelpLeft(), "Select");
}

TEST_F(EndJoiningTest, TheEndsButtonShowsItsMouseHelp) {
    AddLine({1000, 1000, 2000, 1000});
    ws.selection.SetSelectKind(SelectEnds);
    EXPECT_TRUE(ws.commands[Command::BtnSelectEnds].checked);
    EXPECT_EQ(ws.modes.MouseHelpLeft(), "Join\r\nEnds");
    EXPECT_EQ(ws.modes.MouseHelpRight(), "Closest\r\nEnd");
    EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(EndJoiningTest, DroppingAnEndOnAnotherJoinsThemExactly) {
    AddLine({1000, 1000, 2000, 1000});
    AddLine({2001, 1000, 3000, 1700});
    EnterEnds();
    t->store.SetPatternChanged(false);
    const std::int16_t from = GrabAt(2000, 1000), onto = GrabAt(2001, 1000);
    PressGrab(from);
    EXPECT_EQ(Line(0).look.BorderColor, t->display.GetColour(1));
    ws.input.WorkspaceMouseMove(1800, 1500);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 1800, 1500}));
    // Over the other end the dragged end snaps onto it and marks it.
    OverGrab(onto);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 2001, 1000}));
    EXPECT_EQ(Colour(onto), kGrabNearBlack);
    DropOnGrab(onto);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 2001, 1000}));
    EXPECT_EQ(ReferenceAt(0), LineAt(0));
    EXPECT_EQ(Shown(), (Spots{{1000, 1000}, {3000, 1700}}));
    EXPECT_EQ(Colour(onto), kGrabWhite);
    EXPECT_EQ(Line(0).look.BorderColor, t->display.GetColour(0));
    EXPECT_FALSE(ws.gesture.Active() || ws.selection.GrabDragActive());
    EXPECT_TRUE(t->store.PatternChanged());
    // Found joined when the kind is entered again.
    ws.modes.SetMode(ModeSelect);
    EXPECT_EQ(Shown(), (Spots{{1000, 1000}, {3000, 1700}}));
}

TEST_F(EndJoiningTest, MovingOffAnEndLetsGoOfIt) {
    AddLine({1000, 1000, 2000, 1000});
    AddLine({4000, 1000, 5000, 1000});
    EnterEnds();
    const std::int16_t onto = GrabAt(4000, 1000);
    PressGrab(GrabAt(2000, 1000));
    OverGrab(onto);
    ws.input.WorkspaceMouseMove(3000, 3000);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 3000, 3000}));
    EXPECT_EQ(Colour(onto), kGrabWhite);
    ws.input.WorkspaceMouseUp(3100, 3200);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 3100, 3200}));
    EXPECT_EQ(ReferenceAt(0), LineAt(0));
    EXPECT_EQ(Shown(), (Spots{{1000, 1000}, {3100, 3200}, {4000, 1000}, {5000, 1000}}));
}

TEST_F(EndJoiningTest, PressAndReleaseMovesTheEndToThePressPoint) {
    AddLine({1000, 1000, 2000, 1000});
    EnterEnds();
    PressGrab(GrabAt(2000, 1000), kButtonLeft, 20, -10);
    ws.input.WorkspaceMouseUp(2020, 990);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 2020, 990}));
    EXPECT_EQ(Shown(), (Spots{{1000, 1000}, {2020, 990}}));
}

TEST_F(EndJoiningTest, ARightPressProposesTheClosestEndOfAnotherLine) {
    const struct {
        const char* name;
        std::vector<Ends> lines;
        Point source;
        Point proposed;
        bool wasFree;
    } cases[] = {
        {"the nearest free end", {{0, 0, 1000, 0}, {1500, 0, 3000, 0}, {1300, 900, 1300, 2000}}, {1000, 0},
         {1500, 0}, true},
        {"equally far: the higher line", {{0, 0, 1000, 0}, {1000, 500, 1000, 2000}, {1000, -500, 1000, -2000}},
         {1000, 0}, {1000, -500}, true},
        {"equally far: the second end of one line", {{0, 0, 1000, 0}, {1000, 500, 1000, -500}}, {1000, 0},
         {1000, -500}, true},
        // A joined end has no grab point: it gets one while it is proposed.
        {"a joined end", {{0, 0, 1000, 0}, {1200, 0, 2000, 0}, {2000, 0, 2000, 900}}, {0, 0}, {1200, 0}, true},
        {"an end already joined", {{0, 0, 1000, 0}, {1100, 0, 2000, 0}, {1100, 0, 1100, 900}}, {1000, 0},
         {1100, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        for (const Ends& e : c.lines) AddLine(e);
        EnterEnds();
        const Spots before = Shown();
        const std::int16_t source = GrabAt(c.source.x, c.source.y);
        PressGrab(source, kButtonRight);
        ws.input.WorkspaceMouseUp(c.source.x, c.source.y);
        EXPECT_TRUE(ws.endJoining.ProposalActive());
        const std::int16_t target = GrabAt(c.proposed.x, c.proposed.y);
        EXPECT_EQ(Colour(target), kGrabYellow);
        // Pressing the proposed end only takes the proposal away.
        const Ends lines0 = LineAt(0);
        PressGrab(target, kButtonLeft, 30, 30);
        EXPECT_FALSE(ws.endJoining.ProposalActive() || ws.gesture.Active());
        EXPECT_EQ(LineAt(0), lines0);
        EXPECT_EQ(Colour(target), kGrabWhite);
        EXPECT_EQ(Shown(), before);
        EXPECT_EQ(ws.surface.GrabPoint[target].Visible, c.wasFree);
    }
}

TEST_F(EndJoiningTest, ThePressedSourceKeepsItsProposalAndAnEndedOneFreesItsTarget) {
    AddLine({0, 0, 1000, 0});
    AddLine({1500, 0, 3000, 0});
    EnterEnds();
    const std::int16_t source = GrabAt(1000, 0), target = GrabAt(1500, 0);
    PressGrab(source, kButtonRight);
    ws.input.WorkspaceMouseUp(1000, 0);
    PressGrab(source);
    EXPECT_TRUE(ws.endJoining.ProposalActive());
    EXPECT_TRUE(ws.gesture.Active());
    ws.input.WorkspaceMouseUp(1000, 200);
    EXPECT_EQ(Colour(target), kGrabYellow);
    // Another end pressed: the proposal ends, and its target drags like any end.
    PressGrab(GrabAt(0, 0));
    ws.input.WorkspaceMouseUp(0, 100);
    EXPECT_FALSE(ws.endJoining.ProposalActive());
    PressGrab(target);
    EXPECT_TRUE(ws.gesture.Active());
    ws.input.WorkspaceMouseUp(1600, 0);
    EXPECT_EQ(LineAt(1), (Ends{1600, 0, 3000, 0}));
}

TEST_F(EndJoiningTest, ARightDragAcrossALineSplitsItAtTheCrossing) {
    AddLine({1000, 1000, 1000, 3000});  // the line to be crossed
    AddLine({0, 2000, 500, 2000});      // its second end is dragged
    EnterEnds();
    const std::int16_t dragged = GrabAt(500, 2000);
    PressGrab(dragged, kButtonRight);
    ws.input.WorkspaceMouseMove(800, 2000);
    EXPECT_EQ(t->store.OutLine.Count(), 2);
    ws.input.WorkspaceMouseMove(1200, 2000);
    ASSERT_EQ(t->store.OutLine.Count(), 3);
    EXPECT_EQ(LineAt(0), (Ends{1000, 1000, 1000, 2000}));
    EXPECT_EQ(LineAt(2), (Ends{1000, 2000, 1000, 3000}));
    EXPECT_EQ(LineAt(1), (Ends{0, 2000, 1000, 2000}));
    for (std::int16_t i = 0; i < 3; ++i) EXPECT_EQ(ReferenceAt(i), LineAt(i));
    EXPECT_TRUE(t->store.OutLine.Visible(2));
    EXPECT_EQ(Line(1).look.BorderColor, t->display.GetColour(0));
    EXPECT_EQ(Line(2).look.BorderColor, t->display.GetColour(0));
    // The drag is over: later moves and the release change nothing.
    EXPECT_FALSE(ws.gesture.Active() || ws.endJoining.ProposalActive());
    ws.input.WorkspaceMouseMove(1500, 2500);
    ws.input.WorkspaceMouseUp(1500, 2500);
    EXPECT_EQ(LineAt(1), (Ends{0, 2000, 1000, 2000}));
    EXPECT_FALSE(ws.surface.GrabPoint[dragged].Visible);
    // Three ends meet at the crossing: none is free there.
    ws.modes.SetMode(ModeSelect);
    EXPECT_EQ(Shown(), (Spots{{1000, 1000}, {0, 2000}, {1000, 3000}}));
}

TEST_F(EndJoiningTest, ALeftDragAcrossALineOnlyMovesTheEnd) {
    AddLine({1000, 1000, 1000, 3000});
    AddLine({0, 2000, 500, 2000});
    EnterEnds();
    PressGrab(GrabAt(500, 2000));
    ws.input.WorkspaceMouseMove(1200, 2000);
    ws.input.WorkspaceMouseUp(1200, 2000);
    EXPECT_EQ(t->store.OutLine.Count(), 2);
    EXPECT_EQ(LineAt(1), (Ends{0, 2000, 1200, 2000}));
}

TEST_F(EndJoiningTest, AStepWhoseProbeFirstMeetsTheDraggedLineSplitsNothing) {
    AddLine({0, 1000, 500, 2000});    // dragged by its second end
    AddLine({1000, 0, 1000, 4000});   // crossed, but later in line order
    EnterEnds();
    PressGrab(GrabAt(500, 2000), kButtonRight);
    // The dragged line now ends where the probe does, and in single
    // precision this step's crossing lies on both: it is taken as the line
    // itself, and nothing happens.
    ws.input.WorkspaceMouseMove(1100, 0);
    EXPECT_EQ(t->store.OutLine.Count(), 2);
    EXPECT_TRUE(ws.gesture.Active());
    EXPECT_EQ(LineAt(0), (Ends{0, 1000, 1100, 0}));
    // The next step meets the other line first and splits it.
    ws.input.WorkspaceMouseMove(1100, 30);
    ASSERT_EQ(t->store.OutLine.Count(), 3);
    EXPECT_FALSE(ws.gesture.Active());
    EXPECT_EQ(Line(0).X2, Line(1).X2);
    EXPECT_EQ(Line(0).Y2, Line(1).Y2);
    EXPECT_EQ(Line(1).Y2, Line(2).Y1);
    EXPECT_EQ(Line(1).X2, 1000);
    EXPECT_EQ(Line(2).Y2, 4000);
}

TEST_F(EndJoiningTest, LeavingSelectModeClearsTheEndsAndZoomKeepsThemOnTheirEnds) {
    AddLine({1000, 1000, 2000, 1000});
    EnterEnds();
    ws.zoom.ZoomView(ZoomIn);
    const float f = ws.surface.Pattern.Height / t->reference.PatternHeight();
    ASSERT_NE(f, 1.0f);
    EXPECT_EQ(Shown(), (Spots{{Line(0).X1, Line(0).Y1}, {Line(0).X2, Line(0).Y2}}));
    ws.modes.SetMode(ModeDraw);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
    ws.modes.SetMode(ModeSelect);
    EXPECT_EQ(Shown().size(), 2u);
    // A press on the pattern itself does nothing in this kind.
    ws.input.WorkspaceMouseDown(kButtonLeft, false, Line(0).X1 + 300, Line(0).Y1, LayerPattern);
    EXPECT_FALSE(ws.gesture.Active());
    EXPECT_EQ(ws.selection.SelectState(), SelectEndsActive);
}

TEST_F(EndJoiningTest, ArcPointsStayDraggableWhileTheKindIsEnds) {
    EnterEnds();
    Draw(ToolArc);
    for (const Point p : {Point{1000, 1000}, Point{2000, 3000}, Point{3000, 3000}, Point{4000, 1000}}) Click(p.x, p.y);
    ASSERT_EQ(ws.selection.SelectState(), SelectArcPoints);
    PressGrab(3);
    ws.input.WorkspaceMouseMove(4500, 2000);
    ws.input.WorkspaceMouseUp(4200, 1500);
    EXPECT_EQ(ws.arcTool.Points()[3], (Point{4200, 1500}));
}

}  // namespace
}  // namespace tessary
