#include "core/files/BitmapExport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/files/BmpFile.h"
#include "core/files/FileReplacement.h"
#include "core/files/OutputGuard.h"
#include "core/files/PatternOptions.h"
#include "core/platform/RasterSurface.h"
#include "core/services/Messages.h"
#include "core/services/Progress.h"
#include "core/pattern/PatternStore.h"
#include "core/pattern/ShapeOutline.h"

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
    // The layer's edges land on the centres of the outermost pixels, so a
    // border drawn along them stays inside the picture.
    float fx = 1, fy = 1;
    if (layerWidth > 0 && layerHeight > 0) {
        fx = static_cast<float>(width - 1) / layerWidth;
        fy = static_cast<float>(height - 1) / layerHeight;
    }
    const float right = static_cast<float>(width) - 0.5f;
    const auto x = [&](float patternX) { return mirror ? right - fx * patternX : 0.5f + fx * patternX; };
    const auto y = [&](float patternY) { return 0.5f + fy * patternY; };

    const ElementSet<LineElement>& lines = store_.OutLine;
    progress_.ProgressStart(0, lines.Count(), "Generating Bitmap - Lines", false);
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (lines.Visible(i)) {
            const LineElement& e = lines[i];
            surface_.DrawLine(x(e.X1), y(e.Y1), x(e.X2), y(e.Y2));
        }
        progress_.ProgressStep(1);
    }

    const ElementSet<ShapeElement>& shapes = store_.OutShape;
    progress_.ProgressStart(0, shapes.Count(), "Generating Bitmap - Shapes", false);
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        progress_.ProgressStep(1);
        if (!shapes.Visible(i)) continue;
        const ShapeElement& e = shapes[i];
        const ShapeOutline o = OutlineOf(e);
        if (e.Shape == ShapeCircle) {
            // A circle stays round in a bitmap of another aspect: the scale of
            // the side it spans.
            const float radius = (e.Height >= e.Width ? fx : fy) * o.width / 2;
            surface_.DrawCircle(x(o.left + o.width / 2), y(o.top + o.height / 2), radius);
        } else {
            // Chords no further than a quarter pixel from the curve: a chord
            // of angle a strays r a^2 / 8 from an arc of radius r.
            const float pixels = std::max({o.width * fx, o.height * fy, 1.0f}) / 2;
            const float step = std::sqrt(2 / pixels) * 180 / std::numbers::pi_v<float>;
            const std::vector<OutlinePoint> chords = OutlineChords(o, step);
            for (std::size_t k = 1; k < chords.size(); ++k) {
                surface_.DrawLine(x(chords[k - 1].x), y(chords[k - 1].y), x(chords[k].x), y(chords[k].y));
            }
        }
    }
    progress_.ProgressEnd();
    return true;
}

bool BitmapExport::ExportBitmap(const PatternOptions& options, float layerWidth, float layerHeight,
                                const std::string& path, const std::string& patternPath, Messages& messages) {
    if (!MayWriteOutput(path, patternPath, messages)) return false;
    const int width = BitmapPixels(options.BitmapWidth);
    const int height = BitmapPixels(options.BitmapHeight);
    if (!ComposeBitmap(layerWidth, layerHeight, width, height, PenPixels(options.BitmapPenSize), false)) {
        ReleaseExportSurface();
        messages.MsgBitmapNotCreated(options.BitmapWidth, options.BitmapHeight, kMaxBitmapSide);
        return false;
    }
    const bool saved = SaveWhole(path);
    ReleaseExportSurface();
    if (!saved) messages.MsgBitmapNotSaved(path);
    return saved;
}

bool BitmapExport::SaveWhole(const std::string& path) {
    FileReplacement out(path);
    return out.Open() && WriteBmp(out.Descriptor(), surface_) && out.Commit();
}

void BitmapExport::ReleaseExportSurface() { surface_.Release(); }

}  // namespace tessary
