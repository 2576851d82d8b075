#include "core/print/PrintRendering.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "core/files/PatternOptions.h"
#include "core/platform/PrintDevice.h"
#include "core/platform/RasterSurface.h"
#include "core/services/Messages.h"
#include "core/services/Progress.h"
#include "core/pattern/LineEnds.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {

constexpr float kTwipsPerInch = 1440;
// Cut lines, marks and texts are drawn in colour value 1, not in the
// pattern's colour.
constexpr std::uint32_t kAidColour = 1;
// A print picture larger than this is made coarser by whole printer pixels:
// at a byte a pixel it stays near 16 megabytes, and the printed pages'
// copies of its slices, at a bit a pixel, far below.
constexpr double kMostPicturePixels = 16e6;
// The assembly map's pattern is a picture this fine (or the printer's
// resolution, when coarser), enough to find each page's place by: a line
// drawn anew for every one of its lines would cost the PDF writer as much
// as a page of the grid, and a finer picture half again as much.
constexpr float kMapPixel = kTwipsPerInch / 100;
// Between the test square in a page's corner and the nearest line.
constexpr float kTestSquareAir = kTwipsPerInch / 20;

PrintRegion Widened(const PrintRegion& r, float by) { return {r.xL - by, r.xR + by, r.yT - by, r.yB + by}; }

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
    blackness_ = options_.BandW || options_.PenColor == 0;
    printer_.SetBlackness(blackness_);
    printer_.SetColourMode(!blackness_);
}

// A whole number of device pixels, at least one.
void PrintRenderer::PreparePrinterPen() {
    const float pixel = printer_.PixelWidth();
    const int pixels = PenPixels(pixel > 0 ? options_.PenSizeInches() * kTwipsPerInch / pixel : 0);
    patternPen_ = PrintPen{pixel > 0 ? static_cast<float>(pixels) * pixel : 0, 0, 0};
    printer_.SetPen(patternPen_);
}

bool PrintRenderer::PrintPattern(const PrintJob& job) {
    if (job.Pages < 1) return false;
    job_ = job;
    ClampPrintJob(job_);
    testSquarePrinted_ = false;
    ink_ = static_cast<std::uint32_t>(job_.PrintColor);
    devicePixel_ = std::max(printer_.PixelWidth(), 0.0f);
    ComputePageOffset(job_, options_, printer_);
    squareInCorner_ = job_.PrintTestSquare &&
                      (job_.Pages < 2 || !RoomBesideThePattern(PageOrder(job_, job_.PrintAllPages, job_.PrintPageRow,
                                                                         job_.PrintPageColumn),
                                                               AdviceWidth()));
    WalkLines();
    printer_.SetOrientation(job_.PrintOrientation);
    // Collated sets are repeated here; otherwise the driver repeats each page.
    const int sets = job_.Collate ? job_.Copies : 1;
    printer_.SetCopies(job_.Collate ? std::int16_t{1} : job_.Copies);
    // The picture is made before the document starts, so a picture too large
    // for memory leaves no empty document behind.
    if (job_.PrintBitmapImage && !ComposePrintBitmap()) return false;
    // On a screen the map draws its pattern line by line, as the pages do.
    const bool mapPicture = PrintsMap(job_) && !job_.PrintBitmapImage && !printer_.ShowsOnScreen();
    if (mapPicture && !ComposeMapPicture()) return false;
    bool printed = printer_.BeginDocument();
    if (printed) {
        PrintCopies(sets);
        printed = printer_.EndDocument();
    }
    if (job_.PrintBitmapImage || mapPicture) bitmap_.ReleaseExportSurface();
    if (!printed) messages_.MsgPrintFailed(printer_.DeviceName(), printer_.Failure());
    return printed;
}

