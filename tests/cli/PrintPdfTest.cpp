// tessary-cli print to a PDF, read back with the poppler tools: page count,
// paper size, and where a line that crosses a page edge lands on both pages.

#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
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
        // A 10 by 4 inch pattern with 0.5 inch margins on letter paper in
        // portrait: two columns of 7.5 inch page regions, one row. One
        // horizontal line 2 inches down crosses the edge between them.
        SavedPattern(folder, QStringLiteral("wide.pat"), 10, 4,
                     [](Session& s) { s.store.AddLine(1440, 2880, 9 * 1440, 2880, 1, false); });
    }

    QImage Page(const QString& pdf, int page) {
        const QString prefix = folder.filePath(QStringLiteral("page"));
        RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("72"),
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

    QTemporaryDir folder;
};

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
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts"))) << info.toStdString();

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
