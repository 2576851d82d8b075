#pragma once

#include <array>
#include <functional>
#include <memory>

#include "core/engine/Alignment.h"
#include "core/engine/ArcTool.h"
#include "core/engine/BoxTool.h"
#include "core/engine/DrawContext.h"
#include "core/engine/EditHistory.h"
#include "core/engine/EndJoining.h"
#include "core/engine/EraseTool.h"
#include "core/engine/SelectTool.h"
#include "core/engine/ShapeTool.h"
#include "core/engine/ToolBox.h"
#include "core/engine/ViewTools.h"
#include "core/pattern/LineGeometry.h"
#include "core/engine/LineTools.h"
#include "core/engine/Palette.h"
#include "core/engine/Selection.h"
#include "core/engine/CommandState.h"
#include "core/engine/Modes.h"
#include "core/engine/Session.h"
#include "core/engine/ZoomMove.h"
#include "core/engine/InputDispatch.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

// The drawing engine: the work window's state, the modes and tools, the
// selection and the view over one session's pattern. The desktop window
// paints this state and forwards its input here; tests drive it directly.
class Workspace {
public:
    explicit Workspace(Session& session, const ViewLimits& limits = {});
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Session& session;
    PatternStore& store;
    ReferenceCopy& reference;

    CommandState commands;
    WorkSurface surface;
    Palette palette;
    LineDrawState lineState;
    LineGeometry geometry;
    RubberBands bands;
    Gesture gesture;
    Selection selection;
    // All the drawing tools see of the rest.
    DrawContext draw;
    EndJoining endJoining;
    Modes modes;
    ZoomMove zoom;
    EditHistory history;
    Alignment alignment;
    InputDispatch input;

    TraceTool traceTool;
    LineTool lineTool;
    BoxTool circleTool;
    BoxTool rectangleTool;
    BoxTool squareTool;
    ArcTool arcTool;
    EraseTool eraseTool;
    ShapeTool shapeTool;
    SelectTool selectTool;
    MoveTool moveTool;
    ZoomTool zoomTool;
    AlignTool alignTool;
    ToolBox tools;

    // Lets the window's pending events run (the end of a busy operation).
    std::function<void()> pumpEvents = [] {};

    // The tool for an InteractionMode and, in draw mode, a DrawTool value;
    // null where there is none.
    Tool* ToolFor(std::int16_t mode, std::int16_t drawTool);

    // The look of pattern objects and feedback from the display settings.
    void InitDrawingLook();
    void RefreshPatternLook();

    void ResetWorkspace();
    bool PrepareBlankSurface();
    void BeginBusy(bool hideWork);
    void EndBusy(bool hideWork);
    // New, Open and the end of an alignment.
    void StartWorkspace(bool zoomToFit);
    // Undo and redo are usable on an open pattern, not while aligning.
    void RefreshHistoryCommands();
    // Edit > Align Pattern and End Align: one step of the history.
    void AlignPatternCommand();
    void EndAlignCommand();

private:
    // After an undo or redo nothing may point at what is gone.
    void AfterHistoryJump();
};

}  // namespace tessary
