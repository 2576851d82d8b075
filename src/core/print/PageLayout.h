#pragma once

#include <cstdint>
#include <vector>

#include "core/print/PrintJob.h"

namespace tessary {

class PrintDevice;
struct PatternOptions;

// Page counts are 16-bit.
inline constexpr int kMaxPages = 32767;

enum class PageGridFault {
    None,
    NoPrintableArea,  // the margins leave no room on the sheet
    TooManyPages,     // more pages than a print can count
};

struct PageGrid {
    float PageWidth = 0;
    float PageHeight = 0;
    std::int16_t Rows = 1;
    std::int16_t Columns = 1;
    std::int16_t Pages = 0;
    bool printable = false;
    PageGridFault fault = PageGridFault::None;
};

// The pattern region of one page, edges inclusive.
struct PrintRegion {
    float xL = 0, xR = 0, yT = 0, yB = 0;
};

struct PaperPoint {
    float x = 0, y = 0;
};

struct PageAddress {
    std::int16_t row = 1, column = 1;
    bool operator==(const PageAddress&) const = default;
};

// 2 (landscape) for a pattern wider than high, otherwise 1 (portrait).
std::int16_t DefaultOrientation(const PatternOptions& options);

// The pages the pattern needs on the printer in its current orientation.
PageGrid ComputePageGrid(const PrintDevice& printer, const PatternOptions& options);

// How many copies of the pattern fit on one sheet with the given spacing.
std::int16_t ComputeMaxPatternsPerPage(float spacing, const PatternOptions& options, float pageWidth,
                                       float pageHeight);

// Where the page regions land on the paper: centred for one page, at the
// top and left margins for a grid so the cut lines lie on the region edges.
void ComputePageOffset(PrintJob& job, const PatternOptions& options, const PrintDevice& printer);

PrintRegion PageRegion(const PrintJob& job, int row, int column);

// Copy k (1-based) of a one-page pattern on its sheet, relative to the
// page offset: left to right, then top to bottom.
PaperPoint CopyPosition(const PrintJob& job, const PatternOptions& options, int k);

// The pages to print in the order they leave the printer: row by row from
// the top, each row from the left; or just the chosen page.
std::vector<PageAddress> PageOrder(const PrintJob& job, bool allPages, int row, int column);

}  // namespace tessary
