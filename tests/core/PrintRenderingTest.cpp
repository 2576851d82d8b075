#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "core/print/PrintRendering.h"
#include "core/pattern/Colour.h"
#include "tests/core/FakePlatform.h"
#include "tests/core/PrintFakes.h"

namespace tessary {
namespace {

constexpr float kInch = 1440;
constexpr float kMargin = 720;  // the default half inch

TEST(ClipSegment, EndsMoveOntoTheEdgeTheSegmentCrosses) {
    const PrintRegion region{0, 100, 0, 50};
    const struct { float x1, y1, x2, y2; bool visible; float cx1, cy1, cx2, cy2; } cases[] = {
        {10, 10, 90, 40, true, 10, 10, 90, 40},
        {50, 10, 150, 30, true, 50, 10, 100, 20},
        {-50, 30, 150, 30, true, 0, 30, 100, 30},
        {20, -10, 20, 80, true, 20, 0, 20, 50},
        {-100, -25, 200, 125, true, 0, 25, 50, 50},
        {120, 10, 150, 40, false, 0, 0, 0, 0},
        {10, 60, 90, 80, false, 0, 0, 0, 0},
        // Beside the corner: on no page although no side holds both ends.
        {90, -30, 130, 20, false, 0, 0, 0, 0},
        {100, 10, 150, 10, true, 100, 10, 100, 10},
    };
    for (const auto& c : cases) {
        float x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2);
        ASSERT_EQ(ClipSegment(x1, y1, x2, y2, region), c.visible);
        if (!c.visible) continue;
        EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{c.cx1, c.cy1, c.cx2, c.cy2}));
    }
}

// A pattern printed on an 8 by 10.5 inch printable area at 600 dots per
// inch, from a 15-twips-per-pixel screen, half-inch margins.
class Printing : public testing::Test {
protected:
    Printing() { t->progress.SetDisplay(true); }

    // The job as the wizard hands it over for a pattern of this size.
    PrintJob Job(float width, float height) {
        t->options.WidthTwips = width;
        t->options.HeightTwips = height;
        PrintJob job;
        renderer.PreparePrinterColor(job);
        renderer.PreparePrinterPen();
        const PageGrid grid = ComputePageGrid(printer, t->options);
        job.Pages = grid.Pages;
        job.Rows = grid.Rows;
        job.Columns = grid.Columns;
        job.PageWidth = grid.PageWidth;
        job.PageHeight = grid.PageHeight;
        return job;
    }
    void Line(float x1, float y1, float x2, float y2) { t->store.AddLine(x1, y1, x2, y2, 1, true); }
    void Shape(std::int16_t kind, float left, float top, float width, float height) {
        t->store.AddShape(kind, top, left, height, width, 1, true);
    }
    const std::vector<std::string>& Captions() const { return t.progressWindow.headers; }

    test::TestSession t;
    test::RecordingPrinter printer{8 * kInch, 10.5f * kInch, 2.4f};
    test::RecordingSurface surface;
    PrintRenderer renderer{t->store, t->options, t->progress, t->messages, printer, surface, 15};
};

