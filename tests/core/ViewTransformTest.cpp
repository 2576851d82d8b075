#include "core/engine/ViewTransform.h"

#include <algorithm>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

class ViewTransformTest : public test::WorkspaceTest {
protected:
    WorkSurface& s = ws.surface;
};

// Pixels to layer twips and back lands where it started, whatever the zoom,
// the pan and the screen's scale; the pattern's corners sit where the window
// rectangle of the pattern says.
TEST_F(ViewTransformTest, PixelsAndLayerTwipsRoundTripAtEveryZoomAndPan) {
    const struct {
        const char* view;
        std::int16_t zoom;
        std::int16_t move;
    } views[] = {
        {"normal, centred", ZoomNormal, MoveCenter}, {"fitted, in the corner", ZoomFit, MoveCorner},
        {"zoomed in, moved left", ZoomIn, MoveLeft},  {"zoomed out, moved down", ZoomOut, MoveDown},
    };
    for (const double twipsPerPixel : {15.0, 12.0, 1440.0 / 110}) {
        for (const auto& v : views) {
            SCOPED_TRACE(testing::Message() << v.view << " at " << twipsPerPixel << " twips a pixel");
            ws.zoom.ZoomView(ZoomNormal);
            ws.zoom.ZoomView(v.zoom);
            ws.zoom.MoveImage(v.move);
            const ViewTransform view(s, twipsPerPixel);
            const Rect& page = s.Pattern;
            // Lengths of a zoomed-in page exceed float's whole-twip precision.
            const double slack = std::max(page.Width, page.Height) * 1e-6;

            for (const PixelPoint p : {PixelPoint{0, 0}, PixelPoint{37.5, 411.25}, PixelPoint{799, 599}}) {
                const PixelPoint back = view.LayerToPixels(view.PixelsToLayer(p));
                EXPECT_NEAR(back.x, p.x, slack / twipsPerPixel);
                EXPECT_NEAR(back.y, p.y, slack / twipsPerPixel);
            }
            const PixelRect shown = view.WindowRect(page);
            const PixelPoint corner = view.LayerToPixels({0, 0});
            const PixelPoint far = view.LayerToPixels({page.Width, page.Height});
            EXPECT_NEAR(corner.x, shown.left, 1e-6);
            EXPECT_NEAR(corner.y, shown.top, 1e-6);
            EXPECT_NEAR(far.x, shown.left + shown.width, slack / twipsPerPixel);
            EXPECT_NEAR(far.y, shown.top + shown.height, slack / twipsPerPixel);
            EXPECT_NEAR(shown.width * twipsPerPixel, page.Width, slack);

            const Point middle = view.PixelsToLayer({shown.left + shown.width / 2, shown.top + shown.height / 2});
            EXPECT_NEAR(middle.x, page.Width / 2, slack);
            EXPECT_NEAR(middle.y, page.Height / 2, slack);
        }
    }
}

