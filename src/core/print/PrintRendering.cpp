#include "core/print/PrintRendering.h"

#include <algorithm>
#include <climits>
#include <string>

#include "core/files/PatternOptions.h"
#include "core/platform/PrintDevice.h"
#include "core/platform/RasterSurface.h"
#include "core/services/Messages.h"
#include "core/services/Progress.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {

constexpr float kTwipsPerInch = 1440;
// Cut lines are drawn in colour value 1, not in the pattern's colour.
constexpr std::uint32_t kCutLineColour = 1;
enum Margin { Top = 0, Right = 1, Bottom = 2, Left = 3 };

}  // namespace

bool ClipSegment(float& x1, float& y1, float& x2, float& y2, const PrintRegion& r) {
    // Most segments of a grid lie wholly beside a page: rejected before any division.
    if ((x1 > r.xR && x2 > r.xR) || (x1 < r.xL && x2 < r.xL) || (y1 > r.yB && y2 > r.yB) ||
        (y1 < r.yT && y2 < r.yT)) {
        return false;
    }
    // Where the segment enters and leaves the region, by its parameter t
    // from (x1, y1). A crossing takes the edge's own coordinate exactly and
    // is computed from the whole segment, so the parts on two neighbouring
    // pages meet on their shared edge to the last bit.
    struct Crossing {
        float t, x, y;
    };
    Crossing enter{0, x1, y1};
    Crossing leave{1, x2, y2};
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const auto cross = [&](float t, float x, float y, bool entering) {
        if (entering && t > enter.t) enter = {t, x, y};
        if (!entering && t < leave.t) leave = {t, x, y};
    };
    const auto xEdge = [&](float edge, bool entering) {
        const float t = (edge - x1) / dx;
        cross(t, edge, y1 + dy * t, entering);
    };
    const auto yEdge = [&](float edge, bool entering) {
        const float t = (edge - y1) / dy;
        cross(t, x1 + dx * t, edge, entering);
    };
    // Vertical and horizontal segments never cross the edges along them.
    if (dx != 0) {
        xEdge(r.xL, dx > 0);
        xEdge(r.xR, dx < 0);
    }
    if (dy != 0) {
        yEdge(r.yT, dy > 0);
        yEdge(r.yB, dy < 0);
    }
    // A segment passing beside a corner leaves before it enters.
    if (enter.t > leave.t) return false;
    x1 = enter.x;
    y1 = enter.y;
    x2 = leave.x;
    y2 = leave.y;
    return true;
}

void PrintRenderer::PreparePrinterColor(PrintJob& job) {
    job.PrintColor = options_.PenColor;
    const bool black = options_.BandW || options_.PenColor == 0;
    printer_.SetBlackness(black);
    printer_.SetColourMode(!black);
}

void PrintRenderer::PreparePrinterPen() {
    const float pixel = printer_.PixelWidth();
    printer_.SetPen(false, PenPixels(pixel > 0 ? options_.PenSizeInches() * kTwipsPerInch / pixel : 0));
}

bool PrintRenderer::PrintPattern(const PrintJob& job) {
    if (job.Pages < 1) return false;
    job_ = job;
    ClampPrintJob(job_);
    ComputePageOffset(job_, options_, printer_);
    printer_.SetOrientation(job_.PrintOrientation);
    // Collated sets are repeated here; otherwise the driver repeats each page.
    const int sets = job_.Collate ? job_.Copies : 1;
    printer_.SetCopies(job_.Collate ? std::int16_t{1} : job_.Copies);
    // The picture is made before the document starts, so a picture too large
    // for memory leaves no empty document behind.
    if (job_.PrintBitmapImage && !ComposePrintBitmap()) return false;
    bool printed = printer_.BeginDocument();
    if (printed) {
        PrintCopies(sets);
        printed = printer_.EndDocument();
    }
    if (job_.PrintBitmapImage) bitmap_.ReleaseExportSurface();
    if (!printed) messages_.MsgPrintFailed(printer_.DeviceName(), printer_.Failure());
    return printed;
}

