// tessary-cli print to a PDF, read back with the poppler tools: page count,
// paper size, where a line that crosses a page edge lands on both pages and
// how whole its stroke is there, the labels, cut lines and test square.

#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/platform/ProgressWindow.h"
#include "core/engine/Session.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

QString RunProgram(const QString& program, const QStringList& arguments, int* status = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (status) *status = process.exitCode();
    return QString::fromUtf8(process.readAll());
}

// A pattern of the given size in inches, saved in folder as name, with the
// settings of the commands run on it kept in folder too.
QString SavedPattern(const QTemporaryDir& folder, const QString& name, float width, float height,
                     const std::function<void(Session&)>& draw) {
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    test::TestSession t;
    PatternOptions& o = t->options;
    o.DimensionWidth = width;
    o.DimensionHeight = height;
    o.RecomputeTwips();
    draw(*t);
    const QString path = folder.filePath(name);
    EXPECT_TRUE(t->file.SavePattern(path.toStdString(), true));
    return path;
}

class PrintPdfTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // A sheet at 600 dpi is more than Qt reads by default.
        QImageReader::setAllocationLimit(0);
        // A 10 by 4 inch pattern with 0.5 inch margins on letter paper in
        // portrait: two columns of 7.5 inch page regions, one row. One
        // horizontal line 2 inches down crosses the edge between them.
        SavedPattern(folder, QStringLiteral("wide.pat"), 10, 4,
                     [](Session& s) { s.store.AddLine(1440, 2880, 9 * 1440, 2880, 1, false); });
    }

    QImage Page(const QString& pdf, int page, int dpi = 72) {
        const QString prefix = folder.filePath(QStringLiteral("page"));
        RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                                         QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                         QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
        return QImage(prefix + QStringLiteral(".pgm"));
    }

    // The dark run along a pixel row: first and last dark column, or -1.
    static std::pair<int, int> DarkRun(const QImage& image, int y) {
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0) first = x;
                last = x;
            }
        }
        return {first, last};
    }

    // The dark runs down a pixel column, as (first, last) rows.
    static std::vector<std::pair<int, int>> DarkRunsDown(const QImage& image, int x) {
        std::vector<std::pair<int, int>> runs;
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) >= 128) continue;
            if (runs.empty() || runs.back().second != y - 1) runs.push_back({y, y});
            runs.back().second = y;
        }
        return runs;
    }

    QString Print(const QString& pattern, const QString& pdf, QStringList options, int* status) {
        options.prepend(pdf);
        options.prepend(QStringLiteral("--pdf"));
        options.prepend(folder.filePath(pattern));
        options.prepend(QStringLiteral("print"));
        return RunProgram(QStringLiteral(TESSARY_CLI), options, status);
    }

    QTemporaryDir folder;
};

