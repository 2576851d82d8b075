#pragma once

#include <cstdint>

#include "core/engine/Pointers.h"

namespace tessary {

class Workspace;

enum AppStateValue : std::int16_t { AppNoPattern = 0, AppPatternOpen = 1, AppAligning = 2 };
enum InteractionModeValue : std::int16_t { ModeSelect = 0, ModeDraw = 1, ModeMove = 2, ModeZoom = 3, ModeAlign = 4 };
enum DrawToolValue : std::int16_t {
    ToolNone = -1,
    ToolTrace = 0,
    ToolLine = 1,
    ToolCircle = 2,
    ToolRectangle = 3,
    ToolSquare = 4,
    ToolSharp = 5,
    ToolSmooth = 6,
    ToolPush = 7,
    ToolErase = 8,
    ToolArc = 9,
};

// The application state, the interaction mode and the draw tool, and what
// the menus, toolbars and tool windows show for them.
class Modes {
public:
    explicit Modes(Workspace& ws) : ws_(ws) {}

    std::int16_t AppState() const { return appState_; }
    std::int16_t InteractionMode() const { return mode_; }
    std::int16_t DrawTool() const { return tool_; }
    bool NoPicture() const { return noPicture_; }
    void SetNoPicture(bool none);

    void SetAppState(std::int16_t state);
    void SetMode(std::int16_t mode);
    void SetDrawTool(std::int16_t tool);
    void EnterDrawMode();
    // The menu's choice of a tool to draw with.
    void ChooseDrawTool(std::int16_t tool);
    void ShowFunctionToolbar(std::int16_t mode);
    // Puts the draw toolbar's buttons back to the start (no kind pressed).
    void ResetDrawButtons();

    // The pointers and mouse-help texts of the current mode and tool.
    const PointerSet& Pointers() const { return pointers_; }
    const std::string& MouseHelpLeft() const { return helpLeft_; }
    const std::string& MouseHelpRight() const { return helpRight_; }
    void ApplyPointers();

    // The mouse-help window's switch, mirrored by the buttons and the menu.
    bool MouseHelpOn() const { return mouseHelpOn_; }
    void ShowMouseHelp(bool on);
    void ToggleMouseHelp() { ShowMouseHelp(!mouseHelpOn_); }

    // Draw toolbar buttons and the palette's own controls.
    void ClickDrawLine();
    void ClickDrawArc() { SetDrawTool(ToolArc); }
    void ClickDrawCircle() { SetDrawTool(ToolCircle); }
    void ClickDrawBox();
    void ClickLineToolBox(std::int16_t box);
    void ClickShapeButton(std::int16_t button);
    void ClickEndLineSeries();
    void ClickBoxShapeOption(std::int16_t option);
    void ClickArcCommand(std::int16_t command);
    // The shape tool's example pointer and the picture beside it.
    void ClickExampleTool();
    // Edit > Use Eraser.
    void UseEraser();

private:
    // The tool the palette's line tool choice stands for.
    std::int16_t PaletteLineTool() const;
    std::int16_t PaletteBoxTool() const;

    Workspace& ws_;
    std::int16_t appState_ = AppNoPattern;
    std::int16_t mode_ = ModeSelect;
    std::int16_t tool_ = ToolNone;
    bool noPicture_ = false;
    bool mouseHelpOn_ = false;
    PointerSet pointers_;
    std::string helpLeft_;
    std::string helpRight_;
};

}  // namespace tessary
