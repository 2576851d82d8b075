#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class ModesTest : public test::WorkspaceTest {
protected:
    const CommandItem& Cmd(const std::string& key) const { return ws.commands[CommandNamed(key).value()]; }
    bool Checked(const std::string& key) const { return Cmd(key).checked; }
    bool Shown(const std::string& key) const { return Cmd(key).visible; }
    bool PaletteShown() const { return Shown("DrawToolsForm"); }
    std::string PressedDrawButton() const {
        std::string pressed;
        for (const char* key : {"BtnDrawLine", "BtnDrawArc", "BtnDrawCircle", "BtnDrawBox"}) {
            if (Checked(key)) pressed += key;
        }
        return pressed;
    }
};

TEST_F(ModesTest, AppStateChoosesToolbarsAndUsableEntries) {
    // Visible and enabled in application states 0, 1 and 2.
    const struct { std::vector<const char*> keys; std::array<bool, 3> visible, enabled; } groups[] = {
        {{"ToolbarMain0"}, {1, 0, 0}, {1, 1, 1}},
        {{"ToolbarMain1", "ToolbarFunc1"}, {0, 1, 0}, {1, 1, 1}},
        {{"ToolbarFunc2", "ToolbarFunc3", "ToolbarFunc4"}, {0, 0, 0}, {1, 1, 1}},
        {{"MenuFileNew", "MenuFileOpen", "MenuFileRecent"}, {1, 1, 1}, {1, 1, 0}},
        {{"MenuFileClose", "MenuFileSave", "MenuFileSaveAs", "MenuFileExport", "MenuFilePrint",
          "MenuPatternPrintSize", "MenuEditSelect", "MenuEditDel", "MenuEditDraw", "MenuEditShape", "MenuEditClear",
          "MenuEditChangePic", "MenuEditSelectAll", "MenuViewMove", "MenuViewZoom", "MenuViewMouseHelp",
          "MenuViewZoomFit", "MenuViewZoomNormal",
          "MenuViewWork0", "MenuViewWork1", "MenuViewWork2", "MenuEditAutoTrace"},
         {1, 1, 1},
         {0, 1, 0}},
        {{"BtnViewPicture", "BtnViewBoth"}, {1, 1, 1}, {1, 1, 0}},
        {{"ToolbarMain2", "AlignStretchBar"}, {0, 0, 1}, {1, 1, 1}},
        {{"MenuEditAlignPat", "MenuEditEraser"}, {1, 1, 0}, {0, 1, 0}},
        {{"MenuEditAlignPatEnd"}, {0, 0, 1}, {0, 0, 1}},
        {{"MenuOptionsSetup", "BtnDisplaySetup"}, {1, 1, 1}, {1, 1, 0}},
    };
    ws.modes.SetNoPicture(false);
    ws.modes.SetMode(ModeDraw);
    for (const std::int16_t state : {1, 2, 0, 1, 0, 2, 1}) {
        SCOPED_TRACE(testing::Message() << "state " << state);
        ws.modes.ShowMouseHelp(true);
        ws.modes.SetAppState(state);
        for (const auto& g : groups) {
            for (const char* key : g.keys) {
                EXPECT_EQ(Cmd(key).visible, g.visible[state]) << key;
                EXPECT_EQ(Cmd(key).enabled, g.enabled[state]) << key;
            }
        }
        // Only an open pattern keeps the mouse help on.
        EXPECT_EQ(ws.modes.MouseHelpOn(), state == AppPatternOpen);
        EXPECT_EQ(Shown("MouseForm"), state == AppPatternOpen);
        EXPECT_EQ(Checked("BtnMouseWin"), state == AppPatternOpen);
        EXPECT_EQ(Checked("MenuViewMouseHelp"), state == AppPatternOpen);
    }
}

TEST_F(ModesTest, PictureViewsAndAutoTraceNeedAPicture) {
    for (const bool noPicture : {true, false, true}) {
        ws.modes.SetNoPicture(noPicture);
        for (const char* key : {"BtnViewPicture", "BtnViewBoth", "MenuViewWork0", "MenuViewWork2", "MenuEditAutoTrace"}) {
            EXPECT_EQ(Cmd(key).enabled, !noPicture) << key;
        }
        EXPECT_TRUE(Cmd("MenuViewWork1").enabled);
    }
}

