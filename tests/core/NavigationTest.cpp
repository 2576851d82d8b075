#include <string>
#include <vector>

#include "core/engine/StatusReport.h"
#include "core/shell/RecentFiles.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class NavigationTest : public test::WorkspaceTest {};

TEST_F(NavigationTest, TheWheelZoomsAboutThePointerAndPansWithinTheLimits) {
    const Rect& picture = ws.surface.PictureFrame[0];
    const Point at{3000, 2000};  // window twips
    const auto under = [&] { return Point{(at.x - picture.Left) / picture.Width, (at.y - picture.Top) / picture.Height}; };
    const Point before = under();
    const float width = picture.Width;
    ASSERT_TRUE(ws.zoom.ZoomAround(1.25f, at.x, at.y));
    EXPECT_NEAR(picture.Width, width * 1.25f, 1);
    EXPECT_NEAR(under().x, before.x, 1e-5);
    EXPECT_NEAR(under().y, before.y, 1e-5);
    EXPECT_EQ(ws.surface.Pattern, picture);  // the layers stay together
    // The pattern follows at the new zoom.
    t->store.AddLine(0, 0, 1000, 0, 1, true);
    ws.zoom.ZoomAround(2, at.x, at.y);
    EXPECT_NEAR(Line(0).X2, 2000, 0.5);

    // At the limit nothing moves and nothing is said.
    for (int i = 0; i < 200 && ws.zoom.ZoomAround(0.5f, at.x, at.y); ++i) {
    }
    const Rect smallest = picture;
    EXPECT_FALSE(ws.zoom.ZoomAround(0.5f, at.x, at.y));
    EXPECT_EQ(picture, smallest);
    EXPECT_TRUE(t.presenter.shown.empty());

    ws.zoom.PanBy(150, -300);
    EXPECT_TRUE(picture.Left == smallest.Left + 150 && picture.Top == smallest.Top - 300);
    EXPECT_EQ(ws.surface.Pattern, picture);
    // An alignment keeps its layers where they are.
    ws.AlignPatternCommand();
    const Rect aligning = picture;
    ws.zoom.PanBy(100, 100);
    EXPECT_FALSE(ws.zoom.ZoomAround(2, at.x, at.y));
    EXPECT_EQ(picture, aligning);
}

TEST_F(NavigationTest, ScrollBarsShowWhatIsOutOfSightAndFollowTheView) {
    ws.zoom.ZoomView(ZoomFit);
    EXPECT_FALSE(ws.zoom.HorizontalScroll().Shown());
    EXPECT_FALSE(ws.zoom.VerticalScroll().Shown());

    ws.zoom.ZoomView(ZoomIn);
    const Rect& picture = ws.surface.PictureFrame[0];
    const ScrollAxis h = ws.zoom.HorizontalScroll();
    ASSERT_TRUE(h.Shown());
    EXPECT_EQ(h.minimum, 0);
    EXPECT_NEAR(h.maximum, picture.Width - ws.surface.ClientWidth, 0.5);
    EXPECT_EQ(h.page, ws.surface.ClientWidth);
    EXPECT_NEAR(h.value, -picture.Left, 0.5);
    EXPECT_TRUE(ws.zoom.VerticalScroll().Shown());

    // Moving the bar to its end shows the layer's far edge at the window's.
    ws.zoom.PanBy(h.value - h.maximum, 0);
    EXPECT_NEAR(picture.Left + picture.Width, ws.surface.ClientWidth, 0.5);
    EXPECT_NEAR(ws.zoom.HorizontalScroll().value, h.maximum, 0.5);
    // Panned on past the end, the range takes in where the view is.
    ws.zoom.PanBy(-500, 0);
    const ScrollAxis past = ws.zoom.HorizontalScroll();
    EXPECT_NEAR(past.maximum, h.maximum + 500, 0.5);
    EXPECT_EQ(past.value, past.maximum);

    // A layer smaller than the window needs a bar only while part of it is out of sight.
    ws.zoom.ZoomView(ZoomFit);
    ws.zoom.ZoomView(ZoomOut);
    EXPECT_FALSE(ws.zoom.HorizontalScroll().Shown());
    ws.zoom.PanBy(-picture.Left - picture.Width / 2, 0);
    const ScrollAxis half = ws.zoom.HorizontalScroll();
    ASSERT_TRUE(half.Shown());
    EXPECT_EQ(half.minimum, 0);
    EXPECT_NEAR(half.value, picture.Width / 2, 0.5);
}

TEST_F(NavigationTest, TheStatusSaysWhereOnThePatternAtAnyZoomInItsUnits) {
    // The blank page of 8.5 x 11 in at normal size: a layer twip is a twip.
    t->store.AddLine(0, 0, 1000, 0, 1, true);
    StatusReport r = ReportStatus(ws, Point{1440, 2880});
    EXPECT_EQ(r.position, "1.00, 2.00 in");
    EXPECT_EQ(r.zoom, "100 %");
    EXPECT_EQ(r.counts, "1 line, 0 shapes");
    ws.zoom.ZoomView(ZoomIn);
    r = ReportStatus(ws, Point{2880, 5760});
    EXPECT_EQ(r.position, "1.00, 2.00 in");
    EXPECT_EQ(r.zoom, "200 %");
    t->options.MetricPage = true;
    EXPECT_EQ(ReportStatus(ws, Point{2880, 5760}).position, "2.54, 5.08 cm");
    // Off the pattern, or no pointer: no position.
    EXPECT_EQ(ReportStatus(ws, Point{-10, 5}).position, "");
    EXPECT_EQ(ReportStatus(ws, std::nullopt).position, "");
    Draw(ToolLine);
    EXPECT_EQ(ReportStatus(ws, std::nullopt).buttons, "Left: Draw   Right: End Series");
}

TEST(RecentFiles, NewestFirstEachOnceTenAtMostAndKept) {
    test::FakeSettings settings;
    {
        RecentFiles recent(settings);
        for (int i = 0; i < 12; ++i) recent.Add("/p/" + std::to_string(i) + ".pat");
        recent.Add("/p/5.pat");
        recent.Add("/p/./x/../7.pat");
        ASSERT_EQ(recent.Files().size(), kRecentFiles);
        EXPECT_EQ(recent.Files()[0], "/p/7.pat");
        EXPECT_EQ(recent.Files()[1], "/p/5.pat");
        EXPECT_EQ(recent.Files()[2], "/p/11.pat");
        EXPECT_EQ(recent.Files().back(), "/p/2.pat");
        recent.Remove("/p/11.pat");
    }
    RecentFiles again(settings);
    EXPECT_EQ(again.Files().size(), kRecentFiles - 1);
    EXPECT_EQ(again.Files()[2], "/p/10.pat");
    again.Clear();
    EXPECT_TRUE(RecentFiles(settings).Files().empty());
}

}  // namespace
}  // namespace tessary