void PrintRenderer::PrintCopies(int sets) {
    for (int set = 1; set <= sets; ++set) {
        if (job_.PrintBitmapImage) {
            PrintPageGrid(job_.PrintAllPages, job_.PrintPageRow, job_.PrintPageColumn, true, job_.PrintCutLine);
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
    PaperPoint used;
    for (int k = 1; k <= job_.PatternsPerPage; ++k) {
        const PaperPoint at = CopyPosition(job_, options_, k);
        PrintShapes(at.x, at.y, nullptr);
        PrintLines(at.x, at.y, nullptr);
        used = {std::max(used.x, at.x + options_.WidthTwips), std::max(used.y, at.y + options_.HeightTwips)};
    }
    if (job_.PrintCutLine) DrawCutLines();
    DrawPageAids(nullptr, used);
    progress_.ProgressEnd();
}

// Each page shows only its region: where the device clips, strokes run on
// past the cut line and the clip ends them there, whole, on both pages.
void PrintRenderer::PrintPageGrid(bool allPages, int row, int column, bool bitmap, bool cutLines) {
    const std::vector<PageAddress> pages = PageOrder(job_, allPages, row, column);
    const int elements = store_.OutLine.Count() + store_.OutShape.Count();
    const bool clip = printer_.CanClip();
    const PaperRect paper = RegionOnPaper();
    if (allPages && PrintsMap(job_)) {
        PrintMap();
        printer_.NewPage();
    }
    std::size_t printed = 0;
    for (const PageAddress& page : pages) {
        progress_.ProgressStart(
            0, elements, "Printing Row " + std::to_string(page.row) + " Column " + std::to_string(page.column), false);
        const PrintRegion region = PageRegion(job_, page.row, page.column);
        if (clip && job_.Overlap > 0) PrintOverlap(page, region, bitmap);
        if (clip) printer_.SetClip(&paper);
        if (bitmap) {
            PrintBitmapSlice(region, region, false);
        } else {
            PrintShapes(0, 0, &region);
            PrintLines(0, 0, &region);
        }
        if (clip) printer_.SetClip(nullptr);
        if (cutLines) DrawCutLines();
        DrawPageAids(&page, PatternReach(job_, page, options_.WidthTwips, options_.HeightTwips));
        if (++printed < pages.size()) printer_.NewPage();
    }
    progress_.ProgressEnd();
}

PaperPoint PrintRenderer::MapReach() const {
    const float scale = MapScale();
    return {job_.Columns * job_.PageWidth * scale, job_.Rows * job_.PageHeight * scale};
}

float PrintRenderer::MapScale() const { return 1.0f / static_cast<float>(std::max(job_.Rows, job_.Columns)); }

// The map's pattern at the map's size; in bitmap mode the print's picture
// serves.
bool PrintRenderer::ComposeMapPicture() {
    const float scale = MapScale();
    const float pixel = std::max(kMapPixel, printer_.PixelWidth());
    const float width = std::ceil(options_.WidthTwips * scale / pixel);
    const float height = std::ceil(options_.HeightTwips * scale / pixel);
    if (ComposePicture(width, height)) return true;
    messages_.MsgPrintMapNotCreated(width, height);
    return false;
}

// The whole grid scaled into one page region, each page's outline and name
// over the pattern's picture, or on a screen over its lines.
void PrintRenderer::PrintMap() {
    const float scale = MapScale();
    if (!job_.PrintBitmapImage && printer_.ShowsOnScreen()) {
        progress_.ProgressStart(0, store_.OutLine.Count() + store_.OutShape.Count(), "Printing Map", false);
        scale_ = scale;
        PrintShapes(0, 0, nullptr);
        PrintLines(0, 0, nullptr);
        scale_ = 1;
    } else {
        progress_.ProgressStart(0, 1, "Printing Map", false);
        const RasterSurface& picture = bitmap_.Surface();
        printer_.DrawPicture(picture, 0, 0, static_cast<float>(picture.Width()), static_cast<float>(picture.Height()),
                             job_.PageOffsetX, job_.PageOffsetY, options_.WidthTwips * scale,
                             options_.HeightTwips * scale, false);
        progress_.ProgressStep(1);
    }
    const PrintPen pen = printer_.Pen();
    printer_.SetPen(kAidPen);
    const float width = job_.PageWidth * scale, height = job_.PageHeight * scale;
    for (const PageAddress& page : PageOrder(job_, true, 1, 1)) {
        const float left = job_.PageOffsetX + static_cast<float>(page.column - 1) * width;
        const float top = job_.PageOffsetY + static_cast<float>(page.row - 1) * height;
        DrawAidLine(left, top, left + width, top);
        DrawAidLine(left + width, top, left + width, top + height);
        DrawAidLine(left + width, top + height, left, top + height);
        DrawAidLine(left, top + height, left, top);
        const std::string name = PageName(page);
        const float letters = std::min({2 * kLabelHeight, height / 3, width / 3});
        DrawText(left + (width - printer_.TextWidth(name, letters)) / 2, top + (height + letters) / 2, name, letters);
    }
    if (job_.PrintLabels) {
        if (const auto label = PlaceLabel(job_, nullptr, Printable())) {
            DrawText(label->left, label->baseline, MapLabelText(job_), label->height);
        }
    }
    StrokeAids();
    printer_.SetPen(pen);
    DrawPageAids(nullptr, MapReach());
}

// The neighbours' pattern in the glue margins, faint, under the page's own:
// in bitmap mode the picture's strips beside the region, as far as the
// margins reach.
void PrintRenderer::PrintOverlap(const PageAddress& page, const PrintRegion& region, bool bitmap) {
    const PaperRect area = OverlapArea(job_, page, Printable());
    if (area == RegionOnPaper()) return;
    printer_.SetClip(&area);
    // The margins on the pattern: the area moved from the paper by the page's place.
    const float dx = region.xL - job_.PageOffsetX, dy = region.yT - job_.PageOffsetY;
    const PrintRegion reach{area.left + dx, area.left + area.width + dx, area.top + dy, area.top + area.height + dy};
    if (bitmap) {
        const PrintRegion strips[] = {{region.xR, reach.xR, region.yT, region.yB},
                                      {reach.xL, reach.xR, region.yB, reach.yB}};
        for (const PrintRegion& strip : strips) {
            if (strip.xR > strip.xL && strip.yB > strip.yT) PrintBitmapSlice(strip, region, true);
        }
    } else {
        printer_.SetBlackness(false);
        ink_ = kFaintColour;
        margins_ = reach;
        PrintShapes(0, 0, &region);
        PrintLines(0, 0, &region);
        margins_.reset();
        ink_ = static_cast<std::uint32_t>(job_.PrintColor);
        printer_.SetBlackness(blackness_);
    }
    printer_.SetClip(nullptr);
}

// The picture's pixels that cover the part of the pattern given, whole,
// placed where they lie on the page: neighbouring pages both carry the
// pixels their shared edge runs through, and the clip cuts each at the edge.
void PrintRenderer::PrintBitmapSlice(const PrintRegion& part, const PrintRegion& region, bool faint) {
    const RasterSurface& picture = bitmap_.Surface();
    const double tx = pictureTwipsX_, ty = pictureTwipsY_;
    const int left = std::max(static_cast<int>(std::floor(part.xL / tx)), 0);
    const int top = std::max(static_cast<int>(std::floor(part.yT / ty)), 0);
    const int right = std::min(static_cast<int>(std::ceil(part.xR / tx)), picture.Width());
    const int bottom = std::min(static_cast<int>(std::ceil(part.yB / ty)), picture.Height());
    if (right <= left || bottom <= top) return;
    printer_.DrawPicture(picture, static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left),
                         static_cast<float>(bottom - top), static_cast<float>(job_.PageOffsetX + left * tx - region.xL),
                         static_cast<float>(job_.PageOffsetY + top * ty - region.yT),
                         static_cast<float>((right - left) * tx), static_cast<float>((bottom - top) * ty), faint);
}

bool PrintRenderer::ComposePrintBitmap() {
    const float printerPixel = printer_.PixelWidth();
    const double pixel = printerPixel > 0 ? printerPixel : screenTwipsPerPixel_;
    const double area = static_cast<double>(options_.WidthTwips) * options_.HeightTwips;
    const double coarser = std::max(1.0, std::ceil(std::sqrt(area / kMostPicturePixels) / pixel));
    const float width = static_cast<float>(std::ceil(options_.WidthTwips / (pixel * coarser)));
    const float height = static_cast<float>(std::ceil(options_.HeightTwips / (pixel * coarser)));
    if (!ComposePicture(width, height)) {
        messages_.MsgPrintBitmapNotCreated(width, height);
        return false;
    }
    pictureTwipsX_ = options_.WidthTwips / static_cast<float>(bitmap_.Surface().Width());
    pictureTwipsY_ = options_.HeightTwips / static_cast<float>(bitmap_.Surface().Height());
    return true;
}

// The pattern on the export surface, width by height pixels rounded, its
// pen as wide as the pattern's over the twips a pixel spans.
bool PrintRenderer::ComposePicture(float width, float height) {
    const int columns = BitmapPixels(width);
    const int rows = BitmapPixels(height);
    if (columns > 0 && rows > 0) {
        const float twips = options_.WidthTwips / static_cast<float>(columns);
        const int pen = PenPixels(options_.PenSizeInches() * kTwipsPerInch / twips);
        if (bitmap_.ComposeBitmap(options_.WidthTwips, options_.HeightTwips, columns, rows, pen,
                                  job_.PrintMirrorImage)) {
            return true;
        }
    }
    bitmap_.ReleaseExportSurface();
    return false;
}

float PrintRenderer::Mirrored(float x) const { return job_.PrintMirrorImage ? options_.WidthTwips - x : x; }

// Joined lines one after another, each from the end it shares with the one
// before, so that the path takes a chain as one run of points; mirrored
// already where the print is. In bitmap mode only a test square looking for
// a free corner needs them.
void PrintRenderer::WalkLines() {
    walk_.clear();
    if (!job_.PrintBitmapImage || squareInCorner_) {
        for (const std::vector<std::int16_t>& chain : FindChains(store_.OutLine)) {
            for (ChainStep s : WalkChain(store_.OutLine, chain)) {
                s.from.x = Mirrored(s.from.x);
                s.to.x = Mirrored(s.to.x);
                walk_.push_back(s);
            }
        }
    }
    walkGrid_.Build(walk_, {0, options_.WidthTwips, 0, options_.HeightTwips});
    // The shapes' boxes, by their diagonals, for a test square looking for a
    // free corner: a print of many pages need not look at every shape for
    // each.
    shapeBoxes_.clear();
    if (squareInCorner_) {
        const ElementSet<ShapeElement>& shapes = store_.OutShape;
        for (std::int16_t i = 0; i < shapes.Count(); ++i) {
            if (!shapes.Visible(i)) continue;
            const ShapeOutline o = OutlineOf(shapes[i]);
            const float left = std::min(Mirrored(o.left), Mirrored(o.left + o.width));
            shapeBoxes_.push_back({{left, o.top}, {left + o.width, o.top + o.height}});
        }
    }
    shapeGrid_.Build(shapeBoxes_, {0, options_.WidthTwips, 0, options_.HeightTwips});
}

// On a page, only the lines that may reach it, in the walk's order.
void PrintRenderer::PrintLines(float ox, float oy, const PrintRegion* region) {
    const auto print = [&](const ChainStep& s) {
        PrintSegment(s.from.x + ox, s.from.y + oy, s.to.x + ox, s.to.y + oy, region);
        progress_.ProgressStep(1);
    };
    std::size_t printed = walk_.size();
    if (region == nullptr) {
        for (const ChainStep& s : walk_) print(s);
    } else {
        const PrintRegion reach = Reach(*region);
        const std::vector<std::uint32_t> near =
            walkGrid_.Near({reach.xL - ox, reach.xR - ox, reach.yT - oy, reach.yB - oy});
        for (const std::uint32_t i : near) print(walk_[i]);
        printed = near.size();
    }
    // The lines passed over, hidden or beside the page.
    progress_.ProgressStep(store_.OutLine.Count() - static_cast<int>(printed));
    StrokePath();
}

void PrintRenderer::PrintShapes(float ox, float oy, const PrintRegion* region) {
    const ElementSet<ShapeElement>& shapes = store_.OutShape;
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        if (shapes.Visible(i)) {
            const ShapeOutline o = OutlineOf(shapes[i]);
            if (o.form == OutlineForm::Box) {
                PrintBox(o, ox, oy, region);
            } else {
                PrintCurved(o, ox, oy, region);
            }
        }
        progress_.ProgressStep(1);
    }
    StrokePath();
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

// Circles, ellipses and rounded boxes: whole as the device draws them, or
// as chords cut at the page edge where the device cannot clip.
void PrintRenderer::PrintCurved(const ShapeOutline& o, float ox, float oy, const PrintRegion* region) {
    ShapeOutline placed = o;
    placed.left = std::min(Mirrored(o.left), Mirrored(o.left + o.width)) + ox;
    placed.top = o.top + oy;
    if (region == nullptr) return DrawCurved(placed);
    const PrintRegion& g = *region;
    const PrintRegion reach = Reach(g);
    const float right = placed.left + placed.width, bottom = placed.top + placed.height;
    if (right < reach.xL || placed.left > reach.xR || bottom < reach.yT || placed.top > reach.yB) return;
    const bool inside = placed.left >= g.xL && right <= g.xR && placed.top >= g.yT && bottom <= g.yB;
    if (margins_ && !ReachesMargins(g, placed.left, placed.top, right, bottom)) return;
    if (inside || printer_.CanClip()) {
        placed.left -= g.xL;
        placed.top -= g.yT;
        return DrawCurved(placed);
    }
    // Across a page edge of a device that cannot clip: the outline as
    // segments, each cut at the edge like a line.
    const std::vector<OutlinePoint> chords = OutlineChords(placed, job_.PrintCircleDegrees);
    for (std::size_t i = 1; i < chords.size(); ++i) {
        PrintSegment(chords[i - 1].x, chords[i - 1].y, chords[i].x, chords[i].y, region);
    }
}

// A shape placed on the page, from the region's corner.
void PrintRenderer::DrawCurved(const ShapeOutline& placed) {
    const ShapeOutline paper{placed.form, placed.left * scale_ + job_.PageOffsetX, placed.top * scale_ + job_.PageOffsetY,
                             placed.width * scale_, placed.height * scale_};
    const float rx = paper.width / 2, ry = paper.height / 2;
    if (paper.form == OutlineForm::RoundedBox) {
        printer_.DrawRoundedBox(paper.left, paper.top, paper.width, paper.height, CornerRadius(paper), ink_);
    } else if (paper.width == paper.height) {
        printer_.DrawCircle(paper.left + rx, paper.top + ry, rx, ink_);
    } else {
        printer_.DrawEllipse(paper.left + rx, paper.top + ry, rx, ry, ink_);
    }
}

void PrintRenderer::PrintSegment(float x1, float y1, float x2, float y2, const PrintRegion* region) {
    if (region != nullptr) {
        if (margins_ &&
            !ReachesMargins(*region, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2))) {
            return;
        }
        if (!ClipSegment(x1, y1, x2, y2, printer_.CanClip() ? Reach(*region) : *region)) return;
        x1 -= region->xL;
        x2 -= region->xL;
        y1 -= region->yT;
        y2 -= region->yT;
    }
    DrawPrintLine(x1, y1, x2, y2);
}

