// Printing a full pattern (32,767 lines, 1,000 circles) as a 4 by 4 page
// grid to a printer that only counts what it is sent: the cost of the print
// routines themselves, without a printer driver.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchPlatform.h"
#include "bench/FullPrintPattern.h"
#include "core/platform/PrintDevice.h"
#include "core/platform/RasterSurface.h"
#include "core/print/PrintRendering.h"
#include "core/engine/Session.h"

namespace {

using namespace tessary;
using bench::AddFullPrintPattern;
using bench::DefaultAnswers;
using bench::NoSettings;

// 8 by 10.5 inches printable at 600 dots per inch.
class CountingPrinter : public PrintDevice {
public:
    std::string DeviceName() const override { return "Counter"; }
    bool PrintsToFile() const override { return false; }
    std::string OutputFile() const override { return {}; }
    void SetOutputFile(const std::string&) override {}
    void SetOrientation(std::int16_t) override {}
    float PrintableWidth() const override { return 8 * 1440; }
    float PrintableHeight() const override { return 10.5f * 1440; }
    float PixelWidth() const override { return 2.4f; }
    float PixelHeight() const override { return 2.4f; }
    void SetCopies(std::int16_t) override {}
    void SetColourMode(bool) override {}
    void SetBlackness(bool) override {}
    void SetPen(const PrintPen& p) override { pen = p; }
    PrintPen Pen() const override { return pen; }
    bool CanClip() const override { return true; }
    void SetClip(const PaperRect*) override {}
    void DrawLine(float, float, float, float, std::uint32_t) override { ++lines; }
    void DrawPath(const PaperPath& path, std::uint32_t) override {
        for (const PaperPath::Point& p : path.Points()) lines += p.move ? 0 : 1;
    }
    void DrawCircle(float, float, float, std::uint32_t) override { ++circles; }
    void DrawEllipse(float, float, float, float, std::uint32_t) override { ++circles; }
    void DrawRoundedBox(float, float, float, float, float, std::uint32_t) override { ++circles; }
    void DrawText(float, float, const std::string&, float, std::uint32_t) override {}
    float TextWidth(const std::string& text, float height) const override {
        return static_cast<float>(text.size()) * height / 2;
    }
    void Blank(const PaperRect&) override {}
    void DrawPicture(const RasterSurface&, float, float, float, float, float, float, float, float, bool) override {}
    bool BeginDocument() override { return true; }
    void NewPage() override { ++pages; }
    bool EndDocument() override { return true; }
    std::string Failure() const override { return {}; }

    PrintPen pen;
    long long lines = 0, circles = 0, pages = 0;
};

class NoSurface : public RasterSurface {
public:
    bool Create(int, int) override { return false; }
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void SetPenWidth(int) override {}
    void DrawLine(float, float, float, float) override {}
    void DrawCircle(float, float, float) override {}
    const std::uint32_t* Row(int) const override { return nullptr; }
    void Release() override {}
};

void BM_PrintSixteenPages(benchmark::State& state) {
    NoSettings settings;
    DefaultAnswers answers;
    SilentProgressWindow window;
    Session session(Platform{settings, answers, window, {}});
    session.progress.SetDisplay(true);
    AddFullPrintPattern(session);
    PatternOptions& o = session.options;

    CountingPrinter printer;
    NoSurface surface;
    PrintRenderer renderer(session.store, o, session.progress, session.messages, printer, surface, 15);
    PrintJob job;
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    const PageGrid grid = ComputePageGrid(printer, o);
    job.Pages = grid.Pages;
    job.Rows = grid.Rows;
    job.Columns = grid.Columns;
    job.PageWidth = grid.PageWidth;
    job.PageHeight = grid.PageHeight;
    if (grid.Pages != 16) state.SkipWithError("not a 16-page grid");

    for (auto _ : state) renderer.PrintPattern(job);
    const auto runs = static_cast<double>(state.iterations());
    state.counters["pages"] = static_cast<double>(printer.pages) / runs + 1;
    state.counters["lines_sent"] = static_cast<double>(printer.lines) / runs;
    state.counters["circles_sent"] = static_cast<double>(printer.circles) / runs;
}
BENCHMARK(BM_PrintSixteenPages)->Unit(benchmark::kMillisecond);

}  // namespace