TEST_F(Printing, ALineAcrossAPageEdgeEndsOnTheCutLineOfBothPages) {
    Line(9000.3f, 5000.7f, 11000.9f, 6001.3f);
    ASSERT_TRUE(renderer.PrintPattern(Job(10 * kInch, 8 * kInch)));
    ASSERT_EQ(printer.newPages, 1);
    const auto left = printer.PatternLines(0);
    const auto right = printer.PatternLines(1);
    ASSERT_TRUE(left.size() == 1 && right.size() == 1);
    const float cutRight = 8 * kInch - kMargin;
    EXPECT_TRUE(left[0].x1 == 9000.3f + kMargin && left[0].x2 == cutRight);
    EXPECT_TRUE(right[0].x1 == kMargin && right[0].y1 == left[0].y2);
    EXPECT_NEAR(right[0].x2, 11000.9f - 10080 + kMargin, 0.01f);

    // Dotted, one pixel, colour 1, on the margins of each page.
    std::vector<test::RecordingPrinter::Line> cuts;
    std::copy_if(printer.lines.begin(), printer.lines.end(), std::back_inserter(cuts),
                 [](const auto& l) { return l.dotted; });
    ASSERT_EQ(cuts.size(), 8u);
    const float top = kMargin, bottom = 10.5f * kInch - kMargin;
    EXPECT_TRUE(cuts[1].x1 == cutRight && cuts[1].y1 == top && cuts[1].x2 == cutRight && cuts[1].y2 == bottom);
    EXPECT_TRUE(cuts[3].x1 == kMargin && cuts[3].y1 == bottom && cuts[3].x2 == kMargin && cuts[3].y2 == top);
    for (const auto& cut : cuts) EXPECT_TRUE(cut.width == 1 && cut.ink == 0);
    EXPECT_TRUE(!printer.dotted && printer.penWidth == 9);  // the pattern's pen again
}

TEST_F(Printing, CirclesStayWholeOnTheirPageAndMeetAtAnEdgeTheyCross) {
    Shape(3, 2000, 3000, 1000, 1200);
    const float cx = 10080 - 123.4f;
    Shape(3, cx - 500, 5000, 1000, 1000);
    ASSERT_TRUE(renderer.PrintPattern(Job(10 * kInch, 8 * kInch)));

    ASSERT_EQ(printer.circles.size(), 1u);
    const auto& whole = printer.circles[0];
    EXPECT_TRUE(whole.cx == 2500 + kMargin && whole.cy == 3600 + kMargin && whole.r == 500 && whole.page == 0);

    // 72 segments of 5 degrees; the two that cross the edge are on both pages.
    const auto left = printer.PatternLines(0);
    const auto right = printer.PatternLines(1);
    EXPECT_EQ(left.size() + right.size(), 74u);
    std::multiset<float> leftEnds, rightEnds;
    for (const auto& l : left) {
        EXPECT_TRUE(l.x1 <= 8 * kInch - kMargin && l.x2 <= 8 * kInch - kMargin);
        for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
            if (x == 8 * kInch - kMargin) leftEnds.insert(y);
        }
    }
    for (const auto& l : right) {
        EXPECT_TRUE(l.x1 >= kMargin && l.x2 >= kMargin);
        for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
            if (x == kMargin) rightEnds.insert(y);
        }
    }
    EXPECT_EQ(leftEnds.size(), 2u);
    EXPECT_EQ(leftEnds, rightEnds);
}

TEST_F(Printing, ASinglePageOfAGridCarriesOnlyItsRegion) {
    Line(1000, 15000, 2000, 16000);
    Line(1000, 1000, 2000, 2000);
    Line(11000, 15000, 12000, 16000);
    PrintJob job = Job(25000, 20000);
    ASSERT_TRUE(job.Rows == 2 && job.Columns == 3);
    job.PrintAllPages = false;
    job.PrintPageRow = 2;
    job.PrintPageColumn = 1;
    ASSERT_TRUE(renderer.PrintPattern(job));

    const auto lines = printer.PatternLines(0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].x1 == 1000 + kMargin && lines[0].y1 == 15000 - 13680 + kMargin);
    EXPECT_TRUE(lines[0].x2 == 2000 + kMargin && lines[0].y2 == 16000 - 13680 + kMargin);
    EXPECT_TRUE(printer.newPages == 0 && printer.documentsEnded == 1);
    EXPECT_EQ(Captions(), std::vector<std::string>{"Printing Row 2 Column 1"});
}

