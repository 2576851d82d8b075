#include "core/print/PrintAids.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessary {

namespace {

// Letters reach below the baseline by about this part of their height.
constexpr float kDescent = 0.3f;
constexpr float kLinePitch = 1.4f;
constexpr float kTestSquareGap = 144;  // a tenth of an inch
constexpr float kInch = 1440;
constexpr float kFiveCentimetres = 50 * kTwipsPerMillimetre;

struct PaperEdges {
    float left, top, right, bottom;
};

PaperEdges RegionOnPaper(const PrintJob& job) {
    return {job.PageOffsetX, job.PageOffsetY, job.PageOffsetX + job.PageWidth, job.PageOffsetY + job.PageHeight};
}

bool HasMarks(const PrintJob& job) { return job.PrintMarks && job.Pages >= 2; }

// What stands beyond a cut line shared with a neighbour: the marks. A label
// may lie over the glue margin below the page, kept until the neighbour is
// glued over it, on a patch of blank paper; where a page has no neighbour
// on one side it goes there.
float MarginTaken(const PrintJob& job, bool neighbour) { return neighbour && HasMarks(job) ? kMarkSize : 0; }

}  // namespace

std::string RowLetters(int row) {
    std::string letters;
    for (int n = std::max(row, 1); n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

std::string PageName(const PageAddress& page) { return RowLetters(page.row) + std::to_string(page.column); }

// ASCII letters and digits only, whatever the locale takes for letters.
std::optional<PageAddress> PageFromName(const std::string& name) {
    std::size_t at = 0;
    long row = 0, column = 0;
    const auto letter = [&] { return (name[at] >= 'A' && name[at] <= 'Z') || (name[at] >= 'a' && name[at] <= 'z'); };
    for (; at < name.size() && letter(); ++at) {
        row = row * 26 + ((name[at] & ~0x20) - 'A' + 1);
        if (row > kMaxPages) return std::nullopt;
    }
    const std::size_t digits = at;
    for (; at < name.size() && name[at] >= '0' && name[at] <= '9'; ++at) {
        column = column * 10 + (name[at] - '0');
        if (column > kMaxPages) return std::nullopt;
    }
    if (digits == 0 || at == digits || at != name.size() || column < 1) return std::nullopt;
    return PageAddress{static_cast<std::int16_t>(row), static_cast<std::int16_t>(column)};
}

std::string PageLabelText(const PrintJob& job, const PageAddress& page) {
    std::string text = PageName(page);
    if (!job.Title.empty()) text += "   " + job.Title;
    const int number = (page.row - 1) * job.Columns + page.column;
    return text + "   page " + std::to_string(number) + " of " + std::to_string(job.Pages);
}

std::string FittedPageLabel(const PrintJob& job, const PageAddress& page, float width,
                            const std::function<float(const std::string&)>& measure) {
    std::string text = PageLabelText(job, page);
    PrintJob shortened = job;
    std::string title = job.Title;
    while (!(measure(text) <= width) && !title.empty()) {
        // A whole character at a time: UTF-8 continuation bytes go with it.
        while (!title.empty() && (static_cast<unsigned char>(title.back()) & 0xC0) == 0x80) title.pop_back();
        if (!title.empty()) title.pop_back();
        while (!title.empty() && title.back() == ' ') title.pop_back();
        shortened.Title = title.empty() ? std::string() : title + "...";
        text = PageLabelText(shortened, page);
    }
    return text;
}

std::string MapLabelText(const PrintJob& job) {
    return (job.Title.empty() ? std::string() : job.Title + "   ") + "assembly map of " + std::to_string(job.Pages) +
           " pages";
}

std::optional<TextPlacement> PlaceLabel(const PrintJob& job, const PageAddress* page, const PaperRect& printable) {
    const PaperEdges region = RegionOnPaper(job);
    // Clear of the cut line and of what stands beyond it.
    const float clearBelow = kLabelHeight / 2 + MarginTaken(job, page != nullptr && page->row < job.Rows);
    const float clearAbove = kLabelHeight / 2 + MarginTaken(job, page != nullptr && page->row > 1);
    const float below = printable.top + printable.height - region.bottom - clearBelow;
    const float above = region.top - printable.top - clearAbove;
    const float room = std::max(below, above);
    const float height = std::min(kLabelHeight, room / (1 + kDescent));
    if (!(height >= kSmallestLabelHeight)) return std::nullopt;
    if (below >= above) return TextPlacement{region.left, region.bottom + clearBelow + height, height};
    return TextPlacement{region.left, region.top - clearAbove - kDescent * height, height};
}

PaperRect LabelPatch(const TextPlacement& label, float textWidth) {
    const float air = label.height / 4;
    return {label.left - air, label.baseline - label.height - air, textWidth + 2 * air,
            label.height * (1 + kDescent) + 2 * air};
}

PaperRect OverlapArea(const PrintJob& job, const PageAddress& page, const PaperRect& printable) {
    const PaperEdges r = RegionOnPaper(job);
    const float overlap = job.Overlap;
    const float right =
        page.column < job.Columns ? std::min(printable.left + printable.width, r.right + overlap) : r.right;
    const float bottom = page.row < job.Rows ? std::min(printable.top + printable.height, r.bottom + overlap) : r.bottom;
    return {r.left, r.top, right - r.left, bottom - r.top};
}

float GlueRoom(const PrintJob& job, const PageAddress* page, const PaperRect& printable) {
    const PaperEdges r = RegionOnPaper(job);
    float room = std::numeric_limits<float>::infinity();
    if (page != nullptr ? page->column < job.Columns : job.Columns > 1) {
        room = std::min(room, printable.left + printable.width - r.right);
    }
    if (page != nullptr ? page->row < job.Rows : job.Rows > 1) {
        room = std::min(room, printable.top + printable.height - r.bottom);
    }
    return std::max(0.0f, room);
}

std::string GlueMarginCut(const PrintJob& job, float room) {
    // A hundredth of a millimetre short is the arithmetic's, not the paper's.
    if (job.Pages < 2 || !(job.Overlap > room + kTwipsPerMillimetre / 100)) return {};
    const int millimetres = static_cast<int>(std::floor(room / kTwipsPerMillimetre));
    return "; the page margins cut the glue margin to " + std::to_string(millimetres) + " mm";
}

std::vector<MarkTriangle> AlignmentMarks(const PrintJob& job, const PageAddress& page, const PaperRect& printable) {
    std::vector<MarkTriangle> marks;
    if (!HasMarks(job)) return marks;
    const PaperEdges r = RegionOnPaper(job);
    const float across[3] = {r.left, (r.left + r.right) / 2, r.right};
    const float down[3] = {r.top, (r.top + r.bottom) / 2, r.bottom};
    // Along a vertical cut line at x, pointing at it from the margin on the
    // side given by outward (+1 right, -1 left); likewise for horizontal ones.
    const auto vertical = [&](float x, float outward, float room) {
        const float size = std::min(kMarkSize, room);
        if (!(size > 0)) return;
        for (const float y : down) {
            marks.push_back({PaperPoint{x, y}, PaperPoint{x + outward * size, y - size / 2},
                             PaperPoint{x + outward * size, y + size / 2}});
        }
    };
    const auto horizontal = [&](float y, float outward, float room) {
        const float size = std::min(kMarkSize, room);
        if (!(size > 0)) return;
        for (const float x : across) {
            marks.push_back({PaperPoint{x, y}, PaperPoint{x - size / 2, y + outward * size},
                             PaperPoint{x + size / 2, y + outward * size}});
        }
    };
    if (page.column < job.Columns) vertical(r.right, 1, printable.left + printable.width - r.right);
    if (page.column > 1) vertical(r.left, -1, r.left - printable.left);
    if (page.row < job.Rows) horizontal(r.bottom, 1, printable.top + printable.height - r.bottom);
    if (page.row > 1) horizontal(r.top, -1, r.top - printable.top);
    return marks;
}

PaperPoint PatternReach(const PrintJob& job, const PageAddress& page, float patternWidth, float patternHeight) {
    const PrintRegion region = PageRegion(job, page.row, page.column);
    return {std::min(job.PageWidth, patternWidth - region.xL), std::min(job.PageHeight, patternHeight - region.yT)};
}

namespace {

struct SquareBlock {
    float width, height, sizeBaseline, firstAdvice, secondAdvice;
};

SquareBlock Block(float adviceWidth) {
    const float g = kTestSquareGap;
    const float h = kLabelHeight;
    SquareBlock b{};
    b.sizeBaseline = kFiveCentimetres + g + h;
    b.firstAdvice = b.sizeBaseline + kLinePitch * h + g / 2;
    b.secondAdvice = b.firstAdvice + kLinePitch * h;
    b.width = std::max(kInch + g + kFiveCentimetres, adviceWidth);
    b.height = b.secondAdvice + kDescent * h;
    return b;
}

TestSquare SquareAt(PaperPoint at, const SquareBlock& b) {
    const float g = kTestSquareGap;
    const float h = kLabelHeight;
    TestSquare square;
    square.inch = {at.x, at.y, kInch, kInch};
    square.fiveCentimetres = {at.x + kInch + g, at.y, kFiveCentimetres, kFiveCentimetres};
    square.texts = {{{at.x, at.y + kInch + g + h}, "1 in"},
                    {{square.fiveCentimetres.left, at.y + b.sizeBaseline}, "5 cm"},
                    {{at.x, at.y + b.firstAdvice}, kTestSquareAdvice[0]},
                    {{at.x, at.y + b.secondAdvice}, kTestSquareAdvice[1]}};
    square.width = b.width;
    square.height = b.height;
    return square;
}

}  // namespace

std::optional<TestSquare> PlaceTestSquare(const PrintJob& job, PaperPoint used, float adviceWidth) {
    const float g = kTestSquareGap;
    const SquareBlock b = Block(adviceWidth);
    const PaperEdges region = RegionOnPaper(job);
    if (job.PageWidth - used.x - 2 * g >= b.width && job.PageHeight - 2 * g >= b.height) {
        return SquareAt({region.left + used.x + g, region.top + g}, b);
    }
    if (job.PageHeight - used.y - 2 * g >= b.height && job.PageWidth - 2 * g >= b.width) {
        return SquareAt({region.left + g, region.top + used.y + g}, b);
    }
    return std::nullopt;
}

std::vector<TestSquare> TestSquareCorners(const PrintJob& job, float adviceWidth) {
    const float g = kTestSquareGap;
    const SquareBlock b = Block(adviceWidth);
    std::vector<TestSquare> corners;
    if (!(job.PageWidth - 2 * g >= b.width && job.PageHeight - 2 * g >= b.height)) return corners;
    const PaperEdges r = RegionOnPaper(job);
    const float left = r.left + g, top = r.top + g, right = r.right - g - b.width, bottom = r.bottom - g - b.height;
    for (const PaperPoint at : {PaperPoint{left, top}, {right, top}, {right, bottom}, {left, bottom}}) {
        corners.push_back(SquareAt(at, b));
    }
    return corners;
}

}  // namespace tessary
