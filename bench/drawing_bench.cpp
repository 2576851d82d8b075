// One trace step, one hit test, one crossing search, one erase step and
// shape-tool steps on an empty pattern and on a full one (32,767 lines); the
// free-end analysis and the closest-end search on a full pattern of traced
// strokes; the alignment's stretch and fit.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchPlatform.h"
#include "core/engine/Workspace.h"
#include "core/pattern/LineEnds.h"

namespace {

using namespace tessary;
using bench::DefaultAnswers;
using bench::NoSettings;


struct Engine {
    explicit Engine(int lines) {
        session = std::make_unique<Session>(Platform{settings, messages, window, {}});
        workspace = std::make_unique<Workspace>(*session);
        Workspace& ws = *workspace;
        ws.surface.ClientWidth = 12000;
        ws.surface.ClientHeight = 9000;
        ws.modes.SetNoPicture(true);
        ws.PrepareBlankSurface();
        ws.zoom.ZoomView(ZoomNormal);
        ws.modes.SetAppState(AppPatternOpen);
        ws.surface.Enabled = true;
        ws.StartWorkspace(false);
        // Short diagonal strokes spread over the page, none near (100, 100).
        for (int i = 0; i < lines; ++i) {
            const auto x = static_cast<float>(1000 + (i % 181) * 60);
            const auto y = static_cast<float>(1000 + (i / 181) * 80);
            ws.store.AddLine(x, y, x + 50, y + 70, 1, true);
        }
        ws.modes.SetDrawTool(ToolTrace);
        ws.modes.SetMode(ModeDraw);
    }
    NoSettings settings;
    DefaultAnswers messages;
    SilentProgressWindow window;
    std::unique_ptr<Session> session;
    std::unique_ptr<Workspace> workspace;
};

// A step that cuts a segment, then the segment taken back so every
// iteration meets the same pattern.
void BM_TraceStep(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    if (state.range(0) > 0) ws.store.DeleteLine(static_cast<std::int16_t>(state.range(0) - 1));
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 100, 100, LayerPattern);
    float x = 100;
    for (auto _ : state) {
        x = x == 100 ? 300 : 100;
        ws.input.WorkspaceMouseMove(x, 100);
        ws.store.DeleteLine(ws.store.LastIndex());
    }
}

void BM_HitTestMiss(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    for (auto _ : state) benchmark::DoNotOptimize(ws.selection.HitTest(100, 100));
}

void BM_FirstCrossedLineMiss(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    ws.geometry.SetProbe(175, 175, 25, 25);
    std::int16_t index = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ws.geometry.FirstCrossedLine(ws.store, index));
}

// Strokes of ten segments in consecutive slots: a tenth of the ends are free.
void AddTracedStrokes(Workspace& ws, int lines) {
    constexpr int kSegments = 10;
    for (int i = 0; i < lines; ++i) {
        const int stroke = i / kSegments, step = i % kSegments;
        const auto x = static_cast<float>(500 + (stroke % 60) * 190 + step * 15);
        const auto top = static_cast<float>(500 + (stroke / 60) * 28);
        ws.store.AddLine(x, top + (step % 2) * 20, x + 15, top + ((step + 1) % 2) * 20, 1, true);
    }
}

struct TracedEngine : Engine {
    TracedEngine() : Engine(0) {
        Workspace& ws = *workspace;
        AddTracedStrokes(ws, 32767);
        ws.modes.SetMode(ModeSelect);
    }
};

void BM_AnalyzeFreeEnds(benchmark::State& state) {
    TracedEngine engine;
    Workspace& ws = *engine.workspace;
    for (auto _ : state) ws.selection.SetSelectKind(SelectEnds);
    state.counters["free"] = static_cast<double>(ws.surface.GrabPoint.size() - 1);
}

void BM_FindClosestEnd(benchmark::State& state) {
    TracedEngine engine;
    Workspace& ws = *engine.workspace;
    ws.selection.SetSelectKind(SelectEnds);
    for (auto _ : state) {
        ws.endJoining.FindClosestEnd(1);
        ws.endJoining.DismissProposal();
    }
}

// A line to reshape at (100..400, 100), clear of the others; on a full
// pattern three slots are freed for it and the lines Sharp and Smooth add.
void AddTarget(Workspace& ws) {
    const std::int16_t count = ws.store.OutLine.Count();
    if (ws.store.OutLine.VisibleCount() == count) {
        for (std::int16_t i = count - 1; i >= count - 3; --i) ws.store.DeleteLine(i);
    }
    ws.store.AddLine(100, 100, 400, 100, 1, true);
}

void Use(Workspace& ws, std::int16_t tool) {
    ws.modes.SetDrawTool(tool);
    ws.modes.SetMode(ModeDraw);
}

