#include "core/engine/Workspace.h"

#include <algorithm>

#include "core/services/Settings.h"

namespace tessary {

Workspace::Workspace(Session& s, const ViewLimits& limits)
    : session(s),
      store(s.store),
      reference(s.reference),
      surface(commands),
      selection(*this),
      draw(store, bands, lineState, geometry, palette, surface, s.display, s.messages, gesture, selection),
      endJoining(*this),
      modes(*this),
      zoom(*this, limits),
      history(store, reference, s.options,
              static_cast<std::size_t>(std::max(1L, ReadInteger(s.settings, kHistorySection, "Steps",
                                                                static_cast<long>(kDefaultHistorySteps))))),
      alignment(store, surface, s.progress),
      input(*this),
      traceTool(draw),
      lineTool(draw),
      circleTool(draw, ShapeCircle),
      rectangleTool(draw, ShapeRectangle),
      squareTool(draw, ShapeSquare),
      arcTool(draw),
      eraseTool(draw),
      shapeTool(draw),
      selectTool(selection, surface),
      moveTool(zoom, surface, gesture),
      zoomTool(zoom),
      alignTool(alignment, gesture),
      tools(selectTool) {
    draw.pointersChanged = [this] { modes.ApplyPointers(); };
    history.afterJump = [this] { AfterHistoryJump(); };
    history.changed = [this] { RefreshHistoryCommands(); };
    InitDrawingLook();
}

Tool* Workspace::ToolFor(std::int16_t mode, std::int16_t drawTool) {
    switch (mode) {
        case ModeSelect: return &selectTool;
        case ModeMove: return &moveTool;
        case ModeZoom: return &zoomTool;
        case ModeAlign: return &alignTool;
        case ModeDraw: break;
        default: return nullptr;
    }
    switch (drawTool) {
        case ToolTrace: return &traceTool;
        case ToolLine: return &lineTool;
        case ToolCircle: return &circleTool;
        case ToolRectangle: return &rectangleTool;
        case ToolSquare: return &squareTool;
        case ToolArc: return &arcTool;
        case ToolSharp:
        case ToolSmooth:
        case ToolPush: return &shapeTool;
        case ToolErase: return &eraseTool;
        default: return nullptr;
    }
}

void Workspace::InitDrawingLook() {
    const std::uint32_t colour = session.display.GetColour(0);
    const Appearance look{colour, draw.PenWidth(), kDrawModeCopyPen, 0};
    bands.ArcLine.Edit(0).look = look;
    store.OutLine.Edit(0).look = look;
    store.OutShape.Edit(0).look = look;
    bands.EditLine.look = Appearance{colour, draw.PenWidth(), kDrawModeInvert, 0};
    bands.EditShape.look.DrawMode = kDrawModeInvert;
}

void Workspace::RefreshPatternLook() {
    const std::uint32_t colour = session.display.GetColour(0);
    const auto refresh = [&](auto& set) {
        for (std::int16_t i = 0; i < set.Count(); ++i) {
            Appearance& look = set.Edit(i).look;
            look.BorderColor = colour;
            look.BorderWidth = draw.PenWidth();
        }
    };
    refresh(bands.ArcLine);
    refresh(store.OutLine);
    refresh(store.OutShape);
    // The rubber band is drawn with the pen its lines will have.
    bands.EditLine.look.BorderWidth = draw.PenWidth();
    const std::int16_t state = selection.SelectState();
    if (state == SelectedLine) store.OutLine.Edit(selection.SelectIndex()).look.BorderColor = session.display.GetColour(1);
    if (state == SelectedShape) store.OutShape.Edit(selection.SelectIndex()).look.BorderColor = session.display.GetColour(1);
}

void Workspace::ResetWorkspace() {
    surface.Enabled = false;
    surface.PatternVisible = false;
    arcTool.EndArc(false);
    selection.ClearSelection();
    store.ClearPattern();
    bands.Clear();
    history.Clear();
    lineState = LineDrawState{};
    store.ForgetLastDrawn();
    modes.ResetDrawButtons();
}

bool Workspace::PrepareBlankSurface() {
    const PatternOptions& o = session.options;
    surface.Pattern = Rect{0, 0, o.WidthTwips, o.HeightTwips};
    reference.SetPatternWidth(o.WidthTwips);
    reference.SetPatternHeight(o.HeightTwips);
    surface.PictureLoaded = false;
    surface.PictureStretch = true;
    const Rect screen{0, 0, surface.ScreenWidth, surface.ScreenHeight};
    surface.PictureFrame = {screen, screen};
    return true;
}

void Workspace::BeginBusy(bool hideWork) {
    if (hideWork) surface.Enabled = false;
    selection.SetGrabPointsShown(false);
    commands.SetVisible(Command::DrawToolsForm, false);
}

void Workspace::EndBusy(bool hideWork) {
    pumpEvents();
    if (hideWork) surface.Enabled = true;
    selection.SetGrabPointsShown(true);
    commands.SetVisible(Command::DrawToolsForm, modes.InteractionMode() == ModeDraw && modes.DrawTool() != ToolNone);
}

void Workspace::StartWorkspace(bool zoomToFit) {
    palette.Reset();
    modes.SetDrawTool(ToolLine);
    selection.SetSelectKind(SelectObjects);
    modes.SetMode(ModeSelect);
    surface.SetViewMode(modes.NoPicture() ? ViewPatternOnly : ViewBoth);
    if (zoomToFit) zoom.ZoomView(ZoomFit);
}

void Workspace::RefreshHistoryCommands() {
    const bool open = modes.AppState() == AppPatternOpen;
    for (const Command c : {Command::MenuEditUndo, Command::BtnUndo}) commands.SetEnabled(c, open && history.CanUndo());
    for (const Command c : {Command::MenuEditRedo, Command::BtnRedo}) commands.SetEnabled(c, open && history.CanRedo());
}

void Workspace::AfterHistoryJump() {
    arcTool.EndArc(false);
    selection.ClearSelection();
    draw.EndLineSeries();
    store.ForgetLastDrawn();
    RefreshPatternLook();
    // The free ends are found anew.
    if (modes.InteractionMode() == ModeSelect) selection.SetSelectKind(selection.SelectKind());
}

void Workspace::AlignPatternCommand() {
    const EditHistory::Step step(history, "Align Pattern");
    history.Hold();
    StartWorkspace(false);
    modes.SetMode(ModeAlign);
    modes.SetAppState(AppAligning);
    alignment.StartAlignment();
    store.SetPatternChanged(true);
}

void Workspace::EndAlignCommand() {
    alignment.EndAlignment();
    history.Release();
    modes.SetAppState(AppPatternOpen);
    StartWorkspace(true);
}

}  // namespace tessary