TEST_F(Printing, CopiesAndCollationDecideTheSheets) {
    const struct {
        float width, height;
        std::int16_t copies;
        bool collate;
        std::int16_t perSheet, printerCopies;
        int sheets;
        std::vector<std::string> captions;
    } cases[] = {
        {15000, 20000, 3, false, 1, 3, 4,
         {"Printing Row 1 Column 1", "Printing Row 1 Column 2", "Printing Row 2 Column 1", "Printing Row 2 Column 2"}},
        {15000, 20000, 3, true, 1, 1, 12, {}},
        {3 * kInch, 2 * kInch, 2, true, 4, 1, 2, {"Printing Page 1 of 1", "Printing Page 1 of 1"}},
    };
    Line(100, 100, 200, 100);
    for (const auto& c : cases) {
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        t.progressWindow.headers.clear();
        PrintJob job = Job(c.width, c.height);
        job.Copies = c.copies;
        job.Collate = c.collate;
        job.PatternsPerPage = c.perSheet;
        job.DuplicateMarginSize = 288;
        ASSERT_TRUE(renderer.PrintPattern(job));
        SCOPED_TRACE(testing::Message() << c.copies << " copies, collate " << c.collate);
        EXPECT_TRUE(printer.copies == c.printerCopies && printer.newPages + 1 == c.sheets);
        EXPECT_EQ(printer.documentsEnded, 1);
        if (!c.captions.empty()) {
            EXPECT_EQ(Captions(), c.captions);
        }
    }
    // Paper saver: four copies side by side and one set of cut lines on each sheet.
    const float x = 720 + 100, across = 4320 + 288, down = 2880 + 288;
    for (int sheet = 0; sheet < 2; ++sheet) {
        const auto lines = printer.PatternLines(sheet);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_TRUE(lines[0].x1 == x && lines[1].x1 == x + across && lines[2].x1 == x && lines[3].x1 == x + across);
        EXPECT_TRUE(lines[0].y1 == lines[1].y1 && lines[2].y1 == lines[0].y1 + down);
    }
    EXPECT_EQ(printer.lines.size(), 2u * (4 + 4));
}

TEST_F(Printing, MirrorFlipsAcrossThePatternWidth) {
    Line(100, 50, 200, 50);
    Shape(0, 100, 300, 100, 50);
    PrintJob job = Job(kInch, kInch);
    job.PrintMirrorImage = true;
    job.PrintCutLine = false;
    ASSERT_TRUE(renderer.PrintPattern(job));
    const float offset = (8 * kInch - 10080) / 2;
    ASSERT_EQ(printer.lines.size(), 5u);
    EXPECT_TRUE(printer.lines[0].x1 == 1340 + offset && printer.lines[0].x2 == 1240 + offset);
    EXPECT_TRUE(printer.lines[4].x1 == 1340 + offset && printer.lines[4].x2 == 1240 + offset);
}

TEST_F(Printing, PenAndColourFollowThePatternOptions) {
    const struct { bool blackAndWhite; std::int32_t pen; bool blackness, colourMode; std::uint32_t ink; } cases[] = {
        {true, static_cast<std::int32_t>(RGB(255, 0, 0)), true, false, 0},
        {false, static_cast<std::int32_t>(RGB(255, 0, 0)), false, true, RGB(255, 0, 0)},
        {false, 0, true, false, 0},
    };
    Line(100, 100, 200, 200);
    for (const auto& c : cases) {
        printer.lines.clear();
        t->options.BandW = c.blackAndWhite;
        t->options.PenColor = c.pen;
        PrintJob job = Job(kInch, kInch);
        EXPECT_EQ(job.PrintColor, c.pen);
        EXPECT_TRUE(printer.blackness == c.blackness && printer.colourMode == c.colourMode);
        renderer.PrintPattern(job);
        ASSERT_FALSE(printer.lines.empty());
        // 1/64 inch is 22.5 twips; 2.4 twips a dot gives 9.375 dots.
        EXPECT_TRUE(printer.lines[0].ink == c.ink && printer.lines[0].width == 9);
    }
    test::RecordingPrinter unknown(8 * kInch, 10.5f * kInch, 0);
    PrintRenderer other(t->store, t->options, t->progress, t->messages, unknown, surface, 15);
    other.PreparePrinterPen();
    EXPECT_EQ(unknown.penWidth, 1);
}