void PrintRenderer::PrintCopies(int sets) {
    for (int set = 1; set <= sets; ++set) {
        if (job_.PrintBitmapImage) {
            PrintPageGrid(job_.PrintAllPages, job_.PrintPageRow, job_.PrintPageColumn, true, false);
        } else if (job_.Pages < 2) {
            PrintSinglePage();
        } else {
            PrintPageGrid(job_.PrintAllPages, job_.PrintPageRow, job_.PrintPageColumn, false, job_.PrintCutLine);
        }
        if (set < sets) printer_.NewPage();
    }
}

void PrintRenderer::PrintSinglePage() {
    const long long elements = store_.OutLine.Count() + store_.OutShape.Count();
    progress_.ProgressStart(0, static_cast<int>(std::min<long long>(elements * job_.PatternsPerPage, INT_MAX)),
                            "Printing Page 1 of 1", false);
    for (int k = 1; k <= job_.PatternsPerPage; ++k) {
        const PaperPoint at = CopyPosition(job_, options_, k);
        PrintShapes(at.x, at.y, nullptr);
        PrintLines(at.x, at.y, nullptr);
    }
    if (job_.PrintCutLine) DrawCutLines();
    progress_.ProgressEnd();
}

void PrintRenderer::PrintPageGrid(bool allPages, int row, int column, bool bitmap, bool cutLines) {
    const std::vector<PageAddress> pages = PageOrder(job_, allPages, row, column);
    const int elements = store_.OutLine.Count() + store_.OutShape.Count();
    const float pixel = screenTwipsPerPixel_;
    std::size_t printed = 0;
    for (const PageAddress& page : pages) {
        progress_.ProgressStart(
            0, elements, "Printing Row " + std::to_string(page.row) + " Column " + std::to_string(page.column), false);
        const PrintRegion region = PageRegion(job_, page.row, page.column);
        if (bitmap) {
            printer_.DrawPicture(bitmap_.Surface(), region.xL / pixel, region.yT / pixel, job_.PageWidth / pixel,
                                 job_.PageHeight / pixel, job_.PageOffsetX, job_.PageOffsetY, job_.PageWidth,
                                 job_.PageHeight);
        } else {
            PrintShapes(0, 0, &region);
            PrintLines(0, 0, &region);
            if (cutLines) DrawCutLines();
        }
        if (++printed < pages.size()) printer_.NewPage();
    }
    progress_.ProgressEnd();
}

// The picture has the screen's resolution at true size.
bool PrintRenderer::ComposePrintBitmap() {
    const float pixel = screenTwipsPerPixel_;
    const int pen = PenPixels(pixel > 0 ? options_.PenSizeInches() * kTwipsPerInch / pixel : 0);
    const float width = options_.WidthTwips / pixel;
    const float height = options_.HeightTwips / pixel;
    if (bitmap_.ComposeBitmap(options_.WidthTwips, options_.HeightTwips, BitmapPixels(width), BitmapPixels(height),
                              pen, job_.PrintMirrorImage)) {
        return true;
    }
    bitmap_.ReleaseExportSurface();
    messages_.MsgPrintBitmapNotCreated(width, height);
    return false;
}

float PrintRenderer::Mirrored(float x) const { return job_.PrintMirrorImage ? options_.WidthTwips - x : x; }

void PrintRenderer::PrintLines(float ox, float oy, const PrintRegion* region) {
    const ElementSet<LineElement>& lines = store_.OutLine;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (lines.Visible(i)) {
            const LineElement& e = lines[i];
            PrintSegment(Mirrored(e.X1) + ox, e.Y1 + oy, Mirrored(e.X2) + ox, e.Y2 + oy, region);
        }
        progress_.ProgressStep(1);
    }
}

