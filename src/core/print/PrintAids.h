#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/PrintDevice.h"
#include "core/print/PageLayout.h"
#include "core/print/PrintJob.h"

namespace tessary {

// What helps the user trim and join the pages of a grid, placed on the paper
// beside the pattern region, never on it. Lengths in twips on the paper.

inline constexpr float kTwipsPerMillimetre = 1440 / 25.4f;
inline constexpr float kTwipsPerPoint = 20;

// The thin pen of the cut lines, marks and texts: half a point; cut lines
// dashed 3 mm on, 2 mm off.
inline constexpr PrintPen kAidPen{0.5f * kTwipsPerPoint, 0, 0};
inline constexpr PrintPen kCutLinePen{0.5f * kTwipsPerPoint, 3 * kTwipsPerMillimetre, 2 * kTwipsPerMillimetre};
inline constexpr float kLabelHeight = 8 * kTwipsPerPoint;
inline constexpr float kSmallestLabelHeight = 5 * kTwipsPerPoint;
inline constexpr float kMarkSize = 3 * kTwipsPerMillimetre;

// Rows are lettered like spreadsheet columns: A .. Z, AA, AB ...
std::string RowLetters(int row);

// "B3": a page's name, its row letters and column number.
std::string PageName(const PageAddress& page);

// The page a label names, "B3" or "b3": its row letters and column number;
// none for anything else or a page beyond 32767 rows or columns.
std::optional<PageAddress> PageFromName(const std::string& name);

// "B3  Title  page 5 of 12": the page's place in the grid.
std::string PageLabelText(const PrintJob& job, const PageAddress& page);

// The same, its title cut short ("Long ti...") until measure finds it no
// wider than width.
std::string FittedPageLabel(const PrintJob& job, const PageAddress& page, float width,
                            const std::function<float(const std::string&)>& measure);

struct TextPlacement {
    float left = 0, baseline = 0, height = 0;
};

// The label's place in the bottom margin, or the top one when that has more
// room, beyond the marks of a cut line shared with a neighbour (none on the
// map: page is null); none when neither margin has room even for small
// letters. printable is the sheet's printable area.
std::optional<TextPlacement> PlaceLabel(const PrintJob& job, const PageAddress* page, const PaperRect& printable);

// The paper a label's letters take, textWidth wide, with a little air
// around them: left blank where the label lies over a glue margin.
PaperRect LabelPatch(const TextPlacement& label, float textWidth);

// "Rose   assembly map of 12 pages": the map page's label.
std::string MapLabelText(const PrintJob& job);

// The page region and, beyond its right and bottom cut lines where it has a
// neighbour there, the glue margin, as far as the printable area reaches:
// one margin a seam, under the neighbour trimmed at its cut line.
PaperRect OverlapArea(const PrintJob& job, const PageAddress& page, const PaperRect& printable);

// How far a glue margin can reach, in twips, where the printable area ends
// it: beyond the right or the bottom cut line, whichever has less room, of
// those that have a neighbour beyond them on the page given, or on some
// page of the grid (page null). Infinite where there is none.
float GlueRoom(const PrintJob& job, const PageAddress* page, const PaperRect& printable);

// "; the page margins cut the glue margin to 12 mm": said after a print
// whose glue margin the paper could not hold whole; empty when it could.
std::string GlueMarginCut(const PrintJob& job, float room);

// A triangle in the margin pointing at a point of a cut line.
using MarkTriangle = std::array<PaperPoint, 3>;

// The marks of one page: at both ends and the middle of every cut line the
// page shares with a neighbour, each with its apex on the line. Neighbours
// get theirs at the same places along the shared line.
std::vector<MarkTriangle> AlignmentMarks(const PrintJob& job, const PageAddress& page, const PaperRect& printable);

// The test square block: a 1 inch and a 5 cm square side by side, their
// sizes below them and the advice below that.
struct TestSquare {
    PaperRect inch, fiveCentimetres;
    std::vector<std::pair<PaperPoint, std::string>> texts;  // at their left end on the baseline
    float width = 0, height = 0;                             // of the whole block, from the inch's corner
};
inline constexpr const char* kTestSquareAdvice[] = {"If this square does not measure 1 inch,",
                                                   "print at 100 % / actual size."};

// The pattern's reach on a page of the grid, from the region's corner.
PaperPoint PatternReach(const PrintJob& job, const PageAddress& page, float patternWidth, float patternHeight);

// Where the test square goes on a page: in the part of the page region the
// pattern does not reach (used, from the region's corner), right of it or
// below it; none when it does not fit there. adviceWidth is the width of
// the longer advice line at the label height.
std::optional<TestSquare> PlaceTestSquare(const PrintJob& job, PaperPoint used, float adviceWidth);

// The places for the test square in the page region's four corners, a gap
// in from its edges, clockwise from the top left; none where the block
// does not fit in the region.
std::vector<TestSquare> TestSquareCorners(const PrintJob& job, float adviceWidth);

}  // namespace tessary
