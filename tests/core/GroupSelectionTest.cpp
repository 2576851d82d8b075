#include <algorithm>
#include <vector>

#include "core/pattern/LineEnds.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class GroupSelectionTest : public test::WorkspaceTest {
protected:
    std::int16_t Add(float x1, float y1, float x2, float y2) {
        return t->store.AddLine(x1, y1, x2, y2, ws.draw.PenWidth(), true);
    }
    void SelectMode() { ws.modes.SetMode(ModeSelect); }
    // As the window passes it: a click, then the second press as a double click.
    void DoubleClick(float x, float y) {
        Click(x, y);
        ASSERT_TRUE(ws.input.TakesDoubleClick());
        ws.input.WorkspaceDoubleClick(x, y);
        ws.input.WorkspaceMouseUp(x, y);
    }
    std::vector<std::int16_t> Lines() const { return ws.selection.GroupLines(); }
};

TEST_F(GroupSelectionTest, AChainRunsThroughPointsWhereExactlyTwoEndsMeet) {
    // a - b - c - d in a row (b reversed), a spur at c's far end, and a
    // closed triangle apart.
    const std::int16_t a = Add(1000, 1000, 2000, 1000);
    const std::int16_t b = Add(3000, 1000, 2000, 1000);
    const std::int16_t c = Add(3000, 1000, 4000, 1000);
    const std::int16_t d = Add(4000, 1000, 5000, 1000);
    Add(4000, 1000, 4000, 2000);  // three ends at (4000, 1000): the chain stops there
    const std::int16_t t1 = Add(1000, 5000, 2000, 5000);
    const std::int16_t t2 = Add(2000, 5000, 1500, 6000);
    const std::int16_t t3 = Add(1500, 6000, 1000, 5000);
    const std::int16_t gap = Add(5000.5f, 1000, 6000, 1000);  // half a twip short of d: no join

    const auto chain = [this](std::int16_t start) {
        std::vector<std::int16_t> lines = FindChain(t->store.OutLine, start);
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    EXPECT_EQ(chain(b), (std::vector<std::int16_t>{a, b, c}));
    EXPECT_EQ(chain(d), (std::vector<std::int16_t>{d}));
    EXPECT_EQ(chain(t2), (std::vector<std::int16_t>{t1, t2, t3}));
    EXPECT_EQ(FindChain(t->store.OutLine, gap), (std::vector<std::int16_t>{gap}));
    t->store.DeleteLine(a);
    EXPECT_EQ(FindChain(t->store.OutLine, a), std::vector<std::int16_t>{});
    EXPECT_EQ(FindChain(t->store.OutLine, c), (std::vector<std::int16_t>{b, c}));
}

TEST_F(GroupSelectionTest, ADoubleClickedStrokeMovesAndGoesAsOneAndComesBackWithUndo) {
    Draw(ToolTrace);
    Stroke({{1000, 1000}, {1200, 1300}, {1500, 1100}, {1800, 1500}, {2100, 1200}});
    const int stroke = VisibleLines();
    ASSERT_GT(stroke, 2);
    Add(6000, 6000, 7000, 6000);  // not part of it
    SelectMode();
    // On a vertex, where the first click's handle lies under the second.
    const LineElement second = Line(1);
    DoubleClick(second.X1, second.Y1);
    ASSERT_EQ(ws.selection.SelectState(), SelectedGroup);
    EXPECT_EQ(static_cast<int>(Lines().size()), stroke);
    EXPECT_EQ(std::count_if(ws.surface.GrabPoint.begin(), ws.surface.GrabPoint.end(),
                            [](const GrabPointElement& g) { return g.Visible; }),
              4);

    // Dragged from inside its box: every line moves, the ends still meet.
    Stroke({{1500, 1250}, {1800, 1600}, {2500, 3250}});
    for (std::int16_t i = 0; i < stroke; ++i) {
        EXPECT_FLOAT_EQ(Line(i).X1, t->reference.Lines[i].X1) << i;
        if (i > 0) EXPECT_TRUE(Line(i).X1 == Line(i - 1).X2 && Line(i).Y1 == Line(i - 1).Y2) << i;
    }
    EXPECT_FLOAT_EQ(Line(0).X1, 2000);
    EXPECT_FLOAT_EQ(Line(0).Y1, 3000);
    EXPECT_FLOAT_EQ(Line(stroke).X1, 6000);  // the other line stayed

    ws.selection.DeleteSelected();
    EXPECT_EQ(VisibleLines(), 1);
    ASSERT_TRUE(ws.history.Undo());
    EXPECT_EQ(VisibleLines(), 1 + stroke);
}

TEST_F(GroupSelectionTest, ShiftClicksARectangleAndEverything) {
    const std::int16_t a = Add(1000, 1000, 2000, 1000);
    const std::int16_t b = Add(1000, 3000, 2000, 3000);
    const std::int16_t c = Add(5000, 5000, 9000, 5000);
    const std::int16_t box = t->store.AddShape(ShapeRectangle, 2000, 3000, 500, 500, 1, true);
    SelectMode();
    Click(1500, 1000);
    EXPECT_EQ(ws.selection.SelectState(), SelectedLine);  // one alone is the single selection
    ws.input.WorkspaceMouseDown(kButtonLeft, true, 1500, 3000, LayerPattern);
    ws.input.WorkspaceMouseUp(1500, 3000);
    EXPECT_EQ(Lines(), (std::vector<std::int16_t>{a, b}));
    ws.input.WorkspaceMouseDown(kButtonLeft, true, 1500, 1000, LayerPattern);
    EXPECT_TRUE(ws.selection.SelectState() == SelectedLine && ws.selection.SelectIndex() == b);

    // A drag over empty space takes in what lies wholly inside it.
    Stroke({{500, 500}, {3000, 2000}, {4000, 3500}});
    EXPECT_EQ(Lines(), (std::vector<std::int16_t>{a, b}));
    EXPECT_EQ(ws.selection.GroupShapes(), std::vector<std::int16_t>{box});
    EXPECT_FALSE(ws.bands.EditShapeVisible && ws.bands.EditShape.Width > 3600);

    ws.selection.SelectAll();
    EXPECT_EQ(Lines(), (std::vector<std::int16_t>{a, b, c}));
    Key(KeyEscape);
    EXPECT_TRUE(ws.selection.SelectState() == SelectNothing && !ws.bands.EditShapeVisible);
}

TEST_F(GroupSelectionTest, EscapeEndsASeriesOrAnArcAndTheBandFollowsBetweenClicks) {
    Draw(ToolLine);
    EXPECT_FALSE(ws.input.PointerMoved(500, 500));  // no series yet: nothing to show
    Click(1000, 1000);
    ASSERT_TRUE(ws.input.PointerMoved(3000, 2000));
    const LineElement& band = ws.bands.EditLine;
    EXPECT_TRUE(ws.bands.EditLineVisible && band.X1 == 1000 && band.Y1 == 1000 && band.X2 == 3000 && band.Y2 == 2000);
    Key(KeyEscape);
    EXPECT_FALSE(ws.bands.EditLineVisible || ws.lineState.SeriesActive);
    Click(5000, 5000);  // a new series, not a line from the old one
    EXPECT_EQ(VisibleLines(), 0);

    Draw(ToolArc);
    for (const Point& p : {Point{1000, 3000}, {2000, 1000}, {4000, 1000}, {5000, 3000}}) Click(p.x, p.y);
    ASSERT_TRUE(ws.arcTool.ArcPending());
    Key(KeyEscape);
    EXPECT_FALSE(ws.arcTool.ArcPending());
    EXPECT_EQ(ws.bands.ArcLine.VisibleCount(), 0);
    EXPECT_EQ(VisibleLines(), 0);
}

}  // namespace
}  // namespace tessary