// A press is given in the coordinates of the part it landed on.
TEST_F(ViewTransformTest, PressPointsAreInThePressedPartsCoordinates) {
    s.PictureFrame[0] = Rect{-300, 600, 6000, 4500};
    s.Pattern = s.PictureFrame[0];
    const ViewTransform view(s, 15);
    const PixelPoint p{100, 200};  // 1500, 3000 window twips
    const struct {
        LayerCode part;
        Point expected;
    } cases[] = {
        {LayerWindow, {1500, 3000}}, {LayerPicture, {1800, 2400}}, {LayerPattern, {1800, 2400}}, {LayerUnder, {1800, 2400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        EXPECT_EQ(view.PixelsToPart(p, c.part), c.expected);
    }
}

// A grab point's rectangle is its corner and twice its half sides within the
// layer; a point inside it converts to the handle's own coordinates and back.
TEST_F(ViewTransformTest, GrabPointRectangleAndLocalPoint) {
    s.Pattern = Rect{150, 300, 9000, 6000};
    s.PatternVisible = true;
    s.GrabPoint.assign(3, GrabPointElement{});
    s.GrabPoint[2] = GrabPointElement{1500, 750, true};
    const ViewTransform view(s, 15);

    const PixelRect r = view.GrabRect(2);
    EXPECT_DOUBLE_EQ(r.left, 110);
    EXPECT_DOUBLE_EQ(r.top, 70);
    EXPECT_DOUBLE_EQ(r.width, 6);
    EXPECT_DOUBLE_EQ(r.height, 6);

    const Point layer = view.PixelsToLayer({r.left + 1, r.top + 2});
    const Point local = view.LayerToGrab(2, layer);
    EXPECT_EQ(local, (Point{15, 30}));
    EXPECT_EQ(view.GrabToLayer(2, local), layer);
    EXPECT_EQ(view.GrabToLayer(2, {s.GrabHalfWidth, s.GrabHalfHeight}), ws.selection.GrabCentre(2));
}

TEST_F(ViewTransformTest, GrabPointHitIsTheTopmostVisibleHandleUpToItsEdges) {
    s.Pattern = Rect{150, 300, 9000, 6000};
    s.PatternVisible = true;
    s.GrabPoint.assign(4, GrabPointElement{});
    // Handles 1 and 2 overlap between pixels 113 and 116; 3 is hidden on top of 1.
    s.GrabPoint[1] = GrabPointElement{1500, 750, true};
    s.GrabPoint[2] = GrabPointElement{1545, 750, true};
    s.GrabPoint[3] = GrabPointElement{1500, 750, false};
    const ViewTransform view(s, 15);
    const struct {
        PixelPoint p;
        int expected;
    } cases[] = {
        {{110, 70}, 1},   {{112, 76}, 1},   {{114, 73}, 2},    {{119, 76}, 2},
        {{109.9, 73}, -1}, {{119.1, 73}, -1}, {{112, 76.1}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << ", " << c.p.y);
        EXPECT_EQ(view.GrabPointAt(c.p, true), c.expected);
    }
    EXPECT_EQ(view.GrabPointAt({112, 73}, false), -1);
    s.PatternVisible = false;
    EXPECT_EQ(view.GrabPointAt({112, 73}, true), -1);
}

// The pattern covers the picture under it and the picture layer; edges belong
// to the layer, the first pixel beyond to the window.
TEST_F(ViewTransformTest, PartHitAtTheEdges) {
    s.PictureFrame[0] = Rect{150, 300, 1500, 3000};  // pixels 10..110 by 20..220
    s.Pattern = s.PictureFrame[0];
    const PixelPoint inside[] = {{10, 20}, {110, 220}, {10, 220}, {60, 120}};
    const PixelPoint outside[] = {{9.99, 20}, {110.01, 120}, {60, 19.99}, {60, 220.01}};
    const struct {
        std::int16_t viewMode;
        LayerCode expected;
    } cases[] = {{ViewPictureOnly, LayerPicture}, {ViewPatternOnly, LayerPattern}, {ViewBoth, LayerUnder}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.viewMode);
        s.SetViewMode(c.viewMode);
        const ViewTransform view(s, 15);
        for (const PixelPoint p : inside) EXPECT_EQ(view.PartAt(p), c.expected) << p.x << ", " << p.y;
        for (const PixelPoint p : outside) EXPECT_EQ(view.PartAt(p), LayerWindow) << p.x << ", " << p.y;
    }
    // While a picture is dragged only the picture shows.
    s.SetViewMode(ViewBoth);
    s.ShowPictureOnly();
    EXPECT_EQ(ViewTransform(s, 15).PartAt({10, 20}), LayerPicture);
    // A layer of no size is never hit.
    s.Pattern.Width = 0;
    s.SetViewMode(ViewPatternOnly);
    EXPECT_EQ(ViewTransform(s, 15).PartAt({10, 20}), LayerWindow);
}

}  // namespace
}  // namespace tessary
