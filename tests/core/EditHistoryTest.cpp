#include <cmath>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

// Everything the pattern holds, slot for slot: the displayed sets with
// their visibility and pens, the reference copy and the options.
struct PatternDump {
    std::vector<std::vector<float>> lines, shapes;
    PatternOptions options;
    bool operator==(const PatternDump&) const = default;
};

void PrintTo(const PatternDump& d, std::ostream* os) {
    *os << d.lines.size() << " line slots, " << d.shapes.size() << " shape slots";
}

class EditHistoryTest : public test::WorkspaceTest {
protected:
    PatternDump Dump() const {
        PatternDump d;
        const PatternStore& s = t->store;
        const ReferenceCopy& r = t->reference;
        for (std::int16_t i = 0; i < s.OutLine.Count(); ++i) {
            const LineElement& e = s.OutLine[i];
            const ReferenceLine& m = r.Lines.at(i);
            d.lines.push_back({float(s.OutLine.Visible(i)), e.X1, e.Y1, e.X2, e.Y2, float(e.look.BorderWidth),
                               float(m.Visible), m.X1, m.Y1, m.X2, m.Y2});
        }
        for (std::int16_t i = 0; i < s.OutShape.Count(); ++i) {
            const ShapeElement& e = s.OutShape[i];
            const ReferenceShape& m = r.Shapes.at(i);
            d.shapes.push_back({float(s.OutShape.Visible(i)), float(e.Shape), e.Left, e.Top, e.Width, e.Height,
                                float(m.Visible), m.Left, m.Top, m.Width, m.Height});
        }
        d.options = t->options;
        return d;
    }
    // The displayed pattern is the reference copy at the present zoom.
    void ExpectAgreement() const {
        const PatternStore& s = t->store;
        const float factor = 1 / t->reference.ReferenceScale();
        ASSERT_EQ(t->reference.Lines.size(), static_cast<std::size_t>(s.OutLine.Count()));
        ASSERT_EQ(t->reference.Shapes.size(), static_cast<std::size_t>(s.OutShape.Count()));
        for (std::int16_t i = 0; i < s.OutLine.Count(); ++i) {
            const ReferenceLine& m = t->reference.Lines[i];
            ASSERT_EQ(m.Visible, s.OutLine.Visible(i)) << i;
            if (m.Visible) ASSERT_NEAR(m.X2 * factor, s.OutLine[i].X2, 0.05) << i;
        }
        for (std::int16_t i = 0; i < s.OutShape.Count(); ++i) {
            ASSERT_EQ(t->reference.Shapes[i].Visible, s.OutShape.Visible(i)) << i;
        }
    }
    void Select(float x, float y) {
        ws.modes.SetMode(ModeSelect);
        Click(x, y);
    }
};