TEST_F(ModesTest, EachModePressesItsButtonAndShowsItsFunctionToolbar) {
    const char* const buttons[] = {"BtnModeSelect", "BtnModeDraw", "BtnModeMove", "BtnModeZoom"};
    for (const std::int16_t mode : {ModeZoom, ModeSelect, ModeMove, ModeDraw}) {
        SCOPED_TRACE(mode);
        ws.modes.SetMode(mode);
        for (int m = 0; m < 4; ++m) {
            EXPECT_EQ(Checked(buttons[m]), m == mode) << buttons[m];
            EXPECT_EQ(Shown("ToolbarFunc" + std::to_string(m + 1)), m == mode);
        }
    }
    // Aligning: no function toolbar; the mode buttons and the tool stay.
    ws.modes.SetMode(ModeAlign);
    EXPECT_EQ(ws.modes.InteractionMode(), ModeAlign);
    EXPECT_EQ(ws.modes.DrawTool(), ToolLine);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(Checked(buttons[m]), m == ModeDraw);
        EXPECT_FALSE(Shown("ToolbarFunc" + std::to_string(m + 1)));
    }
}

TEST_F(ModesTest, LeavingDrawModeAndComingBackRestoresTheLastTool) {
    const struct { std::int16_t tool; const char* button; std::int16_t away; } cases[] = {
        {ToolSquare, "BtnDrawBox", ModeSelect}, {ToolTrace, "BtnDrawLine", ModeMove},
        {ToolCircle, "BtnDrawCircle", ModeMove}, {ToolRectangle, "BtnDrawBox", ModeZoom},
        {ToolSharp, "BtnDrawLine", ModeMove},   {ToolSmooth, "BtnDrawLine", ModeSelect},
        {ToolPush, "BtnDrawLine", ModeMove},    {ToolErase, "BtnDrawLine", ModeMove},
        {ToolArc, "BtnDrawArc", ModeMove},      {ToolLine, "BtnDrawLine", ModeZoom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        Draw(c.tool);
        EXPECT_EQ(ws.modes.DrawTool(), c.tool);
        ws.modes.SetMode(c.away);
        EXPECT_TRUE(!PaletteShown() && ws.modes.DrawTool() == ToolNone);
        EXPECT_EQ(PressedDrawButton(), c.button);
        ws.modes.SetMode(ModeDraw);
        EXPECT_TRUE(PaletteShown() && ws.modes.DrawTool() == c.tool);
    }
}

TEST_F(ModesTest, DeleteTakesBackOnlyWhatTheModesToolOwns) {
    const struct { const char* name; std::function<void()> choose; int deleted; } cases[] = {
        {"draw", [&] { ws.modes.SetMode(ModeDraw); }, 1},
        {"select objects, nothing selected", [&] { ws.selection.ChooseSelectKind(SelectObjects); }, 0},
        {"select ends", [&] { ws.selection.ChooseSelectKind(SelectEnds); }, 0},
        {"move", [&] { ws.modes.SetMode(ModeMove); }, 0},
        {"zoom", [&] { ws.modes.SetMode(ModeZoom); }, 0},
        {"aligning", [&] { ws.modes.SetMode(ModeAlign); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        Draw(ToolTrace);
        Stroke({{1000, 1000}, {3000, 3000}});
        const int before = VisibleLines();
        c.choose();
        Key(KeyDelete);
        EXPECT_EQ(before - VisibleLines(), c.deleted);
    }
}

TEST_F(ModesTest, PaletteLineToolChoices) {
    Draw(ToolLine);
    Click(1000, 1000);
    ASSERT_TRUE(ws.lineState.SeriesActive);
    ws.modes.ClickLineToolBox(ChoiceLine);  // already the tool: the series goes on
    EXPECT_TRUE(ws.lineState.SeriesActive);
    ws.modes.ClickLineToolBox(ChoiceTrace);
    EXPECT_TRUE(ws.modes.DrawTool() == ToolTrace && ws.palette.LineToolChoice == ChoiceTrace);
    EXPECT_FALSE(ws.lineState.SeriesActive);

    const std::uint64_t revision = ws.commands.Revision();
    ws.modes.ClickLineToolBox(ChoiceTrace);
    EXPECT_EQ(ws.commands.Revision(), revision);
    EXPECT_EQ(ws.modes.DrawTool(), ToolTrace);

    ws.modes.ClickShapeButton(2);  // Smooth
    EXPECT_EQ(std::tuple(ws.modes.DrawTool(), ws.palette.LineToolChoice, ws.palette.ShapeMode),
              std::tuple(ToolSmooth, ChoiceShapeTool, ShapeSmooth));
    ws.modes.ClickEndLineSeries();
    EXPECT_TRUE(ws.palette.LineToolChoice == ChoiceLine && ws.modes.DrawTool() == ToolSmooth);

    ws.modes.ClickLineToolBox(ChoiceLine);
    Click(1000, 1000);
    ws.modes.ClickEndLineSeries();
    EXPECT_FALSE(ws.lineState.SeriesActive);
    EXPECT_EQ(ws.modes.DrawTool(), ToolLine);
}

TEST_F(ModesTest, PointersAndMouseHelpFollowModeAndTool) {
    const std::string CRLF = "\r\n";
    const struct { std::int16_t mode, tool, selectKind, direction; PointerSet pointers; } cases[] = {
        {ModeSelect, ToolNone, SelectObjects, 1, {0, 0, 14, 14, 0, "Select", ""}},
        {ModeSelect, ToolNone, SelectEnds, 1, {0, 0, 14, 14, 0, "Join" + CRLF + "Ends", "Closest" + CRLF + "End"}},
        {ModeDraw, ToolTrace, 0, 1, {0, 0, 2, 2, 0, "Draw", ""}},
        {ModeDraw, ToolLine, 0, 1, {0, 0, 2, 2, 0, "Draw", "End" + CRLF + "Series"}},
        {ModeDraw, ToolSquare, 0, 1, {0, 0, 2, 2, 0, "Draw", ""}},
        {ModeDraw, ToolSmooth, 0, 3, {0, 0, 99, 99, 23, "Apply" + CRLF + "tool", "Rotate"}},
        {ModeDraw, ToolSharp, 0, 8, {0, 0, 99, 99, 18, "Apply" + CRLF + "tool", "Rotate"}},
        {ModeDraw, ToolPush, 0, 1, {0, 0, 99, 99, 31, "Apply" + CRLF + "tool", "Rotate"}},
        {ModeDraw, ToolErase, 0, 1, {0, 0, 99, 99, 2, "Erase", ""}},
        {ModeDraw, ToolArc, 0, 1, {0, 0, 2, 2, 0, "Mark" + CRLF + "Points", "Set" + CRLF + "Arc"}},
        {ModeMove, ToolNone, 0, 1, {0, 99, 99, 99, 4, "Move", ""}},
        {ModeZoom, ToolNone, 0, 1, {99, 99, 99, 99, 3, "In", "Out"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << "/" << c.tool << "/" << c.selectKind);
        ws.palette.SetDirection(c.direction);
        ws.selection.SetSelectKind(c.selectKind);
        if (c.mode == ModeDraw) {
            Draw(c.tool);
        } else {
            ws.modes.SetMode(c.mode);
        }
        EXPECT_EQ(ws.modes.Pointers(), c.pointers);
        EXPECT_EQ(ws.modes.MouseHelpLeft(), *c.pointers.leftText);
        EXPECT_EQ(ws.modes.MouseHelpRight(), *c.pointers.rightText);
    }
    // Aligning keeps the texts of the mode before it; the hand is over the
    // whole pattern, which a press anywhere on drags.
    ws.modes.SetMode(ModeAlign);
    EXPECT_EQ(ws.modes.Pointers(), (PointerSet{12, 12, 99, 99, 4, std::nullopt, std::nullopt}));
    EXPECT_EQ(ws.modes.MouseHelpLeft(), "In");
    EXPECT_EQ(ws.modes.MouseHelpRight(), "Out");
}

TEST_F(ModesTest, StartWorkspaceStandsOnTheLineInSelectMode) {
    for (const bool noPicture : {true, false}) {
        SCOPED_TRACE(noPicture);
        Draw(ToolErase);
        Draw(ToolSquare);
        ws.palette.SetDirection(5);
        ws.selection.SetSelectKind(SelectEnds);
        ws.modes.SetNoPicture(noPicture);
        ws.StartWorkspace(false);
        EXPECT_EQ(ws.modes.InteractionMode(), ModeSelect);
        EXPECT_EQ(ws.selection.SelectKind(), SelectObjects);
        EXPECT_TRUE(Checked("BtnSelectObject") && !Checked("BtnSelectEnds"));
        EXPECT_EQ(ws.modes.DrawTool(), ToolNone);
        EXPECT_EQ(PressedDrawButton(), "BtnDrawLine");
        EXPECT_FALSE(PaletteShown());
        EXPECT_EQ(std::tuple(ws.palette.BoxChoice, ws.palette.ToolDirection, ws.palette.ShapeMode),
                  std::tuple(0, 1, ShapePush));
        const std::int16_t view = noPicture ? ViewPatternOnly : ViewBoth;
        EXPECT_EQ(ws.surface.ViewMode(), view);
        EXPECT_TRUE(Checked(std::string("MenuViewWork") + std::to_string(view)));
        EXPECT_TRUE(Checked(noPicture ? "BtnViewPattern" : "BtnViewBoth"));
        ws.modes.SetMode(ModeDraw);
        EXPECT_EQ(ws.modes.DrawTool(), ToolLine);
    }
}

}  // namespace
}  // namespace tessary
