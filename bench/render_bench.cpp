// Painting the work window offscreen: a full repaint of a full pattern
// (32,767 lines) over a 24-megapixel photo at fit and at 8x, and the repaint
// after one trace step.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "bench/BenchPlatform.h"
#include "core/engine/Workspace.h"
#include "ui/platform/QtPictureLayers.h"
#include "ui/engine/WorkForm.h"

namespace {

using namespace tessary;

struct Window {
    Window() {
        session = std::make_unique<Session>(Platform{settings, messages, progress, {}});
        ws = std::make_unique<Workspace>(*session);
        // A 6000 x 4000 photo-like picture at 300 dpi: 20 by 13.3 inches.
        QImage photo(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, QColor(40, 90, 160));
        gradient.setColorAt(1, QColor(230, 200, 120));
        painter.fillRect(photo.rect(), gradient);
        painter.end();
        photo.setDotsPerMeterX(11811);
        photo.setDotsPerMeterY(11811);
        const QString path = folder.filePath(QStringLiteral("photo.bmp"));
        photo.save(path);
        pictures.Decode(path.toStdString(), 0);
        pictures.Decode(path.toStdString(), 1);

        work = std::make_unique<WorkForm>(*ws, pictures);
        work->resize(1600, 1000);
        work->show();
        const PictureSize size = pictures.NaturalSize();
        Workspace& w = *ws;
        w.surface.PictureLoaded = true;
        w.surface.PictureFrame = {Rect{0, 0, size.widthTwips, size.heightTwips}, Rect{0, 0, size.widthTwips, size.heightTwips}};
        w.surface.Pattern = w.surface.PictureFrame[0];
        w.reference.SetPatternWidth(size.widthTwips);
        w.reference.SetPatternHeight(size.heightTwips);
        session->options.DimensionWidth = size.widthTwips / 1440;
        session->options.DimensionHeight = size.heightTwips / 1440;
        session->options.RecomputeTwips();
        w.modes.SetAppState(AppPatternOpen);
        w.surface.Enabled = true;
        w.StartWorkspace(true);
        // Traced strokes all over the picture.
        for (int i = 0; i < 32767; ++i) {
            const auto x = static_cast<float>(200 + (i % 181) * 150);
            const auto y = static_cast<float>(200 + (i / 181) * 100);
            w.store.AddLine(x, y, x + 100, y + 60, 1, true);
        }
        w.zoom.ZoomView(ZoomFit);
        w.modes.SetDrawTool(ToolTrace);
        w.modes.SetMode(ModeDraw);
        work->RepaintChanges();
        QApplication::processEvents();
    }
    QTemporaryDir folder;
    bench::NoSettings settings;
    bench::DefaultAnswers messages;
    SilentProgressWindow progress;
    std::unique_ptr<Session> session;
    std::unique_ptr<Workspace> ws;
    QtPictureLayers pictures;
    std::unique_ptr<WorkForm> work;
};

Window& Shared() {
    static Window window;
    return window;
}

void FullRepaint(benchmark::State& state, int zoomIns) {
    Window& w = Shared();
    w.ws->zoom.ZoomView(ZoomFit);
    for (int i = 0; i < zoomIns; ++i) w.ws->zoom.ZoomView(ZoomIn);
    w.work->RepaintChanges();
    w.work->repaint();
    for (auto _ : state) w.work->repaint();
}

void BM_FullRepaintFit(benchmark::State& state) { FullRepaint(state, 0); }
void BM_FullRepaintZoom8(benchmark::State& state) { FullRepaint(state, 3); }

void BM_TraceStepRepaint(benchmark::State& state) {
    Window& w = Shared();
    w.ws->zoom.ZoomView(ZoomFit);
    w.work->RepaintChanges();
    w.work->repaint();
    w.ws->input.WorkspaceMouseDown(kButtonLeft, false, 3000, 3000, LayerPattern);
    float x = 3000;
    for (auto _ : state) {
        x = x == 3000 ? 3300 : 3000;
        w.ws->input.WorkspaceMouseMove(x, 3000);
        w.work->RepaintChanges();
        QApplication::processEvents();
        state.PauseTiming();
        w.ws->store.DeleteLine(w.ws->store.LastIndex());
        w.work->RepaintChanges();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    w.ws->input.WorkspaceMouseUp(x, 3000);
}

BENCHMARK(BM_FullRepaintFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintZoom8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceStepRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
