#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
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
    // A 3 by 2 grid of 7 by 9.5 inch regions, titled.
    PrintJob RoseGrid() {
        PrintJob job = Job(25000, 20000);
        job.Title = "Rose";
        EXPECT_TRUE(job.Rows == 2 && job.Columns == 3);
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

// A printer that clips gets the stroke run on past the cut line, on the same
// centre line, under a clip of the page region; one that cannot gets the
// piece cut at the line.
TEST_F(Printing, ALineAcrossAPageEdgeIsWholeUpToTheCutLineOfBothPages) {
    Line(9000.3f, 5000.7f, 11000.9f, 6001.3f);
    const float cutRight = 8 * kInch - kMargin;
    const PaperRect region{kMargin, kMargin, 10080, 13680};
    for (const bool clips : {true, false}) {
        SCOPED_TRACE(clips ? "clipping printer" : "printer that cannot clip");
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        printer.canClip = clips;
        ASSERT_TRUE(renderer.PrintPattern(Job(10 * kInch, 8 * kInch)));
        ASSERT_EQ(printer.newPages, 1);
        const auto left = printer.PatternLines(0);
        const auto right = printer.PatternLines(1);
        ASSERT_TRUE(left.size() == 1 && right.size() == 1);
        EXPECT_EQ(left[0].x1, 9000.3f + kMargin);
        EXPECT_NEAR(right[0].x2, 11000.9f - 10080 + kMargin, 0.01f);
        if (clips) {
            // Half the pen of 21.6 twips and a pixel of 2.4 beyond the edge.
            EXPECT_NEAR(left[0].x2, cutRight + 13.2f, 0.01f);
            EXPECT_NEAR(right[0].x1, kMargin - 13.2f, 0.01f);
            for (const auto& piece : {left[0], right[0]}) {
                EXPECT_TRUE(piece.clip == region);
                EXPECT_NEAR((piece.y2 - piece.y1) / (piece.x2 - piece.x1), 1000.6f / 2000.6f, 1e-5f);
            }
        } else {
            EXPECT_TRUE(left[0].x2 == cutRight && right[0].x1 == kMargin && right[0].y1 == left[0].y2);
            EXPECT_FALSE(left[0].clip || right[0].clip);
        }
        EXPECT_FALSE(printer.clip) << "the clip ends with the page";
    }
}

// Dashed half-point lines around the page region: the margins of a grid,
// the centred region of a single sheet whatever its margins; in both modes.
TEST_F(Printing, CutLinesAreDashedAndFrameThePageRegion) {
    Line(100, 100, 200, 200);
    const struct { float width, height; float margins[4]; bool bitmap; int pages; } cases[] = {
        {10 * kInch, 8 * kInch, {0.5f, 0.5f, 0.5f, 0.5f}, false, 2},
        {10 * kInch, 8 * kInch, {0.5f, 0.5f, 0.5f, 0.5f}, true, 2},
        {3 * kInch, 2 * kInch, {0.5f, 0.5f, 1.5f, 1.0f}, false, 1},
        {3 * kInch, 2 * kInch, {0.5f, 0.5f, 1.5f, 1.0f}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.bitmap ? " bitmap" : " vector"));
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 7.2f);
        for (int i = 0; i < 4; ++i) t->options.SetMargin(i, c.margins[i]);
        PrintJob job = Job(c.width, c.height);
        job.PrintBitmapImage = c.bitmap;
        ASSERT_TRUE(renderer.PrintPattern(job));
        const float pageWidth = 8 * kInch - (c.margins[1] + c.margins[3]) * kInch;
        const float pageHeight = 10.5f * kInch - (c.margins[0] + c.margins[2]) * kInch;
        const float left = c.pages == 1 ? (8 * kInch - pageWidth) / 2 : c.margins[3] * kInch;
        const float top = c.pages == 1 ? (10.5f * kInch - pageHeight) / 2 : c.margins[0] * kInch;
        const auto cuts = printer.CutLines();
        ASSERT_EQ(cuts.size(), 4u * c.pages);
        for (int page = 0; page < c.pages; ++page) {
            const auto* r = &cuts[4 * page];
            EXPECT_TRUE(r[0].x1 == left && r[0].y1 == top && r[0].x2 == left + pageWidth && r[0].y2 == top);
            EXPECT_TRUE(r[2].x1 == left + pageWidth && r[2].y1 == top + pageHeight && r[2].x2 == left);
            EXPECT_EQ(r[3].y2, top);
            EXPECT_TRUE(r[0].page == page && !r[0].clip);
        }
        EXPECT_NEAR(kCutLinePen.width, 10, 1e-6f);  // half a point
        EXPECT_NEAR(kCutLinePen.dashOn, 3 * 1440 / 25.4f, 1e-3f);
        EXPECT_NEAR(kCutLinePen.dashOff, 2 * 1440 / 25.4f, 1e-3f);
        EXPECT_EQ(printer.pen, (PrintPen{3 * 7.2f, 0, 0})) << "the pattern's pen again";
    }
}

