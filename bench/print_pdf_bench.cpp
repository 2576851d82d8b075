// The full pattern to a tiled PDF through Qt's PDF writer: with no aids
// (aids:0), with the default ones (aids:1: cut lines, labels, marks, test
// square) and with every one (aids:2: a 10 mm glue margin and the assembly
// map too). The aids may cost at most half again the time without them.
//
// On the two-core build machine (processor time, 16 pages, median of 9):
// 40.2 ms with no aids, 43.0 ms with the default ones (1.07 times), 59.0 ms
// with every one (1.47 times). About half of each run is the PDF writer
// compressing what it writes. The map's pattern is one picture at 100 dpi,
// one bit a pixel: it adds about 9 ms, drawing the picture and the writer
// compressing it (at 150 dpi, 14 ms). The glue margins, one a seam, add
// about 6 ms, the neighbours' lines written again; a margin on both sides
// of every seam cost twice that. Before, these were 39.4, 42.4 and 70.5 ms
// (1.79 times); when the map drew every line again and each page and
// margin looked at every line, 40.0, 43.5 and 92.6 ms (2.3 times); before
// each page's lines were stroked as one path, 46.3, 50.4 and 112 ms.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include "bench/BenchPlatform.h"
#include "bench/FullPrintPattern.h"
#include "core/print/PrintAids.h"
#include "core/print/PrintRendering.h"
#include "ui/platform/QtRasterSurface.h"
#include "ui/print/QtPrintDevice.h"

namespace {

using namespace tessary;

void BM_TiledPdf(benchmark::State& state) {
    const bool aids = state.range(0) >= 1;
    const bool every = state.range(0) >= 2;
    bench::NoSettings settings;
    bench::DefaultAnswers answers;
    SilentProgressWindow window;
    Session session(Platform{settings, answers, window, {}});
    session.progress.SetDisplay(true);
    bench::AddFullPrintPattern(session);

    QTemporaryDir folder;
    QPrinter setup(QPrinter::HighResolution);
    setup.setOutputFormat(QPrinter::PdfFormat);
    setup.setOutputFileName(folder.filePath(QStringLiteral("full.pdf")));
    setup.setFullPage(true);
    setup.setPageSize(QPageSize(QPageSize::Letter));
    setup.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QtPrintDevice printer(setup);
    QtRasterSurface surface;
    PrintRenderer renderer(session.store, session.options, session.progress, session.messages, printer, surface, 15);
    PrintJob job;
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    const PageGrid grid = ComputePageGrid(printer, session.options);
    job.Pages = grid.Pages;
    job.Rows = grid.Rows;
    job.Columns = grid.Columns;
    job.PageWidth = grid.PageWidth;
    job.PageHeight = grid.PageHeight;
    job.Title = "Full";
    job.PrintCutLine = job.PrintLabels = job.PrintMarks = job.PrintTestSquare = aids;
    job.PrintMap = every;
    job.Overlap = every ? 10 * kTwipsPerMillimetre : 0;
    if (grid.Pages != 16) state.SkipWithError("not a 16-page grid");

    for (auto _ : state) {
        if (!renderer.PrintPattern(job)) state.SkipWithError("the PDF was not written");
    }
}
BENCHMARK(BM_TiledPdf)->Arg(0)->Arg(1)->Arg(2)->ArgName("aids")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