void PrintRenderer::PrintShapes(float ox, float oy, const PrintRegion* region) {
    const ElementSet<ShapeElement>& shapes = store_.OutShape;
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        const ShapeElement& e = shapes[i];
        // Paper takes boxes and circles; ovals and rounded boxes stay on screen.
        if (shapes.Visible(i) && (e.Shape == ShapeRectangle || e.Shape == ShapeSquare)) {
            PrintBox(OutlineOf(e), ox, oy, region);
        }
        if (shapes.Visible(i) && e.Shape == ShapeCircle) PrintCircle(OutlineOf(e), ox, oy, region);
        progress_.ProgressStep(1);
    }
}

void PrintRenderer::PrintBox(const ShapeOutline& o, float ox, float oy, const PrintRegion* region) {
    const float x1 = Mirrored(o.left) + ox;
    const float x2 = Mirrored(o.left + o.width) + ox;
    const float y1 = o.top + oy;
    const float y2 = y1 + o.height;
    PrintSegment(x1, y1, x2, y1, region);
    PrintSegment(x1, y2, x2, y2, region);
    PrintSegment(x1, y1, x1, y2, region);
    PrintSegment(x2, y1, x2, y2, region);
}

void PrintRenderer::PrintCircle(const ShapeOutline& o, float ox, float oy, const PrintRegion* region) {
    const float r = o.width / 2;
    const float cx = Mirrored(o.left + r) + ox;
    const float cy = o.top + oy + r;
    const auto colour = static_cast<std::uint32_t>(job_.PrintColor);
    if (region == nullptr) {
        printer_.DrawCircle(cx + job_.PageOffsetX, cy + job_.PageOffsetY, r, colour);
        return;
    }
    const PrintRegion& g = *region;
    if (cx + r < g.xL || cx - r > g.xR || cy + r < g.yT || cy - r > g.yB) return;
    if (cx - r >= g.xL && cx + r <= g.xR && cy - r >= g.yT && cy + r <= g.yB) {
        printer_.DrawCircle(cx - g.xL + job_.PageOffsetX, cy - g.yT + job_.PageOffsetY, r, colour);
        return;
    }
    // Across a page edge: the outline as segments, each clipped like a line.
    outline_.CircleStart(cx, cy, r, job_.PrintCircleDegrees);
    float x1, y1, x2, y2;
    bool more = true;
    while (more) {
        more = outline_.CircleNextSegment(x1, y1, x2, y2);
        PrintSegment(x1, y1, x2, y2, region);
    }
}

void PrintRenderer::PrintSegment(float x1, float y1, float x2, float y2, const PrintRegion* region) {
    if (region != nullptr) {
        if (!ClipSegment(x1, y1, x2, y2, *region)) return;
        x1 -= region->xL;
        x2 -= region->xL;
        y1 -= region->yT;
        y2 -= region->yT;
    }
    DrawPrintLine(x1, y1, x2, y2);
}

void PrintRenderer::DrawPrintLine(float x1, float y1, float x2, float y2) {
    printer_.DrawLine(x1 + job_.PageOffsetX, y1 + job_.PageOffsetY, x2 + job_.PageOffsetX, y2 + job_.PageOffsetY,
                      static_cast<std::uint32_t>(job_.PrintColor));
}

// On the paper itself, along the margins: not moved by the page offsets.
void PrintRenderer::DrawCutLines() {
    const bool dotted = printer_.PenDotted();
    const int width = printer_.PenWidth();
    printer_.SetPen(true, 1);
    const float left = options_.MarginInches(Left) * kTwipsPerInch;
    const float top = options_.MarginInches(Top) * kTwipsPerInch;
    const float right = printer_.PrintableWidth() - options_.MarginInches(Right) * kTwipsPerInch;
    const float bottom = printer_.PrintableHeight() - options_.MarginInches(Bottom) * kTwipsPerInch;
    printer_.DrawLine(left, top, right, top, kCutLineColour);
    printer_.DrawLine(right, top, right, bottom, kCutLineColour);
    printer_.DrawLine(right, bottom, left, bottom, kCutLineColour);
    printer_.DrawLine(left, bottom, left, top, kCutLineColour);
    printer_.SetPen(dotted, width);
}

}  // namespace tessary