// 20 by 15 inches on letter in landscape, whose regions inside half-inch
// margins are 10 by 7.5 inches: exactly 2 by 2 pages, no blank ones. A
// slanted line with a sixteenth-inch pen crosses the seam between the top
// two pages 4 inches down.
TEST_F(PrintPdfTest, AGridPrintsWholeStrokesAtItsSeamsAndLabelsEveryPage) {
    SavedPattern(folder, QStringLiteral("big.pat"), 20, 15, [](Session& s) {
        s.options.PenSizeValue = 1.0f / 16;
        s.store.AddLine(9 * 1440, 3 * 1440, 11 * 1440, 5 * 1440, 1, false);
    });
    const QString plain = folder.filePath(QStringLiteral("plain.pdf"));
    int status = -1;
    QString said = Print(QStringLiteral("big.pat"), plain,
                         {QStringLiteral("--orientation"), QStringLiteral("landscape"), QStringLiteral("--cut-lines"),
                          QStringLiteral("off"), QStringLiteral("--labels"), QStringLiteral("off"),
                          QStringLiteral("--marks"), QStringLiteral("off"), QStringLiteral("--test-square"),
                          QStringLiteral("off")},
                         &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("Printed 4 pages of a grid of 2 rows by 2 columns"))) << said.toStdString();
    EXPECT_TRUE(RunProgram(QStringLiteral("pdfinfo"), {plain}).contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))));

    // At 600 dpi the cut line is at x = 0.5 + 10 inches on the first page and
    // at 0.5 inch on the second; the line is at 45 degrees, so a column
    // crosses its stroke over the pen's width times the square root of two.
    const QImage first = Page(plain, 1, 600);
    const QImage second = Page(plain, 2, 600);
    ASSERT_FALSE(first.isNull() || second.isNull());
    const auto thickness = [](const QImage& image, int x) {
        const auto runs = DarkRunsDown(image, x);
        return runs.size() == 1 ? runs[0].second - runs[0].first + 1 : -1;
    };
    const int whole = thickness(first, 6000);
    EXPECT_NEAR(whole, 37.5 * 1.4142, 2);
    EXPECT_NEAR(thickness(first, 6299), whole, 1) << "whole up to the cut line on the first page";
    EXPECT_NEAR(thickness(second, 300), whole, 1) << "and from it on the second";
    EXPECT_EQ(thickness(first, 6302), -1) << "nothing beyond the cut line";
    EXPECT_EQ(thickness(second, 297), -1);
    // The centre line runs on across the seam: 4 inches down at the cut line.
    const auto centre = [&](const QImage& image, int x) {
        const auto runs = DarkRunsDown(image, x);
        return runs.empty() ? -1.0 : (runs[0].first + runs[0].second + 1) / 2.0;
    };
    EXPECT_NEAR(centre(first, 6299), 300 + 2400, 2);
    EXPECT_NEAR(centre(second, 300), 300 + 2400, 2);

    // With the aids: a label on every page, dashed half-point cut lines.
    const QString aided = folder.filePath(QStringLiteral("aided.pdf"));
    said = Print(QStringLiteral("big.pat"), aided, {QStringLiteral("--orientation"), QStringLiteral("landscape")}, &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    const QString text = RunProgram(QStringLiteral("pdftotext"), {aided, QStringLiteral("-")});
    const char* labels[] = {"A1", "A2", "B1", "B2"};
    for (int page = 1; page <= 4; ++page) {
        const QRegularExpression label(QStringLiteral("%1\\s+big\\s+page %2 of 4").arg(labels[page - 1]).arg(page));
        EXPECT_TRUE(text.contains(label)) << text.toStdString();
    }
    // The top cut line, half a point (4.2 pixels) thick, 3 mm (70.9 pixels) on and 2 mm off from the corner.
    const QImage page = Page(aided, 1, 600);
    // (The label of a page in the top row stands above it, in the margin.)
    const auto onCutLine = [&](int x) {
        for (const auto& run : DarkRunsDown(page, x)) {
            if (run.second >= 295 && run.first <= 305) return run;
        }
        return std::pair(-1, -1);
    };
    const auto dash = onCutLine(300 + 35);
    EXPECT_NEAR(dash.first, 300, 3);
    EXPECT_NEAR(dash.second - dash.first + 1, 4.2, 1.5);
    EXPECT_EQ(onCutLine(300 + 71 + 23).first, -1) << "a gap in the dashes";
    // Each side's dashes start at its own corner, clockwise from the top
    // left: every corner of the region is inked, whatever the sides' lengths.
    const auto inked = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    EXPECT_TRUE(inked(300 + 20, 300) && inked(6300, 300 + 20) && inked(6300 - 20, 4800) && inked(300, 4800 - 20));

    // Half-inch page margins hold 12.7 mm of a glue margin: a wider one is
    // cut there, and the print says so.
    for (const int overlap : {12, 25}) {
        said = Print(QStringLiteral("big.pat"), folder.filePath(QStringLiteral("glued.pdf")),
                     {QStringLiteral("--orientation"), QStringLiteral("landscape"), QStringLiteral("--overlap"),
                      QString::number(overlap)},
                     &status);
        ASSERT_EQ(status, 0) << said.toStdString();
        EXPECT_EQ(said.contains(QStringLiteral("; the page margins cut the glue margin to 12 mm")), overlap == 25)
            << said.toStdString();
    }

    // The map first, and a glue margin of 10 mm (236 pixels) where the
    // line runs on beyond the cut line in grey, in either draw mode.
    for (const char* mode : {"vector", "bitmap"}) {
        SCOPED_TRACE(mode);
        const QString mapped = folder.filePath(QStringLiteral("mapped.pdf"));
        said = Print(QStringLiteral("big.pat"), mapped,
                     {QStringLiteral("--orientation"), QStringLiteral("landscape"), QStringLiteral("--map"),
                      QStringLiteral("on"), QStringLiteral("--overlap"), QStringLiteral("10"), QStringLiteral("--mode"),
                      QLatin1String(mode)},
                     &status);
        ASSERT_EQ(status, 0) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("Printed 4 pages and the assembly map"))) << said.toStdString();
        EXPECT_TRUE(RunProgram(QStringLiteral("pdfinfo"), {mapped}).contains(QRegularExpression(QStringLiteral("Pages:\\s+5\\n"))));
        const QString map = RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"), mapped,
                                                                     QStringLiteral("-")});
        EXPECT_TRUE(map.contains(QStringLiteral("big   assembly map of 4 pages")) || map.contains(QStringLiteral("assembly map of 4 pages")))
            << map.toStdString();
        // On the map, at half size from the region's corner, the slanted
        // line is inked along its length and nowhere beside it.
        const QImage onMap = Page(mapped, 1, 150);
        ASSERT_FALSE(onMap.isNull());
        for (const double along : {0.25, 0.75}) {
            const double x = 150 * (0.5 + (9 + 2 * along) / 2), y = 150 * (0.5 + (3 + 2 * along) / 2);
            EXPECT_LT(qGray(onMap.pixel(qRound(x), qRound(y))), 128) << along;
            EXPECT_GE(qGray(onMap.pixel(qRound(x) + 30, qRound(y))), 128) << along;
        }
        const QImage glued = Page(mapped, 2, 600);
        const auto beyond = DarkRunsDown(glued, 6300 + 100);
        EXPECT_TRUE(beyond.empty()) << "nothing black beyond the cut line";
        int grey = 0;
        for (int y = 2600; y < 2900; ++y) {
            const int g = qGray(glued.pixel(6300 + 100, y));
            if (g > 110 && g < 220) ++grey;
        }
        EXPECT_GT(grey, 30) << "the neighbour's stroke, faint";
    }
}

// The wide pattern leaves room below itself on its first page: a 1 inch and
// a 5 cm square there, a tenth of an inch in from the region's corner.
TEST_F(PrintPdfTest, TheTestSquareMeasuresWhatItSays) {
    const QString pdf = folder.filePath(QStringLiteral("square.pdf"));
    int status = -1;
    const QString said = Print(QStringLiteral("wide.pat"), pdf,
                               {QStringLiteral("--orientation"), QStringLiteral("portrait"), QStringLiteral("--marks"),
                                QStringLiteral("off"), QStringLiteral("--cut-lines"), QStringLiteral("off")},
                               &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    const QString text = RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                  QStringLiteral("-l"), QStringLiteral("1"), pdf,
                                                                  QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("print at 100 % / actual size"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1 in")) && text.contains(QStringLiteral("5 cm")));
    // At 300 dpi: the squares' top at 0.5 + 4 + 0.1 inches, the inch square's
    // left at 0.6 inch, the 5 cm square a tenth of an inch right of it.
    const QImage page = Page(pdf, 1, 300);
    ASSERT_FALSE(page.isNull());
    std::vector<int> edges;  // the centres of the dark runs across a row through both squares
    const int y = 1380 + 150;
    for (int x = 0, start = -1; x < page.width(); ++x) {
        const bool dark = qGray(page.pixel(x, y)) < 128;
        if (dark && start < 0) start = x;
        if (!dark && start >= 0) {
            edges.push_back((start + x - 1) / 2);
            start = -1;
        }
    }
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_NEAR(edges[0], 180, 1);
    EXPECT_NEAR(edges[1] - edges[0], 300, 1);  // 1 inch
    EXPECT_NEAR(edges[3] - edges[2], 50 / 25.4 * 300, 1);  // 5 cm
}

// A pattern whose lines fill its one page leaves no room for the test
// square anywhere: the print says so rather than promise a square it left out.
TEST_F(PrintPdfTest, APrintSaysWhenThePatternLeftNoRoomForTheTestSquare) {
    SavedPattern(folder, QStringLiteral("full.pat"), 10, 7.5f, [](Session& s) {
        for (int k = 1; k < 30; ++k) {
            const float y = static_cast<float>(k) * 360;
            s.store.AddLine(0, y, 14400, y, 1, false);
        }
    });
    const QString pdf = folder.filePath(QStringLiteral("full.pdf"));
    int status = -1;
    const QString said = Print(QStringLiteral("full.pat"), pdf, {QStringLiteral("--orientation"),
                                                                 QStringLiteral("landscape")}, &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("; the pattern left no room for the test square"))) << said.toStdString();
    EXPECT_FALSE(RunProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                     .contains(QStringLiteral("If this square")));
}

TEST_F(PrintPdfTest, ALineAcrossThePageEdgeEndsOnTheCutLineOfBothPages) {
    const QString pdf = folder.filePath(QStringLiteral("wide.pdf"));
    int status = -1;
    const QString said = RunProgram(QStringLiteral(TESSARY_CLI),
                             {QStringLiteral("print"), folder.filePath(QStringLiteral("wide.pat")), QStringLiteral("--pdf"),
                              pdf, QStringLiteral("--orientation"), QStringLiteral("portrait"),
                              QStringLiteral("--cut-lines"), QStringLiteral("off")},
                             &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("2 pages"))) << said.toStdString();
    const QString info = RunProgram(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts"))) << info.toStdString();

    // At 72 dpi a pixel is 20 twips. The line lies at y = 0.5 + 2 inches.
    const int y = 180;
    const QImage first = Page(pdf, 1);
    const QImage second = Page(pdf, 2);
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    // Page 1: pattern x 1 .. 7.5 in, on paper from 1.5 in to the cut line at 8 in.
    const auto [a1, b1] = DarkRun(first, y);
    EXPECT_NEAR(a1, 108, 1);
    EXPECT_NEAR(b1, 576, 1);
    // Page 2: pattern x 7.5 .. 9 in, on paper from the cut line at 0.5 in to 2 in.
    const auto [a2, b2] = DarkRun(second, y);
    EXPECT_NEAR(a2, 36, 1);
    EXPECT_NEAR(b2, 144, 1);
    EXPECT_EQ(DarkRun(first, y - 20).first, -1);  // nothing else on the row above
}

TEST_F(PrintPdfTest, ASinglePageAndCopiesAndAnEmptyLayout) {
    const QString pdf = folder.filePath(QStringLiteral("one.pdf"));
    int status = -1;
    RunProgram(QStringLiteral(TESSARY_CLI),
        {QStringLiteral("print"), folder.filePath(QStringLiteral("wide.pat")), QStringLiteral("--pdf"), pdf,
         QStringLiteral("--orientation"), QStringLiteral("portrait"), QStringLiteral("--page"), QStringLiteral("1,2"),
         QStringLiteral("--copies"), QStringLiteral("3"), QStringLiteral("--paper"), QStringLiteral("a4")},
        &status);
    ASSERT_EQ(status, 0);
    const QString info = RunProgram(QStringLiteral("pdfinfo"), {pdf});
    // Uncollated copies of one page: the file repeats the page three times.
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595.276 x 841.89 pts"))) << info.toStdString();

    // Custom paper given wide turns with the orientation; one page is one page.
    const QString wide = folder.filePath(QStringLiteral("legal.pdf"));
    for (const char* orientation : {"landscape", "portrait"}) {
        const QString said = Print(QStringLiteral("wide.pat"), wide,
                                   {QStringLiteral("--paper"), QStringLiteral("14x8.5in"), QStringLiteral("--orientation"),
                                    QLatin1String(orientation)},
                                   &status);
        ASSERT_EQ(status, 0) << said.toStdString();
        const bool landscape = QLatin1String(orientation) == QLatin1String("landscape");
        EXPECT_TRUE(RunProgram(QStringLiteral("pdfinfo"), {wide})
                        .contains(landscape ? QStringLiteral("1008 x 612 pts") : QStringLiteral("612 x 1008 pts")));
        EXPECT_EQ(said.contains(QStringLiteral("Printed 1 page of a grid of 1 row by 1 column, landscape")), landscape)
            << said.toStdString();
    }

    // Paper smaller than the margins: nothing is printed.
    const QString none = folder.filePath(QStringLiteral("none.pdf"));
    const QString said = RunProgram(QStringLiteral(TESSARY_CLI),
                             {QStringLiteral("print"), folder.filePath(QStringLiteral("wide.pat")), QStringLiteral("--pdf"),
                              none, QStringLiteral("--paper"), QStringLiteral("0.8x0.8in")},
                             &status);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(said.contains(QStringLiteral("nothing to print"))) << said.toStdString();
    EXPECT_FALSE(QFileInfo::exists(none));
}

// An oval and a rounded box on paper and in every export, read back by a
// real reader: at 100 dpi their sides on the pixels the screen shows them
// on, the box's sharp corner left out, nothing inside them.
TEST(ExportShapesTest, OvalsAndRoundedBoxesReachPaperAndEveryExport) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // 4 by 2 inches: an oval 2 by 1 inches at (0.5, 0.5); a rounded box 1 by
    // 1.5 inches at (2.75, 0.25), its corners of an eighth of an inch.
    const QString pattern = SavedPattern(folder, QStringLiteral("shapes.pat"), 4, 2, [](Session& s) {
        s.store.AddShape(2, 720, 720, 1440, 2880, 1, false);
        s.store.AddShape(4, 360, 3960, 2160, 1440, 1, false);
    });
    const auto run = [&](const QString& program, const QStringList& arguments) {
        int status = -1;
        const QString said = RunProgram(program, arguments, &status);
        EXPECT_EQ(status, 0) << program.toStdString() << ": " << said.toStdString();
        return said;
    };
    const auto path = [&](const char* name) { return folder.filePath(QLatin1String(name)); };
    run(QStringLiteral(TESSARY_CLI), {QStringLiteral("export-pdf"), pattern, path("shapes.pdf")});
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), path("shapes.pdf"), path("pdf")});
    run(QStringLiteral(TESSARY_CLI), {QStringLiteral("export-png"), pattern, path("png.png"), QStringLiteral("--dpi"),
                                      QStringLiteral("100")});
    run(QStringLiteral(TESSARY_CLI), {QStringLiteral("export-svg"), pattern, path("shapes.svg")});
    run(QStringLiteral("rsvg-convert"), {QStringLiteral("--dpi-x"), QStringLiteral("100"), QStringLiteral("--dpi-y"),
                                         QStringLiteral("100"), QStringLiteral("--background-color"),
                                         QStringLiteral("white"), path("shapes.svg"), QStringLiteral("-o"), path("svg.png")});
    for (const char* picture : {"pdf.png", "png.png", "svg.png"}) {
        SCOPED_TRACE(picture);
        const QImage image(path(picture));
        ASSERT_EQ(image.size(), QSize(400, 200));
        // Ink at or beside a pixel: the pen is a sixty-fourth of an inch.
        const auto ink = [&](int x, int y) {
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    if (qGray(image.pixel(x + dx, y + dy)) < 160) return true;
                }
            }
            return false;
        };
        for (const auto& [x, y] : {std::pair{50, 100}, {250, 100}, {150, 50}, {150, 150}, {221, 65}}) {
            EXPECT_TRUE(ink(x, y)) << "the oval at " << x << "," << y;
        }
        EXPECT_FALSE(ink(150, 100) || ink(60, 60)) << "nothing inside or beside the oval";
        for (const auto& [x, y] : {std::pair{275, 100}, {375, 100}, {325, 25}, {325, 175}, {279, 29}}) {
            EXPECT_TRUE(ink(x, y)) << "the rounded box at " << x << "," << y;
        }
        EXPECT_FALSE(ink(275, 25) || ink(375, 175)) << "its corners rounded";
    }
    // The DXF: the oval as a closed polyline on the ellipse, the box as one
    // whose corners bulge by a quarter turn; y up from the bottom edge.
    run(QStringLiteral(TESSARY_CLI), {QStringLiteral("export-dxf"), pattern, path("shapes.dxf")});
    run(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import math, sys, ezdxf
lines = list(ezdxf.readfile(sys.argv[1]).modelspace().query("POLYLINE"))
assert len(lines) == 2, lines
oval, box = sorted(lines, key=lambda e: len(list(e.vertices)), reverse=True)
assert oval.is_closed and box.is_closed
for v in oval.vertices:
    x, y = v.dxf.location[0], v.dxf.location[1]
    assert abs(((x - 1.5) / 1) ** 2 + ((y - 1) / 0.5) ** 2 - 1) < 1e-4, (x, y)
bulges = [abs(v.dxf.get('bulge', 0)) for v in box.vertices]
corners = [b for b in bulges if b > 0]
assert len(corners) == 4 and all(abs(b - math.tan(math.pi / 8)) < 1e-6 for b in corners), bulges
xs = sorted({round(v.dxf.location[0], 6) for v in box.vertices})
assert xs == [2.75, 2.875, 3.625, 3.75], xs
)"),
                                               path("shapes.dxf")});
}

