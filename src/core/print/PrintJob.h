#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace tessary {

// Every choice of one print, filled from the wizard's answers; the print
// routines write only PrintColor and the page offsets. Lengths in twips.
struct PrintJob {
    float PageOffsetX = 0;  // where the page region's left edge lies on the paper
    float PageOffsetY = 0;
    std::int32_t PrintColor = 0;
    std::int16_t Pages = 0;
    std::int16_t Rows = 1;
    std::int16_t Columns = 1;
    float PageWidth = 0;  // the pattern region of one page
    float PageHeight = 0;
    bool PrintMirrorImage = false;
    std::int16_t PrintCircleDegrees = 5;
    std::int16_t PrintOrientation = 1;  // 1 portrait, 2 landscape
    bool PrintAllPages = true;
    std::int16_t PrintPageRow = 1;  // the single page, 1-based
    std::int16_t PrintPageColumn = 1;
    bool PrintBitmapImage = false;
    std::int16_t Copies = 1;
    bool Collate = false;
    std::int16_t PatternsPerPage = 1;
    float DuplicateMarginSize = 0;  // spacing between copies on one sheet
    bool PrintCutLine = true;
    // Assembly aids of a grid: each page's label in its margin, marks along
    // the inner cut lines, and a test square on the first page with room.
    bool PrintLabels = true;
    bool PrintMarks = true;
    bool PrintTestSquare = true;
    // A glue margin: how far beyond the right and bottom cut lines shared
    // with a neighbour its pattern is repeated, faintly; 0 for none.
    float Overlap = 0;
    // An assembly map before the pages of a whole grid: the grid of labelled
    // pages over the pattern, scaled to fit one page.
    bool PrintMap = false;
    std::string Title;  // the pattern's, for the labels
};

inline bool PrintsMap(const PrintJob& job) { return job.PrintMap && job.PrintAllPages && job.Pages >= 2; }

inline constexpr std::int16_t kMaxCircleDegrees = 15;

// The wizard's answers made safe to print: at least one copy and one
// pattern per sheet, no negative spacing, a circle step the outline can
// walk, and a single page inside the grid.
inline void ClampPrintJob(PrintJob& job) {
    if (job.Copies < 1) job.Copies = 1;
    if (job.PatternsPerPage < 1) job.PatternsPerPage = 1;
    if (!(job.DuplicateMarginSize >= 0)) job.DuplicateMarginSize = 0;
    if (!(job.Overlap >= 0)) job.Overlap = 0;
    job.PrintCircleDegrees = std::clamp<std::int16_t>(job.PrintCircleDegrees, 1, kMaxCircleDegrees);
    job.PrintPageRow = std::clamp<std::int16_t>(job.PrintPageRow, 1, std::max<std::int16_t>(job.Rows, 1));
    job.PrintPageColumn = std::clamp<std::int16_t>(job.PrintPageColumn, 1, std::max<std::int16_t>(job.Columns, 1));
}

}  // namespace tessary