void PrintRenderer::DrawPrintLine(float x1, float y1, float x2, float y2) {
    const float s = scale_;
    path_.AddLine(x1 * s + job_.PageOffsetX, y1 * s + job_.PageOffsetY, x2 * s + job_.PageOffsetX,
                  y2 * s + job_.PageOffsetY);
}

void PrintRenderer::StrokePath() {
    if (path_.Empty()) return;
    printer_.DrawPath(path_, ink_);
    path_.Clear();
}

// How far past a cut line strokes run on under the clip: half the pen, and
// a device pixel for the rounding of the stroke's edges.
float PrintRenderer::Bleed() const { return patternPen_.width / 2 + devicePixel_; }

// A glue margin's pass takes only what reaches past a cut line into a margin.
bool PrintRenderer::ReachesMargins(const PrintRegion& region, float left, float top, float right,
                                   float bottom) const {
    const PrintRegion& m = *margins_;
    const float b = Bleed();
    return (right > region.xR - b && m.xR > region.xR) || (bottom > region.yB - b && m.yB > region.yB) ||
           (left < region.xL + b && m.xL < region.xL) || (top < region.yT + b && m.yT < region.yT);
}

PrintRegion PrintRenderer::Reach(const PrintRegion& region) const {
    return Widened(margins_ ? *margins_ : region, Bleed());
}

