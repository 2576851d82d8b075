#pragma once

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

// Freehand tracing: a stroke becomes a chain of lines, one cut whenever the
// pointer is a trace segment away from the last cut along either axis.
class TraceTool : public DrawingTool {
public:
    explicit TraceTool(DrawContext& ctx) : DrawingTool(ctx) {}
    void DrawPress(int button, float x, float y) override;
    void Move(float x, float y) override { TraceStep(x, y); }
    void Release(float x, float y) override { TraceStep(x, y); }
    const char* StepName() const override { return "Trace"; }
    void TraceStep(float x, float y);
};

// Straight lines with a rubber band, chained into a series.
class LineTool : public DrawingTool {
public:
    explicit LineTool(DrawContext& ctx) : DrawingTool(ctx) {}
    // A series does not outlast its tool.
    void Leave() override;
    void DrawPress(int button, float x, float y) override;
    void Move(float x, float y) override { LineRubberBand(x, y); }
    PointerSet Pointers() const override;
    const char* StepName() const override { return "Line"; }
    void Release(float x, float y) override { LineFinish(x, y); }
    // Escape ends the series; between its clicks the band follows the pointer.
    void Key(int keyCode) override;
    bool Hover(float x, float y) override;
    void LineStart(float x, float y);
    void LineRubberBand(float x, float y);
    void LineFinish(float x, float y);
};

}  // namespace tessary
