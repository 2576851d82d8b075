// Reading and writing a full pattern (32767 lines, 32767 shapes, a 5 MB
// picture) against copying and reading the same number of bytes plainly.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "bench/BenchPlatform.h"
#include "core/engine/Session.h"

namespace {

using namespace tessary;
using bench::DefaultAnswers;
using bench::NoSettings;
namespace fs = std::filesystem;


struct Fixture {
    Fixture() : folder(fs::temp_directory_path() / ("tessary-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
        session = std::make_unique<Session>(Platform{settings, messages, window, {"", "", (folder / "tmp").string()}});
        session->progress.SetDisplay(true);
        for (int i = 0; i < 32767; ++i) {
            const auto f = static_cast<float>(i);
            const std::int16_t l = session->store.NewLineSlot();
            session->store.OutLine.Edit(l) = LineElement{f, f + 0.5f, f * 2, f * 3, {}};
            session->store.OutLine.SetVisible(l, true);
            const std::int16_t s = session->store.NewShapeSlot();
            session->store.OutShape.Edit(s) = ShapeElement{3, f, f, 100, 100, {}};
            session->store.OutShape.SetVisible(s, true);
        }
        std::vector<char> picture(5 * 1024 * 1024);
        for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>(i * 31);
        std::ofstream(folder / "picture.jpg", std::ios::binary).write(picture.data(), picture.size());
        session->file.document.picturePath = (folder / "picture.jpg").string();
        session->file.WritePatternFile(pattern().string(), session->file.document.picturePath);
    }
    ~Fixture() { fs::remove_all(folder); }
    fs::path pattern() const { return folder / "full.pat"; }

    fs::path folder;
    NoSettings settings;
    DefaultAnswers messages;
    SilentProgressWindow window;
    std::unique_ptr<Session> session;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void CopyThroughBuffer(const fs::path& from, const std::string& to, bool toDisk) {
    static std::vector<char> buffer(64 * 1024);
    std::FILE* in = std::fopen(from.c_str(), "rb");
    std::FILE* out = std::fopen(to.c_str(), "wb");
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) std::fwrite(buffer.data(), 1, n, out);
    std::fflush(out);
    if (toDisk) ::fsync(::fileno(out));
    std::fclose(out);
    std::fclose(in);
}

void BM_WritePattern(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string target = (f.folder / "written.pat").string();
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.session->file.WritePatternFile(target, f.session->file.document.picturePath));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.pattern())));
}

// The same bytes copied through a buffer to a new file, flushed to disk as
// a save is.
void BM_PlainCopy(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string target = (f.folder / "copied.pat").string();
    for (auto _ : state) CopyThroughBuffer(f.pattern(), target, true);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.pattern())));
}

void BM_ReadPattern(benchmark::State& state) {
    Fixture& f = Shared();
    Session& s = *f.session;
    for (auto _ : state) {
        state.PauseTiming();
        s.store.ClearPattern();
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.file.ReadPatternFile(f.pattern().string()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.pattern())));
}

// The same bytes read through a buffer and written to a new file unflushed,
// as reading a pattern extracts its picture.
void BM_PlainRead(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string target = (f.folder / "extract.tmp").string();
    for (auto _ : state) CopyThroughBuffer(f.pattern(), target, false);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.pattern())));
}

BENCHMARK(BM_WritePattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace
