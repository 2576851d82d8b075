#pragma once

#include <optional>
#include <string>

namespace tessary {

// Every menu, menu entry, toolbar, toolbar button and tool window whose
// state the engine decides, by the control name the window gives its widget.
#define TESSARY_COMMANDS(X)                                                                                          \
    X(MenuFile) X(MenuFileNew) X(MenuFileOpen) X(MenuFileClose) X(MenuFileSave) X(MenuFileSaveAs) X(MenuFileExport)   \
    X(MenuFileRecent)                                                                                                  \
    X(MenuFileExportPatNoPic) X(MenuFileExportBMPNoPic) X(MenuFileExportSVG) X(MenuFileExportDXF)                     \
    X(MenuFileExportPDF) X(MenuFileExportPNG) X(MenuFilePrint) X(MenuFilePrintPreview) X(MenuFilePrintSetup)         \
    X(MenuFileExit)                                                                                                    \
    X(MenuEdit) X(MenuEditUndo) X(MenuEditRedo) X(MenuEditSelect) X(MenuEditSelectObject) X(MenuEditSelectEnds)      \
    X(MenuEditSelectAll) X(MenuEditDel) X(MenuEditDraw)                                                               \
    X(MenuEditDrawLine) X(MenuEditDrawLineMode0) X(MenuEditDrawLineMode1) X(MenuEditDrawCurve) X(MenuEditDrawArc)      \
    X(MenuEditDrawCircle) X(MenuEditDrawBox) X(MenuEditDrawBoxMode0) X(MenuEditDrawBoxMode1) X(MenuEditShape)          \
    X(MenuEditShapeMode0) X(MenuEditShapeMode1) X(MenuEditShapeMode2) X(MenuEditClear) X(MenuEditEraser)              \
    X(MenuEditAlignPat) X(MenuEditAlignPatEnd) X(MenuEditChangePic) X(MenuEditAutoTrace)                              \
    X(MenuView) X(MenuViewWork0) X(MenuViewWork1) X(MenuViewWork2) X(MenuViewMove) X(MenuViewZoom)                    \
    X(MenuViewZoomFit) X(MenuViewZoomNormal)                                                                           \
    X(MenuViewMouseHelp) X(MenuOptions) X(MenuOptionsPositions) X(MenuOptionsSavePositions)                          \
    X(MenuOptionsRestorePositions) X(MenuPatternPrintSize) X(MenuOptionsSetup) X(MenuHelp) X(MenuHelpContents)        \
    X(MenuHelpWeb) X(MenuHelpWebFAQ) X(MenuHelpWebHome) X(MenuHelpAbout)                                               \
    X(BtnOpen) X(BtnNew) X(BtnClose) X(BtnSave) X(BtnPrint) X(BtnViewPicture) X(BtnViewBoth) X(BtnViewPattern)         \
    X(BtnModeSelect) X(BtnModeDraw) X(BtnModeMove) X(BtnModeZoom) X(BtnMouseWin) X(BtnPatternSetup) X(BtnDisplaySetup) \
    X(BtnSelectObject) X(BtnSelectEnds) X(BtnDrawLine) X(BtnDrawArc) X(BtnDrawCircle) X(BtnDrawBox)                   \
    X(BtnMoveCorner) X(BtnMoveCenter) X(BtnMoveUp) X(BtnMoveDown) X(BtnMoveLeft) X(BtnMoveRight) X(BtnZoomNormal)     \
    X(BtnZoomFit) X(BtnZoomIn) X(BtnZoomOut) X(BtnAlignPatOK) X(AlignStretchBar) X(BtnUndo) X(BtnRedo)                \
    X(ToolbarMain0) X(ToolbarMain1) X(ToolbarMain2) X(ToolbarFunc1) X(ToolbarFunc2) X(ToolbarFunc3) X(ToolbarFunc4)   \
    X(DrawToolsForm) X(MouseForm)

enum class Command : int {
#define TESSARY_COMMAND_ENUM(name) name,
    TESSARY_COMMANDS(TESSARY_COMMAND_ENUM)
#undef TESSARY_COMMAND_ENUM
};

inline constexpr int kCommandCount = 0
#define TESSARY_COMMAND_COUNT(name) +1
    TESSARY_COMMANDS(TESSARY_COMMAND_COUNT)
#undef TESSARY_COMMAND_COUNT
    ;

const char* CommandName(Command command);
std::optional<Command> CommandNamed(const std::string& name);
// The command n places after first, in the list above (ToolbarFunc1 + 2 is
// ToolbarFunc3).
constexpr Command CommandAfter(Command first, int n) { return static_cast<Command>(static_cast<int>(first) + n); }

}  // namespace tessary