TEST_F(Printing, CirclesStayWholeOnTheirPageAndMeetAtAnEdgeTheyCross) {
    Shape(3, 2000, 3000, 1000, 1200);
    const float cx = 10080 - 123.4f;
    Shape(3, cx - 500, 5000, 1000, 1000);
    for (const bool clips : {true, false}) {
        SCOPED_TRACE(clips ? "clipping printer" : "printer that cannot clip");
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        printer.canClip = clips;
        ASSERT_TRUE(renderer.PrintPattern(Job(10 * kInch, 8 * kInch)));

        const auto& whole = printer.circles.at(0);
        EXPECT_TRUE(whole.cx == 2500 + kMargin && whole.cy == 3600 + kMargin && whole.r == 500 && whole.page == 0);
        const auto left = printer.PatternLines(0);
        const auto right = printer.PatternLines(1);
        if (clips) {
            // The crossing circle as a true circle on both pages, each clipped to its region.
            ASSERT_EQ(printer.circles.size(), 3u);
            EXPECT_TRUE(left.empty() && right.empty());
            const auto& a = printer.circles[1];
            const auto& b = printer.circles[2];
            EXPECT_TRUE(a.page == 0 && a.cx == cx + kMargin && a.r == 500 && a.clip);
            EXPECT_TRUE(b.page == 1 && b.cx == cx - 10080 + kMargin && b.cy == a.cy && b.clip);
            continue;
        }
        // 72 segments of 5 degrees; the two that cross the edge are on both pages.
        ASSERT_EQ(printer.circles.size(), 1u);
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
    EXPECT_EQ(printer.CutLines().size(), 2u * 4);
}

TEST_F(Printing, MirrorFlipsAcrossThePatternWidth) {
    Line(100, 50, 200, 50);
    Shape(0, 100, 300, 100, 50);
    PrintJob job = Job(kInch, kInch);
    job.PrintMirrorImage = true;
    job.PrintCutLine = false;
    ASSERT_TRUE(renderer.PrintPattern(job));
    const float offset = (8 * kInch - 10080) / 2;
    const auto lines = printer.PatternLines(0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].x1 == 1340 + offset && lines[0].x2 == 1240 + offset);
    EXPECT_TRUE(lines[4].x1 == 1340 + offset && lines[4].x2 == 1240 + offset);
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
        EXPECT_TRUE(printer.lines[0].ink == c.ink && printer.lines[0].pen == (PrintPen{9 * 2.4f, 0, 0}));
    }
    // A printer that tells no pixel size draws its thinnest line.
    test::RecordingPrinter unknown(8 * kInch, 10.5f * kInch, 0);
    PrintRenderer other(t->store, t->options, t->progress, t->messages, unknown, surface, 15);
    other.PreparePrinterPen();
    EXPECT_EQ(unknown.pen, PrintPen{});
}

TEST_F(Printing, NothingIsSentWithoutAPrintablePage) {
    Line(100, 100, 200, 200);
    PrintJob job = Job(kInch, kInch);
    job.Pages = 0;
    EXPECT_FALSE(renderer.PrintPattern(job));
    EXPECT_TRUE(printer.Calls() == 0 && printer.copies == 0 && printer.documentsEnded == 0);
}

// At 7 twips a printer pixel the page edges fall inside picture pixels:
// both pages carry the pixel the edge runs through, placed where it lies on
// the pattern, and the clip cuts it at the edge.
TEST_F(Printing, BitmapPagesAreSlicesOfOnePictureAtThePrintersResolution) {
    Line(0, 100, 0, 200);
    printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 7);
    PrintJob job = Job(10 * kInch, 8 * kInch);
    job.PrintBitmapImage = true;
    job.PrintMirrorImage = true;
    ASSERT_TRUE(renderer.PrintPattern(job));

    // 14400 / 7 and 11520 / 7 rounded up; the pen of 22.5 twips is 3 pixels.
    ASSERT_EQ(printer.pictures.size(), 2u);
    EXPECT_EQ(std::pair(printer.pictures[0].pictureWidth, printer.pictures[0].pictureHeight), std::pair(2058, 1646));
    EXPECT_EQ(surface.pen, 3);
    const float tx = 14400.0f / 2058;
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_EQ(surface.lines[0].x1, 2057.5f) << "mirrored, the left edge is the centre of the last pixel";
    const PaperRect region{kMargin, kMargin, 10080, 13680};
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        const auto& p = printer.pictures[page];
        const float xL = page * 10080.0f;
        EXPECT_EQ(p.page, page);
        EXPECT_EQ(p.left, page == 0 ? 0 : 1440) << "10080 / 6.997 is 1440.6";
        EXPECT_EQ(p.left + p.width, page == 0 ? 1441 : 2058);
        EXPECT_TRUE(p.top == 0 && p.height == 1646);
        // Pixel i lies at i * tx on the pattern, wherever it is printed.
        EXPECT_NEAR(p.paperLeft - kMargin + xL, p.left * tx, 1e-3f);
        EXPECT_NEAR(p.paperWidth, p.width * tx, 1e-3f);
        EXPECT_TRUE(p.paperLeft <= kMargin && p.paperTop == kMargin && p.clip == region);
    }
    EXPECT_GE(printer.pictures[0].paperLeft + printer.pictures[0].paperWidth, kMargin + 10080);
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

