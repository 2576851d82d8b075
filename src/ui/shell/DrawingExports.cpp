#include "ui/shell/DrawingExports.h"

#include <QBuffer>
#include <QPageSize>
#include <QPrinter>
#include <cmath>

#include "core/engine/Session.h"
#include "core/files/BitmapExport.h"
#include "core/files/FileReplacement.h"
#include "core/files/OutputGuard.h"
#include "core/print/PrintRendering.h"
#include "ui/platform/QtRasterSurface.h"
#include "ui/print/QtPrintDevice.h"

namespace tessary {

namespace {

constexpr double kTwipsPerInch = 1440;
// A PDF page is at most 14400 units of 1/72 inch on a side.
constexpr float kLargestPageTwips = 200 * 1440;
// The resolution of the bitmap print mode, which a vector page never uses.
constexpr float kScreenTwipsPerPixel = 15;

std::string PixelText(int width, int height) {
    return std::to_string(width) + " by " + std::to_string(height) + " pixels";
}

}  // namespace

bool ExportPng(Session& session, int dpi, const std::string& path) {
    if (!MayWriteOutput(path, session.file.document.patternPath, session.messages)) return false;
    const PatternOptions& o = session.options;
    const auto pixels = [dpi](float twips) {
        // Beyond any bitmap (or no number) before it is narrowed to a single.
        const double wanted = twips / kTwipsPerInch * dpi;
        return wanted < kMaxBitmapSide + 1 ? BitmapPixels(static_cast<float>(wanted)) : 0;
    };
    const int width = pixels(o.WidthTwips), height = pixels(o.HeightTwips);
    QtRasterSurface surface;
    BitmapExport bitmap(session.store, session.progress, surface);
    if (!bitmap.ComposeBitmap(o.WidthTwips, o.HeightTwips, width, height, PenPixels(o.PenSizeInches() * dpi), false)) {
        session.messages.MsgExportNotSaved(
            path, "a picture of " + PixelText(width, height) + " could not be made; choose fewer dots per inch");
        return false;
    }
    QImage image = surface.Image();
    bitmap.ReleaseExportSurface();
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        session.messages.MsgExportNotSaved(path, "the picture could not be encoded as PNG");
        return false;
    }
    const std::string problem = ReplaceFileContent(path, bytes.toStdString(), FileReplacement::NewFile::AsUmask);
    if (!problem.empty()) session.messages.MsgExportNotSaved(path, problem);
    return problem.empty();
}

bool ExportPdf(Session& session, const std::string& path) {
    if (!MayWriteOutput(path, session.file.document.patternPath, session.messages)) return false;
    // The page is the pattern: no margins, centred on a sheet of its own size.
    PatternOptions o = session.options;
    for (int side = 0; side < 4; ++side) o.SetMargin(side, 0);
    const float width = o.WidthTwips, height = o.HeightTwips;
    if (!(width > 0 && height > 0 && width <= kLargestPageTwips && height <= kLargestPageTwips)) {
        session.messages.MsgExportNotSaved(path, "a PDF page is 200 inches (5080 mm) on a side at the most");
        return false;
    }
    QPrinter setup(QPrinter::HighResolution);
    setup.setOutputFormat(QPrinter::PdfFormat);
    setup.setOutputFileName(QString::fromStdString(path));
    setup.setFullPage(true);
    const QSizeF portrait(std::min(width, height) / kTwipsPerInch, std::max(width, height) / kTwipsPerInch);
    setup.setPageSize(QPageSize(portrait, QPageSize::Inch, QString(), QPageSize::ExactMatch));
    setup.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    // Turned before the page is placed on it.
    const std::int16_t orientation = width > height ? 2 : 1;
    setup.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QtPrintDevice device(setup);
    QtRasterSurface surface;
    PrintRenderer renderer(session.store, o, session.progress, session.messages, device, surface,
                           kScreenTwipsPerPixel);
    PrintJob job;
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    job.Pages = 1;
    job.PageWidth = width;
    job.PageHeight = height;
    job.PrintOrientation = orientation;
    job.PrintCutLine = false;
    return renderer.PrintPattern(job);
}

}  // namespace tessary
