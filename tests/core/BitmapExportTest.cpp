#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/files/BitmapExport.h"
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
    }
    bool Export(const std::string& path) {
        return exporter.ExportBitmap(t->options, kWidth, kHeight, path, t->messages);
    }

    static constexpr float kWidth = 2880, kHeight = 1440;
    test::TestSession t;
    test::RecordingSurface surface;
    BitmapExport exporter{t->store, t->progress, surface};
};

TEST_F(BitmapExportTest, ThePatternIsScaledOntoTheSurface) {
    t->store.AddLine(0, 0, kWidth, kHeight, 1, true);
    t->store.DeleteLine(t->store.AddLine(100, 100, 200, 200, 1, true));
    t->store.AddShape(0, 144, 288, 288, 576, 1, true);    // rectangle
    t->store.AddShape(1, 0, 0, 576, 288, 1, true);        // square: drawn as its box
    t->store.AddShape(3, 720, 1440, 288, 288, 1, true);   // circle
    for (std::int16_t kind : {2, 4, 5}) t->store.AddShape(kind, 0, 0, 500, 500, 1, true);

    for (const bool mirror : {false, true}) {
        ASSERT_TRUE(exporter.ComposeBitmap(kWidth, kHeight, 300, 150, 3, mirror));
        const auto x = [&](float at) { return mirror ? 300 - at : at; };
        EXPECT_TRUE(surface.width == 300 && surface.height == 150 && surface.pen == 3);
        ASSERT_EQ(surface.lines.size(), 9u);
        const auto& l = surface.lines;
        EXPECT_EQ((std::array{l[0].x1, l[0].y1, l[0].x2, l[0].y2}), (std::array{x(0), 0.0f, x(300), 150.0f}));
        // Rectangle edges: top, bottom, left, right.
        EXPECT_EQ((std::array{l[1].x1, l[1].x2, l[2].y1, l[4].x1, l[6].y1}),
                  (std::array{x(30), x(90), 45.0f, x(90), 60.0f}));
        ASSERT_EQ(surface.circles.size(), 1u);
        const auto& c = surface.circles[0];
        EXPECT_EQ((std::array{c.cx, c.cy, c.r}), (std::array{x(165), 90.0f, 15.0f}));
    }
    EXPECT_EQ(t.progressWindow.headers[0], "Generating Bitmap - Lines");
    EXPECT_EQ(t.progressWindow.headers[1], "Generating Bitmap - Shapes");
    EXPECT_FALSE(t.progressWindow.open);
}

TEST_F(BitmapExportTest, SizeAndPenRoundHalvesToEven) {
    const struct { float width, height, pen; int pixelsWide, pixelsHigh, penPixels; } cases[] = {
        {300, 150, 2.5f, 300, 150, 2},
        {300.5f, 149.5f, 3.5f, 300, 150, 4},
        {1, 1, 0.2f, 1, 1, 1},
    };
    for (const auto& c : cases) {
        t->options.BitmapWidth = c.width;
        t->options.BitmapHeight = c.height;
        t->options.BitmapPenSize = c.pen;
        const auto path = t.scratch / "pattern.bmp";
        ASSERT_TRUE(Export(path.string()));
        EXPECT_TRUE(surface.width == 0 && surface.height == 0) << "released";
        EXPECT_EQ(test::ReadFileBytes(path), "BM whole bitmap");
        EXPECT_EQ(surface.pen, c.penPixels) << c.pen;
        ASSERT_TRUE(exporter.ComposeBitmap(kWidth, kHeight, BitmapPixels(c.width), BitmapPixels(c.height),
                                           PenPixels(c.pen), false));
        EXPECT_TRUE(surface.width == c.pixelsWide && surface.height == c.pixelsHigh) << c.width << " x " << c.height;
    }
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(BitmapExportTest, FailuresSayWhyAndLeaveTheEarlierFile) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct { float width, height; bool failCreate, failSave; int creates; const char* message; } cases[] = {
        {0, 150, false, false, 0, "The bitmap could not be created."},
        {300, -5, false, false, 0, "The bitmap could not be created."},
        {1e12f, 150, false, false, 0, "The bitmap could not be created."},
        {nan, 150, false, false, 0, "The bitmap could not be created."},
        {300, 150, true, false, 1, "The bitmap could not be created."},
        {300, 150, false, true, 1, "The bitmap file could not be saved."},
    };
    const auto path = t.scratch / "pattern.bmp";
    for (const auto& c : cases) {
        test::WriteFileBytes(path, "earlier bitmap");
        surface = test::RecordingSurface();
        surface.failCreate = c.failCreate;
        surface.failSave = c.failSave;
        t.presenter.shown.clear();
        t->options.BitmapWidth = c.width;
        t->options.BitmapHeight = c.height;
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_FALSE(Export(path.string()));
        EXPECT_EQ(surface.creates, c.creates);
        EXPECT_EQ(surface.releases, 1);
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_EQ(t.presenter.shown[0].text.rfind(c.message, 0), 0u) << t.presenter.shown[0].text;
        EXPECT_EQ(test::ReadFileBytes(path), "earlier bitmap");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.scratch.path()), {}), 1);
    }
}

}  // namespace
}  // namespace tessary