TEST_F(EditHistoryTest, EveryKindOfStepUndoesAndRedoesSlotForSlot) {
    // A pattern to work on: a traced stroke, a box, a series of two lines.
    Draw(ToolTrace);
    Stroke({{1000, 1000}, {1500, 1300}, {2000, 1000}, {2600, 1400}});
    Draw(ToolRectangle);
    Stroke({{5000, 5000}, {7000, 6000}});
    Draw(ToolLine);
    Click(3000, 8000);
    Click(6000, 8000);
    Click(6000, 9000);
    Click(6000, 9000, kButtonRight);

    const struct {
        const char* name;
        std::function<void()> act;
        std::function<void()> before = [] {};
    } steps[] = {
        {"Trace", [&] { Draw(ToolTrace); Stroke({{8000, 1000}, {8500, 1600}, {9000, 1000}}); }},
        {"Line", [&] { Draw(ToolLine); Click(1000, 12000); Click(3000, 12000); }},
        {"Circle", [&] { Draw(ToolCircle); Stroke({{9000, 9000}, {10000, 10000}}); }},
        {"Erase", [&] { Draw(ToolErase); Stroke({{1500, 800}, {1500, 1500}, {2300, 1500}}); }},
        {"Push", [&] { Draw(ToolPush); Stroke({{4500, 7900}, {4500, 8100}, {4500, 8300}}); }},
        {"Move", [&] { Select(6000, 8500); Stroke({{6000, 8500}, {6500, 9000}}); }},
        {"Delete", [&] { Key(KeyDelete); }, [&] { Draw(ToolCircle); Stroke({{9000, 1000}, {9500, 1500}}); }},
        {"Delete Selected", [&] {
             Select(5000, 5500);
             const EditHistory::Step step(ws.history, "Delete Selected");
             ws.selection.DeleteSelected();
         }},
        {"Pattern Setup", [&] {
             const EditHistory::Step step(ws.history, "Pattern Setup");
             t->options.DimensionWidth = 20;
             t->options.RecomputeTwips();
         }},
        {"Align Pattern", [&] {
             ws.AlignPatternCommand();
             ws.alignment.StretchBarChanged(50);
             ws.EndAlignCommand();
             // Back at the zoom of the start, so that the shown pattern compares too.
             ws.zoom.ZoomView(ZoomNormal);
         }},
        {"Clear Pattern", [&] {
             const EditHistory::Step step(ws.history, "Clear Pattern");
             t->store.ClearPattern();
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.before();
        const PatternDump before = Dump();
        const std::size_t count = ws.history.Steps();
        s.act();
        const PatternDump after = Dump();
        ASSERT_NE(before, after);
        ASSERT_EQ(ws.history.Steps(), count + 1);
        EXPECT_EQ(ws.history.UndoName(), s.name);
        ASSERT_TRUE(ws.history.Undo());
        EXPECT_EQ(Dump(), before);
        EXPECT_EQ(ws.history.RedoName(), s.name);
        ASSERT_TRUE(ws.history.Redo());
        EXPECT_EQ(Dump(), after);
        ExpectAgreement();
    }
}

TEST_F(EditHistoryTest, ZoomingBetweenAStepAndItsUndoKeepsTheTrueSize) {
    Draw(ToolLine);
    Click(1000, 1000);
    Click(3000, 1000);
    const ReferenceLine drawn = t->reference.Lines[0];
    ws.zoom.ZoomView(ZoomIn);
    ws.selection.SelectLine(0);
    Select(2000 * 2, 1000 * 2);
    Stroke({{4000, 2000}, {4000, 5000}});  // moved while zoomed in
    ws.zoom.ZoomView(ZoomNormal);
    ASSERT_TRUE(ws.history.Undo());
    EXPECT_TRUE(t->reference.Lines[0].Y1 == drawn.Y1 && t->reference.Lines[0].X2 == drawn.X2);
    EXPECT_FLOAT_EQ(Line(0).Y1, 1000);  // shown at the zoom of now
    EXPECT_EQ(ws.selection.SelectState(), SelectNothing);
}

TEST_F(EditHistoryTest, TheBoundAndTheSavedPointDecideWhatIsLeftAndWhatIsUnsaved) {
    EditHistory history(t->store, t->reference, t->options, 3);
    const auto line = [&](float y) {
        const EditHistory::Step step(history, "Line");
        t->store.AddLine(0, y, 100, y, 1, true);
    };
    for (float y : {1.f, 2.f, 3.f, 4.f, 5.f}) line(y);
    EXPECT_EQ(history.Steps(), 3u);
    int undone = 0;
    while (history.Undo()) ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(t->store.OutLine.VisibleCount(), 2);

    while (history.Redo()) {
    }
    history.MarkClean();
    EXPECT_FALSE(t->store.PatternChanged());
    history.Undo();
    EXPECT_TRUE(t->store.PatternChanged());
    history.Redo();
    EXPECT_FALSE(t->store.PatternChanged());
    // Undone past the save and then changed anew: the saved state is gone.
    history.Undo();
    line(9);
    history.Undo();
    EXPECT_TRUE(t->store.PatternChanged());
    EXPECT_FALSE(history.CanRedo() && history.RedoName() != "Line");

    // Opened unsaved (recovered): no undo leads to a saved state.
    history.Clear();
    history.ForgetSavedPoint();
    line(10);
    history.Undo();
    EXPECT_TRUE(t->store.PatternChanged());

    // A change made outside any step still becomes one.
    t->store.AddLine(0, 20, 100, 20, 1, true);
    const int shown = t->store.OutLine.VisibleCount();
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(t->store.OutLine.VisibleCount(), shown - 1);
}

TEST_F(EditHistoryTest, WhatOnlyTheScreenShowsIsNoStep) {
    t->store.AddLine(1000, 1000, 3000, 2000, 1, true);
    ws.history.Clear();
    {
        const EditHistory::Step step(ws.history, "Display Setup");
        t->display.SetMonitorPen(4);
        ws.RefreshPatternLook();
        ws.selection.SelectLine(0);
        ws.zoom.ZoomView(ZoomIn);
    }
    EXPECT_EQ(ws.history.Steps(), 0u);
}

TEST_F(EditHistoryTest, AnAlignmentIsOneStepAndNothingIsUndoneWhileItLasts) {
    t->store.AddLine(1000, 1000, 3000, 2000, 1, true);
    ws.history.Clear();
    ws.AlignPatternCommand();
    EXPECT_FALSE(ws.history.CanUndo() || ws.commands[Command::MenuEditUndo].enabled);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 2000, 1500, LayerUnder);
    ws.input.WorkspaceMouseMove(2500, 1500);
    ws.input.WorkspaceMouseUp(2500, 1500);
    ws.alignment.StretchBarChanged(150);
    ws.EndAlignCommand();
    EXPECT_EQ(ws.history.Steps(), 1u);
    EXPECT_TRUE(ws.commands[Command::MenuEditUndo].enabled && ws.commands[Command::BtnUndo].enabled);
    ASSERT_TRUE(ws.history.Undo());
    EXPECT_TRUE(t->reference.Lines[0].X1 == 1000 && t->reference.Lines[0].X2 == 3000);
}

// Random gestures and commands with undo and redo among them: the displayed
// pattern always agrees with the reference copy, and undoing everything
// gives back the start.
TEST_F(EditHistoryTest, ARandomSoakEndsWhereItBegan) {
    Draw(ToolLine);
    Click(500, 500);
    Click(9000, 9000, kButtonRight);
    ws.history.Clear();
    ws.history.SetLimit(200000);
    const PatternDump start = Dump();
    std::mt19937 random(20261206);
    const auto coordinate = [&] { return static_cast<float>(random() % 11000 + 200); };
    const std::int16_t tools[] = {ToolTrace, ToolLine, ToolCircle, ToolRectangle, ToolSquare,
                                  ToolSharp, ToolSmooth, ToolPush, ToolErase};
    for (int i = 0; i < 100000; ++i) {
        const unsigned what = random() % 10;
        if (what < 2) {
            ws.history.Undo();
        } else if (what == 2) {
            ws.history.Redo();
        } else if (what == 3) {
            Select(coordinate(), coordinate());
            Stroke({{coordinate(), coordinate()}, {coordinate(), coordinate()}});
        } else if (what == 4) {
            Key(KeyDelete);
        } else {
            Draw(tools[random() % std::size(tools)]);
            Stroke({{coordinate(), coordinate()}, {coordinate(), coordinate()}, {coordinate(), coordinate()}},
                   random() % 5 == 0 ? kButtonRight : kButtonLeft);
        }
        if (i % 5000 == 0) ASSERT_NO_FATAL_FAILURE(ExpectAgreement()) << i;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectAgreement());
    while (ws.history.Undo()) {
    }
    EXPECT_TRUE(Dump() == start);
}

}  // namespace
}  // namespace tessary