TEST_F(Printing, NothingIsSentWithoutAPrintablePage) {
    Line(100, 100, 200, 200);
    PrintJob job = Job(kInch, kInch);
    job.Pages = 0;
    EXPECT_FALSE(renderer.PrintPattern(job));
    EXPECT_TRUE(printer.Calls() == 0 && printer.copies == 0 && printer.documentsEnded == 0);
}

TEST_F(Printing, BitmapModeCopiesPageRegionsOfTheComposedPicture) {
    Line(0, 100, 0, 200);
    PrintJob job = Job(10 * kInch, 8 * kInch);
    job.PrintBitmapImage = true;
    job.PrintMirrorImage = true;
    ASSERT_TRUE(renderer.PrintPattern(job));

    // The screen's 15 twips a pixel at true size; the pen of 22.5 twips is 1.5, so 2 pixels.
    // Mirrored, the left edge is the centre of the last pixel.
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_TRUE(surface.lines[0].x1 == 959.5f && surface.pen == 2);
    ASSERT_EQ(printer.pictures.size(), 2u);
    for (int page = 0; page < 2; ++page) {
        const auto& p = printer.pictures[page];
        EXPECT_EQ(p.page, page);
        EXPECT_TRUE(p.pictureWidth == 960 && p.pictureHeight == 768);
        EXPECT_TRUE(p.left == page * 672 && p.top == 0 && p.width == 672 && p.height == 912);
        EXPECT_TRUE(p.paperLeft == kMargin && p.paperTop == kMargin && p.paperWidth == 10080 && p.paperHeight == 13680);
    }
    EXPECT_TRUE(printer.lines.empty()) << "no cut lines in bitmap mode";
    EXPECT_EQ(surface.releases, 1);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Generating Bitmap - Lines", "Generating Bitmap - Shapes",
                                                    "Printing Row 1 Column 1", "Printing Row 1 Column 2"}));
}

TEST_F(Printing, ABitmapThatCannotBeMadeStopsThePrintWithOneMessage) {
    Line(0, 100, 0, 200);
    surface.failCreate = true;
    PrintJob job = Job(10 * kInch, 8 * kInch);
    job.PrintBitmapImage = true;
    job.Copies = 3;
    job.Collate = true;
    EXPECT_FALSE(renderer.PrintPattern(job));
    EXPECT_TRUE(printer.pictures.empty() && printer.newPages == 0);
    EXPECT_EQ(printer.documentsBegun, 0) << "no empty document";
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text.rfind("The pattern could not be printed in bitmap mode.", 0), 0u);
}

TEST_F(Printing, APrinterThatFailsIsReportedByNameAndWhy) {
    Line(100, 100, 200, 200);
    const struct { bool failBegin, failEnd, bitmap; int ended; } cases[] = {
        {true, false, false, 0},
        {true, false, true, 0},
        {false, true, false, 1},
        {false, true, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.failBegin << c.failEnd << c.bitmap);
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        printer.failBegin = c.failBegin;
        printer.failEnd = c.failEnd;
        surface = test::RecordingSurface();
        t.presenter.shown.clear();
        PrintJob job = Job(kInch, kInch);
        job.PrintBitmapImage = c.bitmap;
        job.Copies = 2;
        EXPECT_FALSE(renderer.PrintPattern(job));
        EXPECT_EQ(printer.copiesAtBegin, 2) << "copies are set before the document starts";
        EXPECT_EQ(printer.documentsEnded, c.ended);
        if (c.failBegin) {
            EXPECT_TRUE(printer.lines.empty() && printer.pictures.empty());
        }
        EXPECT_EQ(surface.releases, c.bitmap ? 1 : 0);
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_EQ(t.presenter.shown[0].text.rfind("The pattern could not be printed to Recorder.\r\n"
                                                  "Reason: the recorder jammed.", 0), 0u)
            << t.presenter.shown[0].text;
    }
}

}  // namespace
}  // namespace tessary