// A 3 by 2 grid of 7 by 9.5 inch regions; every aid lies outside the region.
TEST_F(Printing, GridPagesCarryLabelsAndMatchingMarksInTheirMargins) {
    Line(100, 100, 24000, 19000);
    PrintJob job = RoseGrid();
    job.PrintTestSquare = false;
    ASSERT_TRUE(renderer.PrintPattern(job));

    const float right = kMargin + 10080, bottom = kMargin + 13680;
    const auto& labels = printer.texts;
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[4].text, "B2   Rose   page 5 of 6");
    const char* expected[] = {"A1", "A2", "A3", "B1", "B2", "B3"};
    for (int page = 0; page < 6; ++page) {
        EXPECT_EQ(labels[page].page, page);
        EXPECT_EQ(labels[page].text.substr(0, 2), expected[page]);
        // In the margin without marks: above the top row, below the bottom one.
        EXPECT_TRUE(labels[page].left == kMargin && labels[page].height == kLabelHeight);
        if (page < 3) {
            EXPECT_TRUE(labels[page].baseline + 0.3f * kLabelHeight <= kMargin && labels[page].baseline > kLabelHeight);
        } else {
            EXPECT_TRUE(labels[page].baseline - kLabelHeight >= bottom && labels[page].baseline <= 10.5f * kInch);
        }
    }

    // Triangles with their apex on the shared cut line, at its ends and middle,
    // at the same places on both neighbours.
    const auto apexes = [&](int page, float x, float outward) {
        std::multiset<float> ys;
        for (const auto& l : printer.lines) {
            if (l.page == page && l.pen == kAidPen && l.x1 == x && std::abs(l.x2 - l.x1 - outward * kMarkSize) < 0.01f) {
                ys.insert(l.y1);
            }
        }
        return ys;
    };
    const std::multiset<float> thirds{kMargin, kMargin + 6840, bottom};
    EXPECT_EQ(apexes(0, right, 1), thirds);
    EXPECT_EQ(apexes(1, kMargin, -1), thirds);
    EXPECT_EQ(apexes(0, kMargin, -1), std::multiset<float>{}) << "no mark on an outer edge";
    for (const auto& l : printer.lines) {
        if (!l.Aid()) continue;
        for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
            const bool inside = x > kMargin && x < right && y > kMargin && y < bottom;
            EXPECT_FALSE(inside) << x << ", " << y << " on page " << l.page;
        }
    }

    // Each aid can be left out.
    printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
    job.PrintLabels = job.PrintMarks = false;
    ASSERT_TRUE(renderer.PrintPattern(job));
    EXPECT_TRUE(printer.texts.empty());
    EXPECT_TRUE(std::none_of(printer.lines.begin(), printer.lines.end(), [](const auto& l) { return l.pen == kAidPen; }));
}

