#include "core/engine/Modes.h"

#include "core/engine/Workspace.h"

namespace tessary {

namespace {

const Command kModeButtons[] = {Command::BtnModeSelect, Command::BtnModeDraw, Command::BtnModeMove,
                                Command::BtnModeZoom};
const Command kDrawButtons[] = {Command::BtnDrawLine, Command::BtnDrawArc, Command::BtnDrawCircle, Command::BtnDrawBox};
enum DrawButton { ButtonLine = 0, ButtonArc = 1, ButtonCircle = 2, ButtonBox = 3 };

// Entries usable only while a pattern is open (and not being aligned).
const Command kOpenPatternEntries[] = {
    Command::MenuFileClose,    Command::MenuFileSave,    Command::MenuFileSaveAs,       Command::MenuFileExport,
    Command::MenuFilePrint,    Command::MenuFilePrintPreview, Command::MenuPatternPrintSize, Command::MenuEditSelect, Command::MenuEditDel,
    Command::MenuEditDraw,     Command::MenuEditShape,   Command::MenuEditClear,        Command::MenuEditEraser,
    Command::MenuEditChangePic, Command::MenuEditSelectAll, Command::MenuViewMove,   Command::MenuViewZoom,         Command::MenuViewMouseHelp,
    Command::MenuViewWork1,    Command::MenuViewZoomFit, Command::MenuViewZoomNormal,
};

}  // namespace

void Modes::SetNoPicture(bool none) {
    noPicture_ = none;
    SetAppState(appState_);
}

void Modes::SetAppState(std::int16_t state) {
    appState_ = state;
    CommandState& c = ws_.commands;
    for (int i = 0; i < 3; ++i) c.SetVisible(CommandAfter(Command::ToolbarMain0, i), i == state);
    c.SetVisible(Command::AlignStretchBar, state == AppAligning);
    for (int i = 0; i < 4; ++i) c.SetVisible(CommandAfter(Command::ToolbarFunc1, i), state == AppPatternOpen && i == 0);
    if (state != AppPatternOpen) ShowMouseHelp(false);

    const bool open = state == AppPatternOpen;
    const bool pictureViews = state != AppAligning && !noPicture_;
    c.SetEnabled(Command::BtnViewPicture, pictureViews);
    c.SetEnabled(Command::BtnViewBoth, pictureViews);
    // An open pattern is closed first (with the save question).
    c.SetEnabled(Command::MenuFileNew, state != AppAligning);
    c.SetEnabled(Command::MenuFileOpen, state != AppAligning);
    c.SetEnabled(Command::MenuFileRecent, state != AppAligning);
    for (const Command entry : kOpenPatternEntries) c.SetEnabled(entry, open);
    c.SetEnabled(Command::MenuViewWork0, open && !noPicture_);
    c.SetEnabled(Command::MenuViewWork2, open && !noPicture_);
    // Only a picture can be traced.
    c.SetEnabled(Command::MenuEditAutoTrace, open && !noPicture_);
    c.SetVisible(Command::MenuEditAlignPat, state != AppAligning);
    c.SetEnabled(Command::MenuEditAlignPat, open);
    c.SetVisible(Command::MenuEditAlignPatEnd, state == AppAligning);
    c.SetEnabled(Command::MenuEditAlignPatEnd, state == AppAligning);
    // Use Eraser shares its access key with End Align, and a disabled entry
    // still takes the key: it steps aside while End Align is there.
    c.SetVisible(Command::MenuEditEraser, state != AppAligning);
    // The display settings stay as they are while an alignment is under way.
    c.SetEnabled(Command::MenuOptionsSetup, state != AppAligning);
    c.SetEnabled(Command::BtnDisplaySetup, state != AppAligning);
    ws_.RefreshHistoryCommands();
}

void Modes::ShowFunctionToolbar(std::int16_t mode) {
    for (int i = 0; i < 4; ++i) {
        ws_.commands.SetVisible(CommandAfter(Command::ToolbarFunc1, i), mode != ModeAlign && i == mode);
    }
}

void Modes::SetMode(std::int16_t mode) {
    mode_ = mode;
    if (mode >= ModeSelect && mode <= ModeZoom) {
        for (int m = ModeSelect; m <= ModeZoom; ++m) ws_.commands.SetChecked(kModeButtons[m], m == mode);
    }
    ShowFunctionToolbar(mode);
    if (mode == ModeDraw) {
        EnterDrawMode();
    } else {
        // Aligning keeps the draw tool for afterwards.
        if (mode != ModeAlign) SetDrawTool(ToolNone);
        ws_.tools.Choose(ws_.ToolFor(mode, ToolNone));
    }
    ApplyPointers();
}

std::int16_t Modes::PaletteLineTool() const {
    switch (ws_.palette.LineToolChoice) {
        case ChoiceTrace: return ToolTrace;
        case ChoiceShapeTool: return static_cast<std::int16_t>(ToolSharp + ws_.palette.ShapeMode);
        case ChoiceErase: return ToolErase;
        default: return ToolLine;
    }
}

std::int16_t Modes::PaletteBoxTool() const { return ws_.palette.BoxChoice == 1 ? ToolSquare : ToolRectangle; }

void Modes::EnterDrawMode() {
    const CommandState& c = ws_.commands;
    std::int16_t tool = tool_;
    if (c[kDrawButtons[ButtonLine]].checked) {
        tool = PaletteLineTool();
    } else if (c[kDrawButtons[ButtonArc]].checked) {
        tool = ToolArc;
    } else if (c[kDrawButtons[ButtonCircle]].checked) {
        tool = ToolCircle;
    } else if (c[kDrawButtons[ButtonBox]].checked) {
        tool = PaletteBoxTool();
    }
    SetDrawTool(tool);
}

void Modes::ChooseDrawTool(std::int16_t tool) {
    SetDrawTool(tool);
    SetMode(ModeDraw);
}

void Modes::SetDrawTool(std::int16_t tool) {
    tool_ = tool;
    // Outside draw mode the choice waits for the mode to come back.
    if (mode_ == ModeDraw) ws_.tools.Choose(ws_.ToolFor(mode_, tool));

    Palette& p = ws_.palette;
    int button = -1;
    switch (tool) {
        case ToolTrace:
        case ToolLine:
            button = ButtonLine;
            p.ChooseLineToolBox(tool == ToolTrace ? ChoiceTrace : ChoiceLine);
            p.ShowToolFrame(FrameLine);
            break;
        case ToolCircle:
            button = ButtonCircle;
            p.ShowToolFrame(FrameCircle);
            break;
        case ToolRectangle:
        case ToolSquare:
            button = ButtonBox;
            p.ChooseBox(tool == ToolSquare ? 1 : 0);
            p.ShowToolFrame(FrameBox);
            break;
        case ToolSharp:
        case ToolSmooth:
        case ToolPush:
            button = ButtonLine;
            p.ChooseLineToolBox(ChoiceShapeTool);
            p.ChooseShapeMode(static_cast<std::int16_t>(tool - ToolSharp));
            p.ShowToolFrame(FrameLine);
            break;
        case ToolErase:
            button = ButtonLine;
            p.ChooseLineToolBox(ChoiceErase);
            p.ShowToolFrame(FrameLine);
            break;
        case ToolArc:
            button = ButtonArc;
            p.ShowToolFrame(FrameArc);
            break;
        default: break;
    }
    if (button >= 0) {
        for (int b = ButtonLine; b <= ButtonBox; ++b) ws_.commands.SetChecked(kDrawButtons[b], b == button);
    }
    ws_.commands.SetVisible(Command::DrawToolsForm, tool != ToolNone);
    ApplyPointers();
}

void Modes::ResetDrawButtons() {
    for (const Command button : kDrawButtons) ws_.commands.SetChecked(button, false);
}

void Modes::ApplyPointers() {
    if (const Tool* tool = ws_.tools.Current()) {
        pointers_ = tool->Pointers();
    } else {
        pointers_ = PointerSet{PointerDefault, PointerDefault, PointerDefault, PointerDefault, 0, "", ""};
    }
    if (pointers_.leftText) helpLeft_ = *pointers_.leftText;
    if (pointers_.rightText) helpRight_ = *pointers_.rightText;
}

void Modes::ShowMouseHelp(bool on) {
    mouseHelpOn_ = on;
    ws_.commands.SetChecked(Command::BtnMouseWin, on);
    ws_.commands.SetChecked(Command::MenuViewMouseHelp, on);
    ws_.commands.SetVisible(Command::MouseForm, on);
}

void Modes::ClickDrawLine() { SetDrawTool(PaletteLineTool()); }

void Modes::ClickDrawBox() { SetDrawTool(PaletteBoxTool()); }

void Modes::ClickLineToolBox(std::int16_t box) {
    std::int16_t tool = ToolNone;
    switch (box) {
        case ChoiceTrace: tool = ToolTrace; break;
        case ChoiceLine: tool = ToolLine; break;
        case ChoiceShapeTool: tool = static_cast<std::int16_t>(ToolSharp + ws_.palette.ShapeMode); break;
        case ChoiceErase: tool = ToolErase; break;
        default: return;
    }
    if (tool != tool_) SetDrawTool(tool);
}

void Modes::ClickShapeButton(std::int16_t button) {
    if (button < 1 || button > 3) return;
    ws_.palette.ChooseShapeMode(static_cast<std::int16_t>(button - 1));
    ApplyPointers();
    ClickLineToolBox(ChoiceShapeTool);
}

void Modes::ClickEndLineSeries() {
    ws_.palette.ChooseLineToolBox(ChoiceLine);
    ws_.draw.EndLineSeries();
}

void Modes::ClickBoxShapeOption(std::int16_t option) {
    const std::int16_t tool = option == 1 ? ToolSquare : ToolRectangle;
    if (tool != tool_) SetDrawTool(tool);
}

void Modes::ClickArcCommand(std::int16_t command) {
    if (command == 1) ws_.arcTool.CommitArc();
    ws_.arcTool.EndArc(true);
}

void Modes::ClickExampleTool() { ws_.palette.ChooseLineToolBox(ChoiceShapeTool); }

void Modes::UseEraser() {
    ws_.selection.ClearSelection();
    SetMode(ModeDraw);
    SetDrawTool(ToolErase);
}

}  // namespace tessary