PaperRect PrintRenderer::RegionOnPaper() const {
    return {job_.PageOffsetX, job_.PageOffsetY, job_.PageWidth, job_.PageHeight};
}

PaperRect PrintRenderer::Printable() const { return {0, 0, printer_.PrintableWidth(), printer_.PrintableHeight()}; }

// Around the page region: along the margins of a grid, around the centred
// region of a single sheet.
void PrintRenderer::DrawCutLines() {
    const PrintPen pen = printer_.Pen();
    printer_.SetPen(kCutLinePen);
    const PaperRect r = RegionOnPaper();
    const float right = r.left + r.width;
    const float bottom = r.top + r.height;
    // Each side from its own corner, so that every corner starts with a dash.
    aids_.AddRun(r.left, r.top, right, r.top);
    aids_.AddRun(right, r.top, right, bottom);
    aids_.AddRun(right, bottom, r.left, bottom);
    aids_.AddRun(r.left, bottom, r.left, r.top);
    StrokeAids();
    printer_.SetPen(pen);
}

void PrintRenderer::DrawAidLine(float x1, float y1, float x2, float y2) { aids_.AddLine(x1, y1, x2, y2); }

void PrintRenderer::StrokeAids() {
    if (aids_.Empty()) return;
    printer_.DrawPath(aids_, kAidColour);
    aids_.Clear();
}

