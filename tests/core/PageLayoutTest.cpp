#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "core/files/PatternOptions.h"
#include "core/print/PageLayout.h"
#include "tests/core/PrintFakes.h"

namespace tessary {
namespace {

constexpr float kInch = 1440;

PatternOptions Pattern(float width, float height, float margin = 0.5f) {
    PatternOptions o;
    o.WidthTwips = width;
    o.HeightTwips = height;
    for (int i = 0; i < 4; ++i) o.SetMargin(i, margin);
    return o;
}

TEST(PageLayout, GridCountsPagesAlongBothSides) {
    const struct {
        float paperWidth, paperHeight, margin;  // printable area in portrait
        std::int16_t orientation;
        float width, height;
        float pageWidth, pageHeight;
        int rows, columns, pages;
        PageGridFault fault;
    } cases[] = {
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 10 * kInch, 8 * kInch, 10080, 13680, 1, 2, 2, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 0.5f, 2, 10 * kInch, 8 * kInch, 13680, 10080, 2, 2, 4, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 5 * kInch, 13680, 10080, 13680, 1, 1, 1, PageGridFault::None},
        // The fewest pages that cover: an exact multiple takes no more, and
        // what is left beyond a page by less than the pen (22.5 twips) is no page.
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 5 * kInch, 13682, 10080, 13680, 1, 1, 1, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 5 * kInch, 2 * 13680, 10080, 13680, 2, 1, 2, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 5 * kInch, 2 * 13680 + 22, 10080, 13680, 2, 1, 2, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 0.5f, 1, 5 * kInch, 2 * 13680 + 23, 10080, 13680, 3, 1, 3, PageGridFault::None},
        // 20 by 15 inches on 10 by 7.5 inch regions: 2 by 2.
        {8.5f * kInch, 11 * kInch, 0.5f, 2, 20 * kInch, 15 * kInch, 14400, 10800, 2, 2, 4, PageGridFault::None},
        {8 * kInch, 10.5f * kInch, 4.0f, 1, 5 * kInch, 5 * kInch, 0, 3600, 1, 1, 0, PageGridFault::NoPrintableArea},
        // 151 rows by 217 columns is the largest grid a print can count.
        {10, 10, 0, 1, 2190, 1530, 10, 10, 151, 217, 32767, PageGridFault::None},
        {10, 10, 0, 1, 2200, 1530, 10, 10, 1, 1, 0, PageGridFault::TooManyPages},
        {10, 10, 0, 1, 1e9f, 5, 10, 10, 1, 1, 0, PageGridFault::TooManyPages},
    };
    for (const auto& c : cases) {
        test::RecordingPrinter printer(c.paperWidth, c.paperHeight, 2.4f);
        printer.SetOrientation(c.orientation);
        const PageGrid g = ComputePageGrid(printer, Pattern(c.width, c.height, c.margin));
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " orientation " << c.orientation);
        EXPECT_EQ(std::tuple(g.PageWidth, g.PageHeight, g.Rows, g.Columns, g.Pages),
                  std::tuple(c.pageWidth, c.pageHeight, c.rows, c.columns, c.pages));
        EXPECT_TRUE(g.printable == (c.pages > 0) && g.fault == c.fault);
    }
}

TEST(PageLayout, LandscapeOnlyForPatternsWiderThanHigh) {
    EXPECT_EQ(DefaultOrientation(Pattern(14400, 11520)), 2);
    EXPECT_EQ(DefaultOrientation(Pattern(11520, 11520)), 1);
    EXPECT_EQ(DefaultOrientation(Pattern(11520, 14400)), 1);
}

TEST(PageLayout, CopiesPerSheetFitWithTheirSpacing) {
    // 8 by 10 inch page region.
    const struct { float width, height, spacing; int copies; } cases[] = {
        {3 * kInch, 2 * kInch, 0.2f * kInch, 8},
        {3 * kInch, 2 * kInch, 0, 10},
        {3 * kInch, 6 * kInch, 0.2f * kInch, 2},
        {6 * kInch, 6 * kInch, 0, 1},
        // Nothing to lay out: the count stops at what a print can hold.
        {0, 0, 0, 32767},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeMaxPatternsPerPage(c.spacing, Pattern(c.width, c.height), 8 * kInch, 10 * kInch), c.copies)
            << c.width << " x " << c.height << " spaced " << c.spacing;
    }
}