// A step far enough to erase, where nothing lies: the scan alone.
void BM_EraseStepMiss(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    Use(ws, ToolErase);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 100, 100, LayerPattern);
    const float half = ws.eraseTool.Half();
    float x = 100;
    for (auto _ : state) {
        x = x == 100 ? 100 + half : 100;
        ws.input.WorkspaceMouseMove(x, 100);
    }
}

// A step through the drawn lines; what it erased is put back untimed.
void BM_EraseStepHit(benchmark::State& state) {
    Engine engine(32767);
    Workspace& ws = *engine.workspace;
    Use(ws, ToolErase);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 5000, 3000, LayerPattern);
    const float half = ws.eraseTool.Half();
    float x = 5000;
    std::int64_t erased = 0;
    for (auto _ : state) {
        x = x == 5000 ? 5000 + half : 5000;
        ws.input.WorkspaceMouseMove(x, 3000);
        state.PauseTiming();
        for (std::int16_t i = 0; i < ws.store.OutLine.Count(); ++i) {
            if (ws.store.OutLine.Visible(i)) continue;
            ++erased;
            ws.store.OutLine.SetVisible(i, true);
            ws.store.LineMoved(i);
        }
        state.ResumeTiming();
    }
    state.counters["erased"] = benchmark::Counter(static_cast<double>(erased), benchmark::Counter::kAvgIterations);
}

// Steps of a drag that has taken a line (Sharp, Smooth, Push by range(1)).
void BM_ShapeStep(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    AddTarget(ws);
    Use(ws, static_cast<std::int16_t>(ToolSharp + state.range(1)));
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 250, 50, LayerPattern);
    ws.input.WorkspaceMouseMove(250, 150);
    if (!ws.shapeTool.Active()) state.SkipWithError("no line taken");
    float y = 150;
    for (auto _ : state) {
        y = y == 150 ? 160 : 150;
        ws.input.WorkspaceMouseMove(250, y);
    }
}

// The start of a drag: the crossing search and, for Push, the neighbour search.
void BM_ShapeStart(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    AddTarget(ws);
    Use(ws, ToolPush);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 250, 50, LayerPattern);
    ws.input.WorkspaceMouseMove(250, 150);
    if (!ws.shapeTool.Active()) state.SkipWithError("no line taken");
    for (auto _ : state) {
        ws.input.WorkspaceMouseDown(kButtonLeft, false, 250, 50, LayerPattern);
        ws.input.WorkspaceMouseMove(250, 150);
        ws.input.WorkspaceMouseUp(250, 150);
    }
}

// The chain of a 5,000-segment traced stroke picked out of a full pattern.
void BM_SelectChain(benchmark::State& state) {
    Engine engine(32767 - 5000);
    Workspace& ws = *engine.workspace;
    // Segments joined end to end, zigzagging by a twip.
    const auto y = [](int i) { return i % 2 ? 501.f : 500.f; };
    for (int i = 0; i < 5000; ++i) {
        const auto x = static_cast<float>(500 + i * 2);
        ws.store.AddLine(x, y(i), x + 2, y(i + 1), 1, true);
    }
    for (auto _ : state) benchmark::DoNotOptimize(FindChain(ws.store.OutLine, ws.store.LastIndex()));
}

// Clear Pattern on a full pattern (32,767 lines and 32,767 shapes) undone and
// redone: each iteration is one undo and one redo.
void BM_UndoRedoClearPattern(benchmark::State& state) {
    Engine engine(32767);
    Workspace& ws = *engine.workspace;
    for (int i = 0; i < 32767; ++i) ws.store.AddShape(ShapeRectangle, 500, 500, 300, 400, 1, true);
    ws.history.Clear();
    {
        const EditHistory::Step step(ws.history, "Clear Pattern");
        ws.store.ClearPattern();
    }
    for (auto _ : state) {
        ws.history.Undo();
        ws.history.Redo();
    }
}

// One tick of the alignment's stretch bar (scale, recentre, both written to
// the reference copy), there and back so every iteration meets the same
// pattern; and the fit to a new picture.
void BM_StretchTick(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    ws.AlignPatternCommand();
    int value = 100;
    for (auto _ : state) {
        value = value == 100 ? 99 : 100;
        ws.alignment.StretchBarChanged(value);
    }
}

void BM_FitPatternToPicture(benchmark::State& state) {
    Engine engine(static_cast<int>(state.range(0)));
    Workspace& ws = *engine.workspace;
    for (auto _ : state) ws.alignment.FitPatternToPicture();
}

BENCHMARK(BM_TraceStep)->Arg(0)->Arg(32767);
BENCHMARK(BM_HitTestMiss)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstCrossedLineMiss)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalyzeFreeEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosestEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EraseStepMiss)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EraseStepHit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShapeStep)->ArgsProduct({{0, 32767}, {0, 1, 2}});
BENCHMARK(BM_ShapeStart)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoClearPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StretchTick)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitPatternToPicture)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