void PrintRenderer::DrawText(float left, float baseline, const std::string& text, float height) {
    printer_.DrawText(left, baseline, text, height, kAidColour);
}

void PrintRenderer::DrawPageAids(const PageAddress* page, PaperPoint used) {
    const bool grid = page != nullptr && job_.Pages >= 2;
    const bool square = job_.PrintTestSquare && !testSquarePrinted_;
    if (!grid && !square) return;
    const PrintPen pen = printer_.Pen();
    printer_.SetPen(kAidPen);
    if (grid && job_.PrintLabels) {
        if (const auto label = PlaceLabel(job_, page, Printable())) {
            const auto measure = [&](const std::string& text) { return printer_.TextWidth(text, label->height); };
            const std::string text = FittedPageLabel(job_, *page, job_.PageWidth, measure);
            // Over a glue margin, on blank paper: its faint lines would run through the letters.
            const bool overGlue = printer_.CanClip() && label->baseline > RegionOnPaper().top &&
                                  OverlapArea(job_, *page, Printable()).height > job_.PageHeight;
            if (overGlue) printer_.Blank(LabelPatch(*label, measure(text)));
            DrawText(label->left, label->baseline, text, label->height);
        }
    }
    if (grid) {
        for (const MarkTriangle& t : AlignmentMarks(job_, *page, Printable())) {
            DrawAidLine(t[0].x, t[0].y, t[1].x, t[1].y);
            DrawAidLine(t[1].x, t[1].y, t[2].x, t[2].y);
            DrawAidLine(t[2].x, t[2].y, t[0].x, t[0].y);
        }
    }
    if (square) {
        const float advice = AdviceWidth();
        std::optional<TestSquare> placed = PlaceTestSquare(job_, used, advice);
        if (!placed && squareInCorner_) placed = FreeCorner(page, advice);
        if (placed) {
            DrawTestSquare(*placed);
            testSquarePrinted_ = true;
        }
    }
    StrokeAids();
    printer_.SetPen(pen);
}