TEST(PageLayout, CopiesRunAcrossThenDown) {
    PrintJob job;
    job.PageWidth = 8 * kInch;
    job.PageHeight = 10 * kInch;
    job.DuplicateMarginSize = 288;
    const PatternOptions o = Pattern(3 * kInch, 2 * kInch);
    const float across = 4320 + 288, down = 2880 + 288;
    const std::vector<std::pair<float, float>> expected = {{0, 0},           {across, 0},           {0, down},
                                                           {across, down},   {0, 2 * down},         {across, 2 * down},
                                                           {0, 3 * down},    {across, 3 * down}};
    for (int k = 1; k <= 8; ++k) {
        const PaperPoint at = CopyPosition(job, o, k);
        EXPECT_EQ((std::pair{at.x, at.y}), expected[k - 1]) << "copy " << k;
    }
}

TEST(PageLayout, PagesTileThePatternInReadingOrder) {
    PrintJob job;
    job.Rows = 2;
    job.Columns = 3;
    job.PageWidth = 10080.3f;
    job.PageHeight = 13680.7f;
    const std::vector<PageAddress> all = PageOrder(job, true, 1, 1);
    EXPECT_EQ(all, (std::vector<PageAddress>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
    EXPECT_EQ(PageOrder(job, false, 2, 1), (std::vector<PageAddress>{{2, 1}}));
    // Page (2, 1) is printed alone in the renderer's test; here the pages must meet exactly.
    for (const PageAddress& p : all) {
        const PrintRegion here = PageRegion(job, p.row, p.column);
        EXPECT_EQ(here.xR, PageRegion(job, p.row, p.column + 1).xL);
        EXPECT_EQ(here.yB, PageRegion(job, p.row + 1, p.column).yT);
    }
}

TEST(PageLayout, OnePageIsCentredAndAGridStartsAtTheMargins) {
    test::RecordingPrinter printer(8 * kInch, 10.5f * kInch, 2.4f);
    PatternOptions o = Pattern(5 * kInch, 5 * kInch);
    o.MarginRight = 1;
    o.MarginBottom = 1.5f;
    const PageGrid g = ComputePageGrid(printer, o);
    PrintJob job;
    job.PageWidth = g.PageWidth;
    job.PageHeight = g.PageHeight;
    job.Pages = 1;
    ComputePageOffset(job, o, printer);
    EXPECT_TRUE(job.PageOffsetX == 0.75f * kInch && job.PageOffsetY == 1.0f * kInch);
    job.Pages = 2;
    ComputePageOffset(job, o, printer);
    EXPECT_TRUE(job.PageOffsetX == 0.5f * kInch && job.PageOffsetY == 0.5f * kInch);
}

TEST(PageLayout, WizardAnswersAreClampedBeforePrinting) {
    PrintJob job;
    job.Rows = 2;
    job.Columns = 3;
    job.Copies = 0;
    job.PatternsPerPage = -3;
    job.DuplicateMarginSize = -5;
    job.PrintCircleDegrees = 0;
    job.PrintPageRow = 9;
    job.PrintPageColumn = 0;
    ClampPrintJob(job);
    EXPECT_EQ(std::tuple(job.Copies, job.PatternsPerPage, job.DuplicateMarginSize, job.PrintCircleDegrees,
                         job.PrintPageRow, job.PrintPageColumn),
              std::tuple(1, 1, 0.0f, 1, 2, 1));

    job.DuplicateMarginSize = std::numeric_limits<float>::quiet_NaN();
    job.PrintCircleDegrees = 40;
    job.Copies = 7;
    ClampPrintJob(job);
    EXPECT_EQ(std::tuple(job.DuplicateMarginSize, job.PrintCircleDegrees, job.Copies), std::tuple(0.0f, 15, 7));
}

}  // namespace
}  // namespace tessary
