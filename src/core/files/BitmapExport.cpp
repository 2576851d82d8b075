#include "core/files/BitmapExport.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/files/PatternOptions.h"
#include "core/platform/RasterSurface.h"
#include "core/shell/Messages.h"
#include "core/shell/Progress.h"
#include "core/workspace/PatternStore.h"

namespace tessary {

int BitmapPixels(float value) {
    // The default rounding mode takes halves to the even neighbour.
    const float pixels = std::nearbyint(value);
    if (!(pixels >= 1 && pixels <= static_cast<float>(kMaxBitmapSide))) return 0;
    return static_cast<int>(pixels);
}

int PenPixels(float value) {
    const float pixels = std::nearbyint(value);
    if (!(pixels >= 1)) return 1;
    return pixels > static_cast<float>(kMaxBitmapSide) ? kMaxBitmapSide : static_cast<int>(pixels);
}

bool BitmapExport::ComposeBitmap(float layerWidth, float layerHeight, int width, int height, int pen, bool mirror) {
    if (width < 1 || height < 1 || !surface_.Create(width, height)) return false;
    surface_.SetPenWidth(pen);
    float fx = 1, fy = 1;
    if (layerWidth > 0 && layerHeight > 0) {
        fx = static_cast<float>(width) / layerWidth;
        fy = static_cast<float>(height) / layerHeight;
    }
    const auto surfaceWidth = static_cast<float>(width);
    const auto x = [&](float patternX) { return mirror ? surfaceWidth - fx * patternX : fx * patternX; };

    const ElementSet<LineElement>& lines = store_.OutLine;
    progress_.ProgressStart(0, lines.Count(), "Generating Bitmap - Lines", false);
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (lines.Visible(i)) {
            const LineElement& e = lines[i];
            surface_.DrawLine(x(e.X1), fy * e.Y1, x(e.X2), fy * e.Y2);
        }
        progress_.ProgressStep(1);
    }

    const ElementSet<ShapeElement>& shapes = store_.OutShape;
    progress_.ProgressStart(0, shapes.Count(), "Generating Bitmap - Shapes", false);
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        const ShapeElement& e = shapes[i];
        const bool box = e.Shape == 0 || e.Shape == 1;
        if (shapes.Visible(i) && box) {
            const float x1 = x(e.Left), x2 = x(e.Left + e.Width);
            const float y1 = fy * e.Top, y2 = fy * (e.Top + e.Height);
            surface_.DrawLine(x1, y1, x2, y1);
            surface_.DrawLine(x1, y2, x2, y2);
            surface_.DrawLine(x1, y1, x1, y2);
            surface_.DrawLine(x2, y1, x2, y2);
        } else if (shapes.Visible(i) && e.Shape == 3) {
            const float radius = e.Height >= e.Width ? fx * e.Width / 2 : fy * e.Height / 2;
            surface_.DrawCircle(x(e.Left + e.Width / 2), fy * (e.Top + e.Height / 2), radius);
        }
        progress_.ProgressStep(1);
    }
    progress_.ProgressEnd();
    return true;
}

bool BitmapExport::ExportBitmap(const PatternOptions& options, float layerWidth, float layerHeight,
                                const std::string& path, Messages& messages) {
    const int width = BitmapPixels(options.BitmapWidth);
    const int height = BitmapPixels(options.BitmapHeight);
    if (!ComposeBitmap(layerWidth, layerHeight, width, height, PenPixels(options.BitmapPenSize), false)) {
        ReleaseExportSurface();
        messages.MsgBitmapNotCreated(options.BitmapWidth, options.BitmapHeight);
        return false;
    }
    const bool saved = SaveWhole(path);
    ReleaseExportSurface();
    if (!saved) messages.MsgBitmapNotSaved(path);
    return saved;
}

// Written beside the target and moved over it only when complete, so a
// full disk leaves neither half a bitmap nor a lost earlier one.
bool BitmapExport::SaveWhole(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path partial = target;
    partial += ".part";
    std::error_code ec;
    if (surface_.SaveBmp(partial.string())) {
        fs::rename(partial, target, ec);
        if (!ec) return true;
    }
    fs::remove(partial, ec);
    return false;
}

void BitmapExport::ReleaseExportSurface() { surface_.Release(); }

}  // namespace tessary
