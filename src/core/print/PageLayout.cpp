#include "core/print/PageLayout.h"

#include <algorithm>
#include <cmath>

#include "core/files/PatternOptions.h"
#include "core/platform/PrintDevice.h"

namespace tessary {

namespace {

constexpr float kTwipsPerInch = 1440;
enum Margin { Top = 0, Right = 1, Bottom = 2, Left = 3 };

// The fewest pages that cover the pattern. What is left beyond a page by
// no more than the tolerance (a device pixel, or the pen, whichever is
// wider) is no page: it would carry nothing but a sliver of a stroke. As a
// double, so a count beyond 16 bits shows as such.
double PagesAlong(float pattern, float page, float tolerance) {
    return std::max(1.0, std::ceil((static_cast<double>(pattern) - tolerance) / page));
}

// c is the largest k with k·length + (k − 1)·spacing within room.
int CopiesAlong(float length, float spacing, float room) {
    int count = 1;
    float used = 2 * length + spacing;
    while (used <= room && count < kMaxPages) {
        ++count;
        used = used + length + spacing;
    }
    return count;
}

}  // namespace

std::int16_t DefaultOrientation(const PatternOptions& options) {
    return options.WidthTwips > options.HeightTwips ? 2 : 1;
}

PageGrid ComputePageGrid(const PrintDevice& printer, const PatternOptions& o) {
    PageGrid grid;
    grid.PageWidth = printer.PrintableWidth() - (o.MarginInches(Left) + o.MarginInches(Right)) * kTwipsPerInch;
    grid.PageHeight = printer.PrintableHeight() - (o.MarginInches(Top) + o.MarginInches(Bottom)) * kTwipsPerInch;
    if (!(grid.PageWidth > 0 && grid.PageHeight > 0)) {
        grid.fault = PageGridFault::NoPrintableArea;
        return grid;
    }
    const float pen = o.PenSizeInches() * kTwipsPerInch;
    const double rows = PagesAlong(o.HeightTwips, grid.PageHeight, std::max(printer.PixelHeight(), pen));
    const double columns = PagesAlong(o.WidthTwips, grid.PageWidth, std::max(printer.PixelWidth(), pen));
    if (!(rows * columns <= kMaxPages)) {
        grid.fault = PageGridFault::TooManyPages;
        return grid;
    }
    grid.Rows = static_cast<std::int16_t>(rows);
    grid.Columns = static_cast<std::int16_t>(columns);
    grid.Pages = static_cast<std::int16_t>(rows * columns);
    grid.printable = true;
    return grid;
}

std::int16_t ComputeMaxPatternsPerPage(float spacing, const PatternOptions& o, float pageWidth, float pageHeight) {
    const float w = o.WidthTwips;
    const float h = o.HeightTwips;
    if (!(pageHeight / 2 >= h) && !(pageWidth / 2 >= w)) return 1;
    const long long copies =
        static_cast<long long>(CopiesAlong(w, spacing, pageWidth)) * CopiesAlong(h, spacing, pageHeight);
    return static_cast<std::int16_t>(std::min<long long>(copies, kMaxPages));
}

void ComputePageOffset(PrintJob& job, const PatternOptions& o, const PrintDevice& printer) {
    if (job.Pages <= 1) {
        job.PageOffsetX = (printer.PrintableWidth() - job.PageWidth) / 2;
        job.PageOffsetY = (printer.PrintableHeight() - job.PageHeight) / 2;
    } else {
        job.PageOffsetX = o.MarginInches(Left) * kTwipsPerInch;
        job.PageOffsetY = o.MarginInches(Top) * kTwipsPerInch;
    }
}

PrintRegion PageRegion(const PrintJob& job, int row, int column) {
    // Neighbours compute their shared edge from the same product, so they
    // meet exactly.
    return PrintRegion{static_cast<float>(column - 1) * job.PageWidth, static_cast<float>(column) * job.PageWidth,
                       static_cast<float>(row - 1) * job.PageHeight, static_cast<float>(row) * job.PageHeight};
}

PaperPoint CopyPosition(const PrintJob& job, const PatternOptions& o, int k) {
    const float w = o.WidthTwips;
    const float s = job.DuplicateMarginSize;
    PaperPoint at;
    for (int placed = 1; placed < k; ++placed) {
        const float next = at.x + w + s;
        if (next + w > job.PageWidth) {
            at.x = 0;
            at.y = at.y + o.HeightTwips + s;
        } else {
            at.x = next;
        }
    }
    return at;
}

std::vector<PageAddress> PageOrder(const PrintJob& job, bool allPages, int row, int column) {
    if (!allPages) return {PageAddress{static_cast<std::int16_t>(row), static_cast<std::int16_t>(column)}};
    std::vector<PageAddress> pages;
    pages.reserve(static_cast<std::size_t>(std::max(0, job.Rows * job.Columns)));
    for (int r = 1; r <= job.Rows; ++r) {
        for (int c = 1; c <= job.Columns; ++c) {
            pages.push_back(PageAddress{static_cast<std::int16_t>(r), static_cast<std::int16_t>(c)});
        }
    }
    return pages;
}

}  // namespace tessary
