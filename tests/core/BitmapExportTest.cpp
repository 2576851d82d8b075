#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "core/files/BitmapExport.h"
#include "core/files/BmpFile.h"
#include "tests/core/FakePlatform.h"
#include "tests/core/PrintFakes.h"

namespace tessary {
namespace {

// A 2 by 1 inch pattern layer.
class BitmapExportTest : public testing::Test {
protected:
    BitmapExportTest() {
        t->progress.SetDisplay(true);
        t->options.WidthTwips = kWidth;
        t->options.HeightTwips = kHeight;
        test::WriteFileBytes(pattern, "the pattern");
    }
    bool Export(const std::string& path) {
        return exporter.ExportBitmap(t->options, kWidth, kHeight, path, pattern, t->messages);
    }

    static constexpr float kWidth = 2880, kHeight = 1440;
    test::TestSession t;
    const std::string pattern = (t.scratch / "rose.pat").string();
    test::RecordingSurface surface;
    BitmapExport exporter{t->store, t->progress, surface};
};

TEST_F(BitmapExportTest, ThePatternIsScaledOntoTheSurface) {
    t->store.AddLine(0, 0, kWidth, kHeight, 1, true);
    t->store.DeleteLine(t->store.AddLine(100, 100, 200, 200, 1, true));
    t->store.AddShape(0, 144, 288, 288, 576, 1, true);    // rectangle
    t->store.AddShape(1, 0, 0, 576, 288, 1, true);        // square: along its box's shorter side
    t->store.AddShape(3, 720, 1440, 288, 288, 1, true);   // circle
    for (std::int16_t kind : {2, 4, 5}) t->store.AddShape(kind, 0, 0, 500, 500, 1, true);

    // One pixel more than twips each way: the layer's edges fall on the
    // centres of the first and last pixels, a twip a pixel between them.
    for (const bool mirror : {false, true}) {
        ASSERT_TRUE(exporter.ComposeBitmap(kWidth, kHeight, 2881, 1441, 3, mirror));
        const auto x = [&](float at) { return mirror ? 2881 - (at + 0.5f) : at + 0.5f; };
        EXPECT_TRUE(surface.width == 2881 && surface.height == 1441 && surface.pen == 3);
        ASSERT_GT(surface.lines.size(), 9u);
        const auto& l = surface.lines;
        EXPECT_EQ((std::array{l[0].x1, l[0].y1, l[0].x2, l[0].y2}), (std::array{x(0), 0.5f, x(2880), 1440.5f}));
        // Rectangle edges round from the top left: top, right, bottom, left; the square's bottom.
        EXPECT_EQ((std::array{l[1].x1, l[1].x2, l[2].x1, l[3].y1, l[7].y1}),
                  (std::array{x(288), x(864), x(864), 432.5f, 288.5f}));
        // The oval, 500 twips round here, in 71 chords of 5.1 degrees, each
        // within a quarter pixel of it.
        const std::size_t end = 9 + 71;
        ASSERT_GT(l.size(), end);
        float turned = 0;
        for (std::size_t i = 9; i < end; ++i) {
            const float mid = std::hypot((l[i].x1 + l[i].x2) / 2 - x(250), (l[i].y1 + l[i].y2) / 2 - 250.5f);
            EXPECT_NEAR(std::hypot(l[i].x2 - x(250), l[i].y2 - 250.5f), 250, 1e-2f);
            EXPECT_NEAR(mid, 250, 0.25f);
            turned += std::hypot(l[i].x2 - l[i].x1, l[i].y2 - l[i].y1);
        }
        EXPECT_NEAR(turned, 2 * 3.14159f * 250, 1) << "all the way round";
        EXPECT_NEAR(l[end].x1, x(62.5f), 1e-3f) << "then the rounded boxes, from the end of a top corner";
        EXPECT_EQ(l[end].y1, 0.5f);
        ASSERT_EQ(surface.circles.size(), 1u);
        const auto& c = surface.circles[0];
        EXPECT_EQ((std::array{c.cx, c.cy, c.r}), (std::array{x(1584), 864.5f, 144.0f}));
    }
    EXPECT_EQ(t.progressWindow.headers[0], "Generating Bitmap - Lines");
    EXPECT_EQ(t.progressWindow.headers[1], "Generating Bitmap - Shapes");
    EXPECT_FALSE(t.progressWindow.open);
}

TEST_F(BitmapExportTest, SizeAndPenRoundHalvesToEven) {
    // Rows of a BMP are padded to whole multiples of 4 bytes.
    const struct { float width, height, pen; int pixelsWide, pixelsHigh, penPixels; std::size_t fileBytes; } cases[] = {
        {300, 150, 2.5f, 300, 150, 2, 54 + 900 * 150},
        {300.5f, 149.5f, 3.5f, 300, 150, 4, 54 + 900 * 150},
        {1, 1, 0.2f, 1, 1, 1, 54 + 4},
    };
    for (const auto& c : cases) {
        t->options.BitmapWidth = c.width;
        t->options.BitmapHeight = c.height;
        t->options.BitmapPenSize = c.pen;
        const auto path = t.scratch / "pattern.bmp";
        ASSERT_TRUE(Export(path.string()));
        EXPECT_TRUE(surface.width == 0 && surface.height == 0) << "released";
        const std::string bmp = test::ReadFileBytes(path);
        EXPECT_EQ(bmp.size(), c.fileBytes);
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(surface.pen, c.penPixels) << c.pen;
        ASSERT_TRUE(exporter.ComposeBitmap(kWidth, kHeight, BitmapPixels(c.width), BitmapPixels(c.height),
                                           PenPixels(c.pen), false));
        EXPECT_TRUE(surface.width == c.pixelsWide && surface.height == c.pixelsHigh) << c.width << " x " << c.height;
    }
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(BitmapExportTest, FailuresSayWhyAndLeaveEveryFileAsItWas) {
    namespace fs = std::filesystem;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::string earlier = (t.scratch / "pattern.bmp").string();
    test::WriteFileBytes(earlier, "earlier bitmap");
    fs::create_directory(t.scratch / "folder.bmp");
    fs::create_symlink(pattern, t.scratch / "link.bmp");
    constexpr const char* kNotCreated = "The bitmap could not be created.";
    constexpr const char* kNotSaved = "The bitmap file could not be saved.";
    constexpr const char* kIsPattern = "The file can not be written over the pattern it is made from.";
    const struct { float width, height; bool failCreate; std::string path; int creates; const char* message; } cases[] = {
        {0, 150, false, earlier, 0, kNotCreated},
        {300, -5, false, earlier, 0, kNotCreated},
        {1e12f, 150, false, earlier, 0, kNotCreated},
        {nan, 150, false, earlier, 0, kNotCreated},
        {300, 150, true, earlier, 1, kNotCreated},
        {300, 150, false, (t.scratch / "gone" / "pattern.bmp").string(), 1, kNotSaved},
        {300, 150, false, (t.scratch / "folder.bmp").string(), 1, kNotSaved},
        {300, 150, false, pattern, 0, kIsPattern},
        {300, 150, false, (t.scratch / "link.bmp").string(), 0, kIsPattern},
        {300, 150, false, (t.scratch / "folder.bmp" / ".." / "rose.pat").string(), 0, kIsPattern},
    };
    const auto entries = [&] { return std::distance(fs::directory_iterator(t.scratch.path()), {}); };
    const auto before = entries();
    for (const auto& c : cases) {
        surface = test::RecordingSurface();
        surface.failCreate = c.failCreate;
        t.presenter.shown.clear();
        t->options.BitmapWidth = c.width;
        t->options.BitmapHeight = c.height;
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " to " << c.path);
        EXPECT_FALSE(Export(c.path));
        EXPECT_EQ(surface.creates, c.creates);
        EXPECT_EQ(surface.releases, c.message == kIsPattern ? 0 : 1);  // refused before any bitmap
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_EQ(t.presenter.shown[0].text.rfind(c.message, 0), 0u) << t.presenter.shown[0].text;
        EXPECT_EQ(test::ReadFileBytes(earlier), "earlier bitmap");
        EXPECT_EQ(test::ReadFileBytes(pattern), "the pattern");
        EXPECT_EQ(entries(), before) << "a scratch file was left";
        EXPECT_TRUE(fs::is_directory(t.scratch / "folder.bmp"));
    }
}

// Rows bottom up, blue green red, each padded to 4 bytes.
TEST(BmpFile, RowsAreWrittenBottomUpInBlueGreenRedWithPadding) {
    test::ScratchFolder folder;
    test::RecordingSurface surface;
    ASSERT_TRUE(surface.Create(2, 2));
    surface.pixels = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    const auto path = folder / "small.bmp";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteBmp(fd, surface));
    ::close(fd);
    const std::string bmp = test::ReadFileBytes(path);
    const std::string header = test::Bytes()
                                   .Raw("BM").I32(54 + 16).I32(0).I32(54)
                                   .I32(40).I32(2).I32(2).I16(1).I16(24).I32(0).I32(16).I32(3780).I32(3780).I32(0).I32(0)
                                   .str();
    EXPECT_EQ(bmp.substr(0, 54), header);
    EXPECT_EQ(bmp.substr(54), std::string("\x99\x88\x77\xCC\xBB\xAA\0\0\x33\x22\x11\x66\x55\x44\0\0", 16));
}

TEST(BmpFile, AFailedWriteOrAnOversizedPictureIsReported) {
    test::RecordingSurface surface;
    ASSERT_TRUE(surface.Create(300, 200));
    const int full = ::open("/dev/full", O_WRONLY);
    if (full >= 0) {
        EXPECT_FALSE(WriteBmp(full, surface));
        ::close(full);
    }
    // More than a BMP's 32-bit size field can hold: refused before any write.
    surface.width = surface.height = 40000;
    EXPECT_FALSE(WriteBmp(-1, surface));
}

}  // namespace
}  // namespace tessary
