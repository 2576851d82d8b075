// Automatic tracing of a 24-megapixel photo-like picture (6000 by 4000:
// soft gradients, shapes in flat and shaded colours, sensor-like noise) in
// Regions mode with 16 colours: the full trace, and the preview a dialog
// shows while a slider moves; the Edges mode on the same picture beside.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/trace/Trace.h"

namespace {

using namespace tessary;

const RgbImage& Photo() {
    static const RgbImage photo = [] {
        constexpr int w = 6000, h = 4000;
        RgbImage p{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
        std::uint32_t noise = 12345;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                // A sky-like gradient, a hill, a sun and a few buildings.
                double r = 90 + 100.0 * y / h, g = 140 + 60.0 * x / w, b = 220 - 80.0 * y / h;
                if (y > 2600 + 400 * std::sin(x / 700.0)) r = 60 + 40.0 * x / w, g = 120 + 30.0 * std::sin(y / 90.0), b = 40;
                if (std::hypot(x - 4500, y - 900) < 450) r = 250, g = 200 - std::hypot(x - 4500, y - 900) / 9, b = 60;
                for (int k = 0; k < 7; ++k) {
                    const int left = 400 + k * 700, top = 1500 + (k % 3) * 250;
                    if (x >= left && x < left + 450 && y >= top && y < 3400) {
                        r = 120 + k * 15;
                        g = 90 + (k % 2) * 60;
                        b = 80 + ((x - left) / 50 % 2) * 40;  // windows
                    }
                }
                noise = noise * 1664525u + 1013904223u;
                const double n = static_cast<double>(noise >> 24) / 255.0 * 16 - 8;
                std::uint8_t* px = p.rgb.data() + (static_cast<std::size_t>(y) * w + x) * 3;
                px[0] = static_cast<std::uint8_t>(std::clamp(r + n, 0.0, 255.0));
                px[1] = static_cast<std::uint8_t>(std::clamp(g + n, 0.0, 255.0));
                px[2] = static_cast<std::uint8_t>(std::clamp(b + n, 0.0, 255.0));
            }
        }
        return p;
    }();
    return photo;
}

TraceSettings Settings(TraceMode mode, int detail = 50) {
    TraceSettings s;
    s.mode = mode;
    s.colours = 16;
    s.detail = detail;
    s.minPieceArea = 2500;  // a piece of 50 by 50 pixels
    s.segmentLength = 12;
    return s;
}

void Report(benchmark::State& state, const TraceResult& r) {
    state.counters["segments"] = static_cast<double>(r.Segments());
    state.counters["pieces"] = r.pieces;
}

void BM_TraceRegions24Megapixels(benchmark::State& state) {
    const RgbImage& photo = Photo();
    TraceResult r;
    for (auto _ : state) r = Trace(photo, Settings(TraceMode::Regions, static_cast<int>(state.range(0))));
    Report(state, r);
}
// At the default detail, and at the finest (12 of the 24 megapixels).
BENCHMARK(BM_TraceRegions24Megapixels)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TracePreview24Megapixels(benchmark::State& state) {
    const RgbImage& photo = Photo();
    TraceResult r;
    for (auto _ : state) r = TracePreview(photo, Settings(TraceMode::Regions));
    Report(state, r);
}
BENCHMARK(BM_TracePreview24Megapixels)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TraceEdges24Megapixels(benchmark::State& state) {
    const RgbImage& photo = Photo();
    TraceResult r;
    for (auto _ : state) r = Trace(photo, Settings(TraceMode::Edges));
    Report(state, r);
}
BENCHMARK(BM_TraceEdges24Megapixels)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