// The bitmap read back: the pattern's border, drawn along its very edges,
// is on the outermost pixels; nothing beside the bitmap is touched.
TEST(ExportBmpTest, TheBorderIsInsideTheBitmapAndNeighboursAreLeftAlone) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pattern = SavedPattern(folder, QStringLiteral("border.pat"), 2, 1, [](Session& s) {
        s.store.AddShape(0, 0, 0, s.options.HeightTwips, s.options.WidthTwips, 1, false);
    });
    const QString bmp = folder.filePath(QStringLiteral("border.bmp"));
    // A file that only shares the name's beginning is someone else's.
    QFile other(bmp + QStringLiteral(".part"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not ours");
    other.close();

    const struct { int width, height; } sizes[] = {{200, 100}, {201, 77}, {3, 2}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        int status = -1;
        const QString said = RunProgram(QStringLiteral(TESSARY_CLI),
                                        {QStringLiteral("export-bmp"), pattern, bmp, QStringLiteral("--width"),
                                         QString::number(size.width), QStringLiteral("--height"),
                                         QString::number(size.height), QStringLiteral("--pen"), QStringLiteral("1")},
                                        &status);
        ASSERT_EQ(status, 0) << said.toStdString();
        const QImage image(bmp, "BMP");
        ASSERT_EQ(image.size(), QSize(size.width, size.height));
        const int right = size.width - 1, bottom = size.height - 1;
        const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
        for (int x = 0; x <= right; ++x) EXPECT_TRUE(dark(x, 0) && dark(x, bottom)) << "column " << x;
        for (int y = 0; y <= bottom; ++y) EXPECT_TRUE(dark(0, y) && dark(right, y)) << "row " << y;
        if (size.width > 2 && size.height > 2) EXPECT_FALSE(dark(size.width / 2, size.height / 2));
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "pattern, bitmap, neighbour";
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("not ours"));
}

}  // namespace
}  // namespace tessary
