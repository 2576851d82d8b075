// An autosave of a full pattern (32767 lines, 32767 shapes, a 5 MB picture)
// open in the engine: what it costs the input thread (the snapshot and the
// start of the write), and the whole write that runs beside it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "bench/BenchPlatform.h"
#include "core/engine/Workspace.h"
#include "core/platform/CommandDialogs.h"
#include "core/platform/PictureLayers.h"
#include "core/shell/FileCommands.h"
#include "core/shell/Recovery.h"

namespace {

using namespace tessary;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class AnyPicture : public PictureLayers {
public:
    bool Decode(const std::string&, int) override { return true; }
    PictureSize NaturalSize() const override { return {14400, 14400}; }
    RgbImage PicturePixels() const override { return {}; }
    void Clear() override {}
};

struct Fixture {
    Fixture() : folder(fs::temp_directory_path() / ("tessary-autosave-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
        session = std::make_unique<Session>(Platform{settings, messages, window, {"", "", (folder / "tmp").string()}});
        ws = std::make_unique<Workspace>(*session);
        ws->surface.ClientWidth = 12000;
        ws->surface.ClientHeight = 9000;
        files = std::make_unique<FileCommands>(*ws, dialogs, pictures);
        for (int i = 0; i < 32767; ++i) {
            const auto f = static_cast<float>(i);
            session->store.AddLine(f, f + 0.5f, f * 2, f * 3, 1, false);
            session->store.AddShape(ShapeCircle, f, f, 100, 100, 1, false);
        }
        std::vector<char> picture(5 * 1024 * 1024);
        for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>(i * 31);
        std::ofstream(folder / "picture.jpg", std::ios::binary).write(picture.data(), picture.size());
        const std::string full = (folder / "full.pat").string();
        session->file.WritePatternFile(full, (folder / "picture.jpg").string());
        files->OpenPatternCommand(full);
        autosave = std::make_unique<Autosave>(*ws, *files, (folder / "recovery").string(), 30s);
    }
    ~Fixture() {
        autosave.reset();
        fs::remove_all(folder);
    }

    // A change, and the time one interval later when its write is due.
    AutosaveClock::time_point Change() {
        session->store.SetPatternChanged(true);
        autosave->Notice(now);
        now += 30s;
        return now;
    }

    fs::path folder;
    bench::NoSettings settings;
    bench::DefaultAnswers messages;
    SilentProgressWindow window;
    NoCommandDialogs dialogs;
    AnyPicture pictures;
    std::unique_ptr<Session> session;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<FileCommands> files;
    std::unique_ptr<Autosave> autosave;
    AutosaveClock::time_point now{};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Only the input thread's share, the snapshot and the start of the write;
// or the whole write, to the file renamed into place and flushed to disk.
void BM_Autosave(benchmark::State& state, bool wholeWrite) {
    Fixture& f = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        const auto due = f.Change();
        state.ResumeTiming();
        f.autosave->Tick(due, false);
        if (!wholeWrite) state.PauseTiming();
        f.autosave->Wait(due, false);
        if (!wholeWrite) state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(f.autosave->File())) / (1024 * 1024);
}

BENCHMARK_CAPTURE(BM_Autosave, input_thread, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Autosave, whole_write, true)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
