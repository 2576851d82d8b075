// One trace step, one hit test and one crossing search on an empty pattern
// and on a full one (32,767 lines); the free-end analysis and the
// closest-end search on a full pattern of traced strokes.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchPlatform.h"
#include "core/engine/Workspace.h"

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
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 100, 100, true, LayerPattern);
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

BENCHMARK(BM_TraceStep)->Arg(0)->Arg(32767);
BENCHMARK(BM_HitTestMiss)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstCrossedLineMiss)->Arg(0)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalyzeFreeEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosestEnd)->Unit(benchmark::kMicrosecond);

}  // namespace
