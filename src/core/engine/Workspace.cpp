#include "core/engine/Workspace.h"

namespace tessary {

Workspace::Workspace(Session& s, const ViewLimits& limits)
    : session(s),
      store(s.store),
      reference(s.reference),
      surface(commands),
      selection(*this),
      endJoining(*this),
      modes(*this),
      zoom(*this, limits),
      input(*this),
      traceTool(*this),
      lineTool(*this),
      circleTool(*this, ShapeCircle),
      rectangleTool(*this, ShapeRectangle),
      squareTool(*this, ShapeSquare),
      arcTool(*this),
      eraseTool(*this),
      shapeTool(*this),
      selectTool(*this),
      moveTool(*this),
      zoomTool(*this),
      tools(selectTool) {
    InitDrawingLook();
}

Tool* Workspace::ToolFor(std::int16_t mode, std::int16_t drawTool) {
    switch (mode) {
        case ModeSelect: return &selectTool;
        case ModeMove: return &moveTool;
        case ModeZoom: return &zoomTool;
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
    const Appearance look{colour, PenWidth(), kDrawModeCopyPen, 0};
    store.ArcLine.Edit(0).look = look;
    store.OutLine.Edit(0).look = look;
    store.OutShape.Edit(0).look = look;
    store.EditLine.look = Appearance{colour, PenWidth(), kDrawModeInvert, 0};
    store.EditShape.look.DrawMode = kDrawModeInvert;
}

void Workspace::RefreshPatternLook() {
    const std::uint32_t colour = session.display.GetColour(0);
    const auto refresh = [&](auto& set) {
        for (std::int16_t i = 0; i < set.Count(); ++i) {
            Appearance& look = set.Edit(i).look;
            look.BorderColor = colour;
            look.BorderWidth = PenWidth();
        }
    };
    refresh(store.ArcLine);
    refresh(store.OutLine);
    refresh(store.OutShape);
    // The rubber band is drawn with the pen its lines will have.
    store.EditLine.look.BorderWidth = PenWidth();
    const std::int16_t state = selection.SelectState();
    if (state == SelectedLine) store.OutLine.Edit(selection.SelectIndex()).look.BorderColor = session.display.GetColour(1);
    if (state == SelectedShape) store.OutShape.Edit(selection.SelectIndex()).look.BorderColor = session.display.GetColour(1);
}

void Workspace::DeleteLastDrawn() {
    if (store.LastKind() == LastKindValue::Line) lineState.LastEnd = lineState.Anchor;
    store.DeleteLastDrawn();
}

void Workspace::DropSelectionOf(std::int16_t line) {
    if (selection.SelectState() == SelectedLine && selection.SelectIndex() == line) selection.ClearSelection();
}

void Workspace::NotePatternFull() {
    if (patternFullShown_) return;
    patternFullShown_ = true;
    session.messages.MsgPatternFull();
}

void Workspace::ResetWorkspace() {
    surface.Enabled = false;
    surface.PatternVisible = false;
    arcTool.EndArc(false);
    selection.ClearSelection();
    store.ClearPattern();
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

}  // namespace tessary