std::string PrintRenderer::GlueMarginCutText() const {
    const PageAddress page{job_.PrintPageRow, job_.PrintPageColumn};
    return GlueMarginCut(job_, GlueRoom(job_, job_.PrintAllPages ? nullptr : &page, Printable()));
}

float PrintRenderer::AdviceWidth() const {
    float advice = 0;
    for (const char* line : kTestSquareAdvice) advice = std::max(advice, printer_.TextWidth(line, kLabelHeight));
    return advice;
}

bool PrintRenderer::RoomBesideThePattern(const std::vector<PageAddress>& pages, float advice) const {
    if (PrintsMap(job_) && job_.PrintAllPages && PlaceTestSquare(job_, MapReach(), advice)) return true;
    return std::any_of(pages.begin(), pages.end(), [&](const PageAddress& page) {
        return PlaceTestSquare(job_, PatternReach(job_, page, options_.WidthTwips, options_.HeightTwips), advice)
            .has_value();
    });
}

// A corner of a grid page, or of a single sheet with one copy, where no line
// or shape comes within a gap of the block; none on the map.
std::optional<TestSquare> PrintRenderer::FreeCorner(const PageAddress* page, float advice) const {
    if (page == nullptr && (job_.Pages >= 2 || job_.PatternsPerPage > 1)) return std::nullopt;
    const PrintRegion region = page != nullptr ? PageRegion(job_, page->row, page->column) : PrintRegion{};
    for (const TestSquare& square : TestSquareCorners(job_, advice)) {
        // The block on the pattern, with room for the pen and a gap.
        const float x = square.inch.left - job_.PageOffsetX + region.xL;
        const float y = square.inch.top - job_.PageOffsetY + region.yT;
        const PrintRegion box = Widened({x, x + square.width, y, y + square.height}, Bleed() + kTestSquareAir);
        const auto line = [&](std::uint32_t i) {
            ChainStep s = walk_[i];
            return ClipSegment(s.from.x, s.from.y, s.to.x, s.to.y, box);
        };
        const auto shape = [&](std::uint32_t i) {
            const ChainStep& d = shapeBoxes_[i];
            return d.from.x <= box.xR && d.to.x >= box.xL && d.from.y <= box.yB && d.to.y >= box.yT;
        };
        const std::vector<std::uint32_t> lines = walkGrid_.Near(box), shapes = shapeGrid_.Near(box);
        if (std::none_of(lines.begin(), lines.end(), line) && std::none_of(shapes.begin(), shapes.end(), shape)) {
            return square;
        }
    }
    return std::nullopt;
}

void PrintRenderer::DrawTestSquare(const TestSquare& square) {
    for (const PaperRect& r : {square.inch, square.fiveCentimetres}) {
        const float right = r.left + r.width;
        const float bottom = r.top + r.height;
        DrawAidLine(r.left, r.top, right, r.top);
        DrawAidLine(right, r.top, right, bottom);
        DrawAidLine(right, bottom, r.left, bottom);
        DrawAidLine(r.left, bottom, r.left, r.top);
    }
    for (const auto& [at, text] : square.texts) DrawText(at.x, at.y, text, kLabelHeight);
}

}  // namespace tessary
