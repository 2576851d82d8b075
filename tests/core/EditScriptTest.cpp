#include <sstream>
#include <tuple>

#include "core/shell/EditScript.h"
#include "core/shell/FileCommands.h"
#include "tests/core/CommandFakes.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class EditScriptTest : public test::WorkspaceTest {
protected:
    EditScriptTest() : dialogs(ws), files(ws, dialogs, pictures) {}

    bool Run(const std::string& text) {
        EditScript script;
        std::istringstream in(text);
        if (!script.Read(in)) return false;
        return script.Run(ws, files);
    }
    std::tuple<float, float, float, float> Ends(std::int16_t i) const {
        return {Line(i).X1, Line(i).Y1, Line(i).X2, Line(i).Y2};
    }

    test::FakeDialogs dialogs;
    test::FakePictures pictures;
    FileCommands files;
};

TEST_F(EditScriptTest, AMalformedLineIsNamedAndNothingRuns) {
    const struct {
        const char* script;
        int line;
        const char* fault;
    } cases[] = {
        {"tool pencil", 1, "tool takes one of arc|circle|erase|line|push|rectangle|sharp|smooth|square|trace"},
        {"tool trace\n\n# fine\npress 1 2 middle", 4, "press takes X Y and left or right"},
        {"move 1", 1, "move takes X Y"},
        {"release 1 nan", 1, "release takes X Y"},
        {"drag 1 2 3 4 0", 1, "drag takes X1 Y1 X2 Y2 and a number of steps from 1 to 100000"},
        {"select lines", 1, "select takes one of ends|objects"},
        {"key enter", 1, "key takes one of delete|escape"},
        {"rotate 90", 1, "rotate takes nothing"},
        {"grab -1", 1, "grab takes a grab point's number"},
        {"tool line\r\nundo 3", 2, "undo takes nothing"},
        {"tool line\nfly", 2, "unknown command \"fly\""},
        {"align sideways", 1, "align takes start, end, drag DX DY or stretch PERCENT (10 to 32767)"},
        {"align stretch 5", 1, "align takes start, end, drag DX DY or stretch PERCENT (10 to 32767)"},
        {"change-picture   ", 1, "change-picture takes a picture file"},
        {"select-rect 1 2 3", 1, "select-rect takes X1 Y1 X2 Y2"},
        {"move-selection 5", 1, "move-selection takes DX DY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        EditScript script;
        std::istringstream in(c.script);
        EXPECT_FALSE(script.Read(in));
        EXPECT_EQ(std::make_pair(script.FaultLine(), script.Fault()), std::make_pair(c.line, std::string(c.fault)));
    }
    EXPECT_FALSE(Run("tool line\npress 100 100\nrelease 100 100\npress 900 100\nrelease 900 100\nfly"));
    EXPECT_EQ(VisibleLines(), 0);
}

TEST_F(EditScriptTest, GesturesGoThroughTheWindowsOwnDispatch) {
    // A trace drag cuts segments as a hand would; a series of straight lines
    // joins end to start; Delete takes back the last line drawn.
    ASSERT_TRUE(Run("tool trace\ndrag 1000 1000 4000 1000 30\n"));
    const int traced = VisibleLines();
    EXPECT_GT(traced, 1);
    EXPECT_EQ(std::get<0>(Ends(0)), 1000);
    ASSERT_TRUE(Run("tool line\npress 100 5000\nrelease 100 5000\npress 2000 5000 left\nrelease 2000 5000\n"
                    "press 2000 6000\nrelease 2000 6000\nkey delete\n"));
    EXPECT_EQ(VisibleLines(), traced + 1);
    EXPECT_EQ(Ends(static_cast<std::int16_t>(traced)), std::make_tuple(100.0f, 5000.0f, 2000.0f, 5000.0f));

    // Selecting a line and dropping its second grab point elsewhere moves that end.
    t->store.ClearPattern();
    t->store.AddLine(1000, 2000, 5000, 2000, 1, true);
    ASSERT_TRUE(Run("select objects\npress 3000 2000\nrelease 3000 2000\ngrab 1\nmove 6000 3000\nrelease 6000 3000"));
    EXPECT_EQ(Ends(0), std::make_tuple(1000.0f, 2000.0f, 6000.0f, 3000.0f));
}

TEST_F(EditScriptTest, AStrokeIsSelectedMovedDeletedAndTakenBackWhole) {
    ASSERT_TRUE(Run("tool trace\ndrag 1000 1000 4000 1000 30\ntool line\npress 100 5000\nrelease 100 5000\n"
                    "press 900 5000\nrelease 900 5000\n"));
    const int traced = VisibleLines() - 1;
    ASSERT_TRUE(Run("select-chain 2000 1000\nmove-selection 0 500\n"));
    EXPECT_EQ(static_cast<int>(ws.selection.GroupLines().size()), traced);
    EXPECT_TRUE(std::get<1>(Ends(0)) == 1500 && std::get<1>(Ends(traced)) == 5000);
    ASSERT_TRUE(Run("delete-selected\n"));
    EXPECT_EQ(VisibleLines(), 1);
    ASSERT_TRUE(Run("undo\nundo\n"));
    EXPECT_EQ(VisibleLines(), traced + 1);
    EXPECT_EQ(std::get<1>(Ends(0)), 1000);
    ASSERT_TRUE(Run("select-rect 0 4000 1000 6000\ndelete-selected\nselect-all\n"));
    EXPECT_EQ(VisibleLines(), traced);
    EXPECT_EQ(static_cast<int>(ws.selection.GroupLines().size()), traced);
}

TEST_F(EditScriptTest, AlignmentStepsActOnlyWhileAligning) {
    t->store.AddLine(1000, 1000, 3000, 2000, ws.draw.PenWidth(), true);
    // Not aligning: a drag here would otherwise be a select drag.
    ASSERT_TRUE(Run("align drag 500 0\nalign stretch 200\nalign end"));
    EXPECT_EQ(Ends(0), std::make_tuple(1000.f, 1000.f, 3000.f, 2000.f));

    // The end fits the view to the window: the reference copy keeps true twips.
    const auto kept = [this] {
        const ReferenceLine& l = t->reference.Lines[0];
        return std::make_tuple(l.X1, l.Y1, l.X2, l.Y2);
    };
    ASSERT_TRUE(Run("align start\nalign drag 500 -200\nalign drag -100000 0\nalign end"));
    EXPECT_EQ(kept(), std::make_tuple(0.f, 800.f, 2000.f, 1800.f));
    EXPECT_EQ(ws.modes.AppState(), AppPatternOpen);

    ASSERT_TRUE(Run("align start\nalign stretch 200\nalign end"));
    const auto [x1, y1, x2, y2] = kept();
    EXPECT_NEAR(x2 - x1, 4000, 0.01);
    EXPECT_NEAR((x1 + x2) / 2, t->reference.PatternWidth() / 2, 0.01);
}

}  // namespace
}  // namespace tessary