// A page's name is read back as its label writes it, in either case.
TEST(PrintAids, RowsAreLetteredLikeSpreadsheetColumns) {
    const std::pair<int, std::string> cases[] = {{1, "A"}, {2, "B"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {703, "AAA"}};
    for (const auto& [row, letters] : cases) {
        EXPECT_EQ(RowLetters(row), letters) << row;
        EXPECT_EQ(PageFromName(letters + "12"), (PageAddress{static_cast<std::int16_t>(row), 12})) << row;
    }
    EXPECT_EQ(PageFromName("b3"), (PageAddress{2, 3}));
    EXPECT_EQ(PageFromName(RowLetters(32767) + "32767"), (PageAddress{32767, 32767}));
    for (const char* bad : {"", "B", "3", "3B", "B0", "B3x", "B 3", "B-3", "AXLH1", "A32768", "É3"}) {
        EXPECT_FALSE(PageFromName(bad)) << bad;
    }
}

// A label in the glue margin below its page, kept until the page below is
// glued over it, stands on a patch of blank paper: the margin's faint lines
// do not run through its letters. Without a margin nothing is blanked.
TEST_F(Printing, ALabelOverAGlueMarginStandsOnBlankPaper) {
    Line(100, 100, 9000, 30000);
    for (const float overlap : {10 * kTwipsPerMillimetre, 0.0f}) {
        SCOPED_TRACE(overlap);
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        PrintJob job = Job(10000, 30000);
        ASSERT_TRUE(job.Rows == 3 && job.Columns == 1);
        job.Overlap = overlap;
        job.PrintTestSquare = false;
        ASSERT_TRUE(renderer.PrintPattern(job));
        ASSERT_EQ(printer.texts.size(), 3u);
        const auto& below = printer.texts[1];  // B1's, under the page, over the margin
        EXPECT_GT(below.baseline, kMargin + 13680);
        if (overlap == 0) {
            EXPECT_TRUE(printer.blanks.empty());
            continue;
        }
        ASSERT_EQ(printer.blanks.size(), 1u) << "A1's label stands above its page, C1's below the last row";
        const PaperRect& patch = printer.blanks[0].rect;
        EXPECT_EQ(printer.blanks[0].page, 1);
        EXPECT_TRUE(patch.left < below.left && patch.top < below.baseline - below.height &&
                    patch.left + patch.width > below.left + printer.TextWidth(below.text, below.height) &&
                    patch.top + patch.height > below.baseline);
        EXPECT_GT(patch.top, kMargin + 13680) << "clear of the cut line and its marks";
    }
}

// A glue margin is cut only by the room beyond the cut lines that have a
// neighbour: on one row of pages, a narrow bottom margin cuts nothing.
TEST(PrintAids, OnlySidesWithANeighbourCutTheGlueMargin) {
    PrintJob job;
    job.Pages = 2;
    job.Rows = 1;
    job.Columns = 2;
    job.PageOffsetX = job.PageOffsetY = 720;
    job.PageWidth = 10080;
    job.PageHeight = 10000;
    const PaperRect printable{0, 0, 720 + 10080 + 720, 720 + 10000 + 360};  // half an inch right, a quarter below
    const PageAddress first{1, 1}, last{1, 2};
    EXPECT_FLOAT_EQ(GlueRoom(job, nullptr, printable), 720);
    EXPECT_FLOAT_EQ(GlueRoom(job, &first, printable), 720);
    EXPECT_TRUE(std::isinf(GlueRoom(job, &last, printable))) << "no neighbour right of or below the last page";
    job.Overlap = 10 * kTwipsPerMillimetre;
    EXPECT_EQ(GlueMarginCut(job, GlueRoom(job, nullptr, printable)), "");
    job.Overlap = 25 * kTwipsPerMillimetre;
    EXPECT_EQ(GlueMarginCut(job, GlueRoom(job, nullptr, printable)), "; the page margins cut the glue margin to 12 mm");
    EXPECT_EQ(GlueMarginCut(job, GlueRoom(job, &last, printable)), "");
    job.Rows = 2;
    job.Pages = 4;
    EXPECT_EQ(GlueMarginCut(job, GlueRoom(job, nullptr, printable)), "; the page margins cut the glue margin to 6 mm");
}

// A label keeps beside its page: a long title is cut short, whole
// characters at a time; the page's name and number stay.
TEST(PrintAids, ALongTitleIsCutShortToFitTheLabel) {
    PrintJob job;
    job.Pages = 12;
    job.Rows = 3;
    job.Columns = 4;
    const auto bytes = [](const std::string& text) { return static_cast<float>(text.size()); };
    job.Title = "Rose";
    EXPECT_EQ(FittedPageLabel(job, {2, 3}, 100, bytes), "B3   Rose   page 7 of 12");
    job.Title = "Rosé window, north transept";  // the é is two bytes
    EXPECT_EQ(FittedPageLabel(job, {2, 3}, 30, bytes), "B3   Rosé w...   page 7 of 12");
    EXPECT_EQ(FittedPageLabel(job, {2, 3}, 29, bytes), "B3   Rosé...   page 7 of 12") << "no space before the dots";
    EXPECT_EQ(FittedPageLabel(job, {2, 3}, 27, bytes), "B3   Ros...   page 7 of 12");
    EXPECT_EQ(FittedPageLabel(job, {2, 3}, 5, bytes), "B3   page 7 of 12") << "the title goes, the rest stays";
}

// The 1 inch and 5 cm squares go where the pattern leaves room: beside a
// small pattern on its sheet, or on the first page of a grid with room.
TEST_F(Printing, TheTestSquareGoesOnTheFirstPageWithRoomBesideThePattern) {
    const struct { float width, height; int page; } cases[] = {
        {3 * kInch, 2 * kInch, 0},
        {25000, 20000, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        PrintJob job = Job(c.width, c.height);
        job.PrintLabels = job.PrintMarks = job.PrintCutLine = false;
        ASSERT_TRUE(renderer.PrintPattern(job));
        std::vector<test::RecordingPrinter::Line> sides;
        for (const auto& l : printer.lines) {
            if (l.pen == kAidPen) sides.push_back(l);
        }
        ASSERT_EQ(sides.size(), 8u);
        EXPECT_EQ(sides[0].page, c.page);
        EXPECT_EQ(sides[0].x2 - sides[0].x1, 1440);
        EXPECT_TRUE(sides[3].x2 == sides[0].x1 && sides[3].y2 == sides[0].y1) << "closed";
        EXPECT_NEAR(sides[4].x2 - sides[4].x1, 50 * 1440 / 25.4f, 1e-3f);
        EXPECT_NEAR(sides[5].y2 - sides[5].y1, 50 * 1440 / 25.4f, 1e-3f);
        // Clear of the pattern's reach on its page.
        const float reachX = std::min(10080.0f, c.width - c.page * 10080) + kMargin;
        const float reachY = c.height + kMargin;
        const float left = (8 * kInch - 10080) / 2;
        EXPECT_TRUE(sides[0].x1 > (c.page == 0 ? reachX - kMargin + left : reachX) ||
                    sides[0].y1 > reachY);
        ASSERT_EQ(printer.texts.size(), 4u);
        EXPECT_EQ(printer.texts[0].text, "1 in");
        EXPECT_EQ(printer.texts[1].text, "5 cm");
        EXPECT_EQ(printer.texts[2].text + " " + printer.texts[3].text,
                  "If this square does not measure 1 inch, print at 100 % / actual size.");
    }
}

// A pattern that fills its pages leaves no room beside it: the test square
// takes the first corner of a page, in print order, that no line comes near;
// where there is none it is left out, and the print says so.
TEST_F(Printing, WhereThePatternFillsItsPagesTheTestSquareTakesAFreeCorner) {
    const float width = 3 * 10080, height = 2 * 13680;
    const auto square = [&] {
        std::vector<test::RecordingPrinter::Line> sides;
        for (const auto& l : printer.lines) {
            if (l.pen == kAidPen) sides.push_back(l);
        }
        return sides;
    };
    for (const bool bitmap : {false, true}) {
        SCOPED_TRACE(bitmap ? "bitmap" : "vector");
        t->store.ClearPattern();
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        PrintJob job = Job(width, height);
        job.PrintLabels = job.PrintMarks = job.PrintCutLine = false;
        job.PrintBitmapImage = bitmap;
        ASSERT_TRUE(renderer.PrintPattern(job));
        ASSERT_EQ(square().size(), 8u) << "an empty pattern leaves every corner free";
        EXPECT_TRUE(square()[0].page == 0 && square()[0].x1 == kMargin + 144 && square()[0].y1 == kMargin + 144);

        // A circle over the first page's top left corner: the top right one
        // serves; mirrored, the circle is on the last column and the top left
        // corner of the first page is free again.
        Shape(ShapeCircle, 0, 0, 3000, 3000);
        for (const bool mirror : {false, true}) {
            printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
            job.PrintMirrorImage = mirror;
            ASSERT_TRUE(renderer.PrintPattern(job));
            ASSERT_EQ(square().size(), 8u);
            const float left = mirror ? kMargin + 144 : kMargin + 10080 - 144 - (1440 + 144 + 50 * 1440 / 25.4f);
            EXPECT_TRUE(square()[0].page == 0 && std::abs(square()[0].x1 - left) < 0.01f) << mirror;
        }
        job.PrintMirrorImage = false;
        t->store.ClearPattern();

        // Lines across every page but for a patch in the bottom right of the last.
        for (float y = 500; y < height; y += 1000) Line(0, y, y > height - 4000 ? width - 5000 : width, y);
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        ASSERT_TRUE(renderer.PrintPattern(job));
        ASSERT_EQ(square().size(), 8u);
        EXPECT_EQ(square()[0].page, 5);
        EXPECT_TRUE(square()[0].x1 > kMargin + 10080 - 5000 && square()[0].y1 > kMargin + 13680 - 4000);
        EXPECT_FALSE(renderer.TestSquareLeftOut());

        Line(width - 5000, height - 100, width, height - 100);
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        ASSERT_TRUE(renderer.PrintPattern(job));
        EXPECT_TRUE(square().empty());
        EXPECT_TRUE(renderer.TestSquareLeftOut());
    }
}

// A glue margin of 10 mm: beyond the right cut line the neighbour's pattern
// again, light grey, under a clip that reaches that far; what lies wholly on
// the page is not drawn twice, and the neighbour, trimmed at its cut line
// and laid over the margin, has none on its left.
TEST_F(Printing, AGlueMarginRepeatsTheNeighboursPatternFaintly) {
    Line(9000, 5000, 11000, 6000);
    Line(1000, 1000, 2000, 1000);
    PrintJob job = Job(10 * kInch, 8 * kInch);
    job.Overlap = 10 * kTwipsPerMillimetre;
    job.PrintTestSquare = false;
    ASSERT_TRUE(renderer.PrintPattern(job));
    const auto faint = [&](int page) {
        std::vector<test::RecordingPrinter::Line> lines;
        for (const auto& l : printer.PatternLines(page)) {
            if (l.ink == 0xA0A0A0) lines.push_back(l);
        }
        return lines;
    };
    const std::vector<test::RecordingPrinter::Line> margin = faint(0);
    ASSERT_EQ(margin.size(), 1u);
    EXPECT_TRUE(margin[0].clip == (PaperRect{kMargin, kMargin, 10080 + job.Overlap, 13680}));
    // Drawn as far as the margin reaches, on the line itself.
    EXPECT_NEAR((margin[0].y2 - margin[0].y1) / (margin[0].x2 - margin[0].x1), 0.5f, 1e-5f);
    EXPECT_GT(margin[0].x2, kMargin + 10080 + job.Overlap);
    EXPECT_EQ(printer.PatternLines(0).size(), 1u + 2) << "the line on the page once, black, and once faint";
    EXPECT_TRUE(faint(1).empty()) << "one margin a seam";
    EXPECT_EQ(printer.PatternLines(1).size(), 1u);
    EXPECT_TRUE(printer.blackness) << "the pattern's own ink again";
    for (const auto& text : printer.texts) {
        EXPECT_GE(text.baseline - text.height, kMargin + 13680) << "the label clear of the page region";
    }
}

// On a 2 by 2 grid a glue margin lies beyond the right and bottom cut lines
// of each page that has a neighbour there, the corner between them
// included: A1 both, A2 below, B1 to the right, B2 none. In bitmap mode
// these are the picture's strips, under the same clips as in vector mode.
TEST_F(Printing, GlueMarginsLieBeyondTheRightAndBottomCutLines) {
    Line(10200, 13800, 10400, 13900);  // on B2, by its top left corner
    Line(10100, 5000, 10300, 5000);    // on A2, by its left cut line
    Line(1000, 1000, 2000, 1000);      // on A1, far from every cut line
    const float overlap = 10 * kTwipsPerMillimetre;
    const PaperRect clips[] = {{kMargin, kMargin, 10080 + overlap, 13680 + overlap},
                               {kMargin, kMargin, 10080, 13680 + overlap},
                               {kMargin, kMargin, 10080 + overlap, 13680}};
    for (const bool bitmap : {false, true}) {
        SCOPED_TRACE(bitmap ? "bitmap" : "vector");
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 7);
        PrintJob job = Job(15000, 20000);
        ASSERT_TRUE(job.Rows == 2 && job.Columns == 2);
        job.Overlap = overlap;
        job.PrintBitmapImage = bitmap;
        job.PrintTestSquare = false;
        ASSERT_TRUE(renderer.PrintPattern(job));
        if (bitmap) {
            std::vector<std::vector<test::RecordingPrinter::Picture>> strips(4);
            for (const auto& p : printer.pictures) {
                if (p.faint) strips[static_cast<std::size_t>(p.page)].push_back(p);
            }
            ASSERT_EQ((std::array{strips[0].size(), strips[1].size(), strips[2].size(), strips[3].size()}),
                      (std::array<std::size_t, 4>{2, 1, 1, 0}));
            for (int page = 0; page < 3; ++page) {
                for (const auto& strip : strips[static_cast<std::size_t>(page)]) {
                    EXPECT_TRUE(strip.clip == clips[page]) << page;
                }
            }
            // A1's strips: beside the page down its height, then below it
            // from its left edge across the corner.
            const auto& beside = strips[0][0];
            const auto& below = strips[0][1];
            const float tx = 15000.0f / static_cast<float>(beside.pictureWidth);
            const float ty = 20000.0f / static_cast<float>(beside.pictureHeight);
            EXPECT_TRUE(beside.left * tx <= 10080 && (beside.left + beside.width) * tx >= 10080 + overlap);
            EXPECT_TRUE(beside.top == 0 && beside.height * ty >= 13680 && beside.height * ty < 13680 + ty + 1);
            EXPECT_TRUE(below.left == 0 && (below.left + below.width) * tx >= 10080 + overlap);
            EXPECT_TRUE(below.top * ty <= 13680 && (below.top + below.height) * ty >= 13680 + overlap);
            EXPECT_NEAR(below.paperTop - kMargin, below.top * ty, 1e-2f);
            continue;
        }
        std::vector<std::vector<test::RecordingPrinter::Line>> faint(4);
        for (int page = 0; page < 4; ++page) {
            for (const auto& l : printer.PatternLines(page)) {
                if (l.ink == 0xA0A0A0) faint[static_cast<std::size_t>(page)].push_back(l);
            }
        }
        ASSERT_EQ((std::array{faint[0].size(), faint[1].size(), faint[2].size(), faint[3].size()}),
                  (std::array<std::size_t, 4>{2, 1, 1, 0}));
        for (int page = 0; page < 3; ++page) {
            for (const auto& l : faint[static_cast<std::size_t>(page)]) EXPECT_TRUE(l.clip == clips[page]) << page;
        }
        // On A1 the line by A2's left edge, then the one in B2's corner, each
        // where it lies on the pattern, past the page's own region.
        std::sort(faint[0].begin(), faint[0].end(), [](const auto& a, const auto& b) { return a.x1 < b.x1; });
        EXPECT_TRUE(faint[0][0].x1 == 10100 + kMargin && faint[0][0].y1 == 5000 + kMargin);
        EXPECT_TRUE(faint[0][1].x1 == 10200 + kMargin && faint[0][1].y1 == 13800 + kMargin);
        EXPECT_TRUE(faint[1][0].x1 == 10200 - 10080 + kMargin && faint[1][0].y1 == 13800 + kMargin);
        EXPECT_TRUE(faint[2][0].x1 == 10200 + kMargin && faint[2][0].y1 == 13800 - 13680 + kMargin);
        EXPECT_TRUE(printer.blackness) << "the pattern's own ink again";
    }
}

// Ovals and rounded boxes print as on the screen: true ellipses and boxes
// with the screen's corner radius where the device clips, chords cut at the
// page edge where it cannot.
TEST_F(Printing, OvalsAndRoundedBoxesPrintWithTheScreensGeometry) {
    Shape(ShapeOval, 1000, 2000, 3000, 1000);
    Shape(ShapeRoundedRectangle, 4000, 5000, 1600, 800);
    Shape(ShapeRoundedSquare, 9000, 3000, 2000, 3000);  // across the cut line
    for (const bool clips : {true, false}) {
        SCOPED_TRACE(clips ? "clipping printer" : "printer that cannot clip");
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        printer.canClip = clips;
        ASSERT_TRUE(renderer.PrintPattern(Job(10 * kInch, 8 * kInch)));
        ASSERT_GE(printer.curved.size(), 2u);
        const auto& oval = printer.curved[0];
        EXPECT_TRUE(!oval.rounded && oval.page == 0);
        EXPECT_EQ((std::array{oval.left, oval.top, oval.width, oval.height}),
                  (std::array{1000 + kMargin, 2000 + kMargin, 3000.0f, 1000.0f}));
        const auto& box = printer.curved[1];
        EXPECT_TRUE(box.rounded && box.radius == 100) << "an eighth of the shorter side";
        EXPECT_EQ((std::array{box.left, box.top, box.width, box.height}),
                  (std::array{4000 + kMargin, 5000 + kMargin, 1600.0f, 800.0f}));
        if (clips) {
            ASSERT_EQ(printer.curved.size(), 4u) << "the square on both pages";
            const auto& right = printer.curved[3];
            EXPECT_TRUE(right.rounded && right.page == 1 && right.clip && right.radius == 250);
            EXPECT_EQ(right.left, 9000 - 10080 + kMargin);
            EXPECT_EQ(right.width, 2000);
            continue;
        }
        // Chords of at most 5 degrees, each on its own page region, meeting
        // at the cut line.
        ASSERT_EQ(printer.curved.size(), 2u);
        const auto left = printer.PatternLines(0);
        const auto right = printer.PatternLines(1);
        ASSERT_TRUE(!left.empty() && !right.empty());
        for (const auto& l : left) EXPECT_TRUE(l.x1 <= kMargin + 10080 && l.x2 <= kMargin + 10080);
        for (const auto& l : right) EXPECT_TRUE(l.x1 >= kMargin && l.x2 >= kMargin);
        // The top side runs straight between the rounded corners.
        EXPECT_TRUE(std::any_of(left.begin(), left.end(), [](const auto& l) {
            return l.y1 == 3000 + kMargin && l.y2 == 3000 + kMargin && std::min(l.x1, l.x2) == 9250 + kMargin;
        }));
        EXPECT_EQ(left.size() + right.size(), 4u + 4 * 18 + 2) << "sides, corners in 5 degree steps, cut pieces";
    }
}

// The map comes first: the whole grid scaled into one page region, each
// page's outline and name over the pattern; then the pages as before.
TEST_F(Printing, TheAssemblyMapShowsTheGridOfPagesOverThePattern) {
    Line(3000, 3000, 24000, 19000);
    PrintJob job = RoseGrid();
    job.PrintMap = true;
    ASSERT_TRUE(renderer.PrintPattern(job));
    EXPECT_EQ(printer.newPages, 6) << "the map and six pages";

    std::vector<std::string> onMap;
    for (const auto& text : printer.texts) {
        if (text.page == 0) onMap.push_back(text.text);
    }
    ASSERT_GE(onMap.size(), 7u);
    onMap.resize(7);  // the test square follows, where the map leaves room
    EXPECT_EQ(onMap, (std::vector<std::string>{"A1", "A2", "A3", "B1", "B2", "B3", "Rose   assembly map of 6 pages"}));
    // The pattern at a third of its size, from the region's corner: one
    // picture at 100 dots per inch, its pixels 14.4 twips on the paper.
    ASSERT_EQ(printer.pictures.size(), 1u);
    const auto& map = printer.pictures[0];
    EXPECT_TRUE(map.page == 0 && map.paperLeft == kMargin && map.paperTop == kMargin && !map.faint);
    EXPECT_NEAR(map.paperWidth, 25000 / 3.0f, 0.01f);
    EXPECT_NEAR(map.paperHeight, 20000 / 3.0f, 0.01f);
    EXPECT_EQ(std::pair(map.pictureWidth, map.pictureHeight), std::pair(579, 463));
    EXPECT_TRUE(map.left == 0 && map.top == 0 && map.width == 579 && map.height == 463);
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_NEAR(surface.lines[0].x1, 0.5f + 3000 * 578 / 25000.0f, 1e-3f);
    EXPECT_EQ(surface.pen, 1);
    EXPECT_EQ(surface.releases, 1);
    EXPECT_TRUE(printer.PatternLines(0).empty()) << "no line of the pattern drawn anew on the map";
    // The grid: page B3's outline ends at the region's width.
    const float cell = 10080 / 3.0f;
    EXPECT_TRUE(std::any_of(printer.lines.begin(), printer.lines.end(), [&](const auto& l) {
        return l.page == 0 && l.pen == kAidPen && std::abs(l.x1 - (kMargin + 3 * cell)) < 0.01f;
    }));
    EXPECT_EQ(printer.texts.back().text, "B3   Rose   page 6 of 6");
    EXPECT_EQ(printer.texts.back().page, 6);

    // A single page has no map.
    printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
    job.PrintAllPages = false;
    ASSERT_TRUE(renderer.PrintPattern(job));
    EXPECT_EQ(printer.newPages, 0);
    EXPECT_EQ(surface.creates, 1);

    // A map whose picture cannot be made: nothing printed, and why.
    printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
    surface.failCreate = true;
    job.PrintAllPages = true;
    EXPECT_FALSE(renderer.PrintPattern(job));
    EXPECT_EQ(printer.documentsBegun, 0);
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text.rfind("The pattern could not be printed with its assembly map.", 0), 0u);

    // On a screen, where a shrunken picture of thin lines shows as dust, the
    // map draws the pattern's lines and shapes at its scale instead, mirrored
    // where the print is.
    Shape(ShapeCircle, 6000, 3000, 3000, 3000);
    Shape(ShapeRectangle, 15000, 3000, 3000, 1500);
    Shape(ShapeRoundedRectangle, 18000, 9000, 2400, 1200);
    surface.failCreate = false;
    const int pictures = surface.creates;
    for (const bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "mirrored" : "as drawn");
        printer = test::RecordingPrinter(8 * kInch, 10.5f * kInch, 2.4f);
        printer.onScreen = true;
        job.PrintMirrorImage = mirror;
        ASSERT_TRUE(renderer.PrintPattern(job));
        EXPECT_TRUE(surface.creates == pictures && printer.pictures.empty());
        const auto x = [&](float patternX) { return kMargin + (mirror ? 25000 - patternX : patternX) / 3; };
        const auto drawn = printer.PatternLines(0);
        ASSERT_EQ(drawn.size(), 4u + 1) << "the box's sides, then the line";
        EXPECT_NEAR(std::min(drawn[0].x1, drawn[0].x2), std::min(x(15000), x(18000)), 0.01f);
        EXPECT_NEAR(std::abs(drawn[0].x2 - drawn[0].x1), 1000, 0.01f) << "the box at a third of its size";
        EXPECT_NEAR(drawn[4].x1, x(3000), 0.01f);
        EXPECT_NEAR(drawn[4].y2, kMargin + 19000 / 3.0f, 0.01f);
        // (The pages follow the map, each with its own.)
        ASSERT_TRUE(printer.circles.size() >= 2 && printer.circles[0].page == 0 && printer.circles[1].page > 0);
        EXPECT_NEAR(printer.circles[0].r, 500, 0.01f);
        EXPECT_NEAR(printer.circles[0].cx, x(7500), 0.01f);
        ASSERT_GE(printer.curved.size(), 2u);
        const auto& rounded = printer.curved[0];
        EXPECT_TRUE(rounded.rounded && rounded.page == 0 && printer.curved[1].page > 0);
        EXPECT_NEAR(rounded.left, std::min(x(18000), x(20400)), 0.01f);
        EXPECT_NEAR(rounded.width, 800, 0.01f);
        EXPECT_NEAR(rounded.radius, 400 / 8.0f, 0.01f) << "the corners in proportion";
    }
}

}  // namespace
}  // namespace tessary
