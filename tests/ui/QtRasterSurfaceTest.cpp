#include <gtest/gtest.h>

#include <QImage>

#include "ui/platform/QtRasterSurface.h"

namespace tessary {
namespace {

bool Black(std::uint32_t pixel) { return qGray(pixel) < 128; }

// Lines wait to be drawn many at a time: whatever reads the picture, and a
// change of pen, sees every line drawn before it, in its own pen.
TEST(QtRasterSurface, EveryLineDrawnShowsInTheRowsAndThePicture) {
    QtRasterSurface surface;
    const int lines = 5000;  // more than one batch
    ASSERT_TRUE(surface.Create(20, 2 * lines + 20));
    for (int i = 0; i < lines; ++i) {
        const float y = 2.0f * static_cast<float>(i) + 0.5f;
        surface.DrawLine(2.5f, y, 10.5f, y);
    }
    for (int i = 0; i < lines; ++i) {
        ASSERT_TRUE(Black(surface.Row(2 * i)[5])) << i;
        ASSERT_FALSE(Black(surface.Row(2 * i + 1)[5])) << i;
    }
    const QImage picture = surface.Image();
    ASSERT_EQ(picture.format(), QImage::Format_Mono);
    EXPECT_TRUE(Black(picture.pixel(5, 2 * (lines - 1))) && !Black(picture.pixel(5, 2 * lines - 1)));

    // A wide pen after a thin line: the thin one stays thin.
    const float below = 2.0f * lines + 5.5f;
    surface.DrawLine(2.5f, below, 10.5f, below);
    surface.SetPenWidth(7);
    surface.DrawLine(15.5f, below, 15.5f, below + 8);
    int thin = 0, wide = 0;
    for (int y = 2 * lines; y < 2 * lines + 20; ++y) {
        thin += Black(surface.Row(y)[5]) ? 1 : 0;
        wide += Black(surface.Row(y)[13]) ? 1 : 0;
    }
    EXPECT_EQ(thin, 1);
    EXPECT_GE(wide, 6) << "the wide pen reaches two pixels left of its centre line";
    EXPECT_TRUE(Black(surface.Image().pixel(13, 2 * lines + 8))) << "a new picture after new lines";

    // Lines still waiting when the picture is let go are gone with it.
    surface.DrawLine(0.5f, 0.5f, 19.5f, 0.5f);
    surface.Release();
    ASSERT_TRUE(surface.Create(20, 2));
    EXPECT_FALSE(Black(surface.Row(0)[10]));
}

}  // namespace
}  // namespace tessary
