#include <array>
#include <functional>

#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using Geo = std::array<float, 4>;  // left, top, width, height

Geo GeoOf(const Rect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

class ZoomMoveTest : public test::WorkspaceTest {
protected:
    Geo Picture() const { return GeoOf(ws.surface.PictureFrame[0]); }
    std::array<float, 4> LineAt(std::int16_t i) const { return {Line(i).X1, Line(i).Y1, Line(i).X2, Line(i).Y2}; }

    // The pattern lies exactly on the picture, with the picture under it filling it.
    void ExpectLayersTogether() const {
        const Rect& p = ws.surface.PictureFrame[0];
        EXPECT_EQ(GeoOf(ws.surface.Pattern), Picture());
        EXPECT_EQ(GeoOf(ws.surface.PictureFrame[1]), (Geo{0, 0, p.Width, p.Height}));
    }
    std::size_t Messages() const { return t.presenter.shown.size(); }
};

// A blank letter page at normal size, centred in the 12000 x 9000 window.
constexpr Geo kNormal{-120, -3420, 12240, 15840};

TEST_F(ZoomMoveTest, InThenOutReturnsToTheFormerView) {
    for (const auto& [first, second] : {std::pair{ZoomIn, ZoomOut}, std::pair{ZoomOut, ZoomIn}}) {
        SCOPED_TRACE(first);
        ASSERT_EQ(Picture(), kNormal);
        ASSERT_TRUE(ws.zoom.ZoomView(first));
        EXPECT_NE(Picture()[3], kNormal[3]);
        ASSERT_TRUE(ws.zoom.ZoomView(second));
        EXPECT_EQ(Picture(), kNormal);
        ExpectLayersTogether();
    }
}

TEST_F(ZoomMoveTest, ZoomBeyondTheLimitIsRefusedOnceAndChangesNothing) {
    const struct { std::int16_t code; const char* text; } cases[] = {
        {ZoomIn, "The pattern is at the maximum zoom in position"},
        {ZoomOut, "The pattern is at the maximum zoom out position"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        OpenBlankPattern();
        t.presenter.shown.clear();
        t->store.AddLine(1000, 2000, 3000, 4000, 1, true);
        int accepted = 0;
        while (accepted < 40 && ws.zoom.ZoomView(c.code)) ++accepted;
        ASSERT_TRUE(accepted > 0 && accepted < 40);
        ASSERT_EQ(Messages(), 1u);
        EXPECT_EQ(t.presenter.shown[0].text, c.text);

        ws.zoom.MoveImage(MoveCorner);
        const Geo picture = Picture();
        const auto line = LineAt(0);
        const float scale = t->reference.ReferenceScale();
        EXPECT_FALSE(ws.zoom.ZoomView(c.code));
        EXPECT_EQ(Messages(), 2u);
        EXPECT_TRUE(Picture() == picture && LineAt(0) == line && t->reference.ReferenceScale() == scale);
        ExpectLayersTogether();
        EXPECT_TRUE(ws.surface.PatternVisible && !ws.surface.PictureFrameVisible[0]);
    }
}

TEST_F(ZoomMoveTest, FitFollowsTheTighterSideOfTheWindow) {
    const struct { float clientWidth, clientHeight; float width, height; } cases[] = {
        {12000, 9000, 12240 * 9000 / 15840.0f, 9000},      // taller than the window
        {12000, 30000, 12000, 15840 * 12000 / 12240.0f},   // wider than the window
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clientHeight);
        ws.surface.ClientWidth = c.clientWidth;
        ws.surface.ClientHeight = c.clientHeight;
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomNormal));
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomFit));
        EXPECT_FLOAT_EQ(Picture()[2], c.width);
        EXPECT_FLOAT_EQ(Picture()[3], c.height);
        EXPECT_FLOAT_EQ(Picture()[0], (c.clientWidth - c.width) / 2);
        EXPECT_FLOAT_EQ(Picture()[1], (c.clientHeight - c.height) / 2);
        ExpectLayersTogether();
    }
}

// Only a view that fits the window, to within a twip, follows its size.
TEST_F(ZoomMoveTest, ResizedWindowKeepsAFittedViewFitted) {
    const struct {
        const char* name;
        float width, height;  // the window before
        std::int16_t zoom;
        float heightNudge;
        bool enabled;
        float newWidth, newHeight;
        bool refit;
    } cases[] = {
        {"fitted to the height, window grows", 12000, 9000, ZoomFit, 0, true, 15000, 12000, true},
        {"fitted to the width, window narrows", 12000, 30000, ZoomFit, 0, true, 9000, 30000, true},
        {"a twip short of fitted", 12000, 9000, ZoomFit, -1, true, 15000, 12000, true},
        {"two twips short of fitted", 12000, 9000, ZoomFit, -2, true, 15000, 12000, false},
        {"normal size", 12000, 9000, ZoomNormal, 0, true, 15000, 12000, false},
        {"fitted, then zoomed in", 12000, 9000, ZoomIn, 0, true, 15000, 12000, false},
        {"no pattern open", 12000, 9000, ZoomFit, 0, false, 15000, 12000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenBlankPattern();
        ws.surface.ClientWidth = c.width;
        ws.surface.ClientHeight = c.height;
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomFit));
        if (c.zoom != ZoomFit) {
            ASSERT_TRUE(ws.zoom.ZoomView(c.zoom));
        }
        ws.surface.PictureFrame[0].Height += c.heightNudge;
        ws.surface.Enabled = c.enabled;
        const Geo before = Picture();

        EXPECT_EQ(ws.zoom.ResizeWindow(c.newWidth, c.newHeight), c.refit);
        EXPECT_TRUE(ws.surface.ClientWidth == c.newWidth && ws.surface.ClientHeight == c.newHeight);
        if (!c.refit) {
            EXPECT_EQ(Picture(), before);
            continue;
        }
        const auto [left, top, width, height] = Picture();
        EXPECT_TRUE((height == c.newHeight && width <= c.newWidth) || (width == c.newWidth && height <= c.newHeight));
        EXPECT_FLOAT_EQ(left, (c.newWidth - width) / 2);
        EXPECT_FLOAT_EQ(top, (c.newHeight - height) / 2);
        ExpectLayersTogether();
    }
}

TEST_F(ZoomMoveTest, NormalSizeIsThePatternSizeWhateverTheFormerZoom) {
    t->options.DimensionWidth = 10;
    t->options.DimensionHeight = 8;
    t->options.RecomputeTwips();
    ASSERT_TRUE(ws.PrepareBlankSurface());
    for (const std::int16_t former : {ZoomFit, ZoomIn, ZoomOut, ZoomNormal}) {
        SCOPED_TRACE(former);
        ws.zoom.ZoomView(former);
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomNormal));
        EXPECT_TRUE(Picture()[2] == 14400 && Picture()[3] == 11520 && t->reference.ReferenceScale() == 1.0f);
    }
}

TEST_F(ZoomMoveTest, ZoomModeClicks) {
    const struct { const char* name; int button; bool onLayer; Geo after; } cases[] = {
        // (100, 60) on the picture comes to the window centre at the new size.
        {"right on the picture", kButtonRight, true, {6000 - 50, 4500 - 30, 6120, 7920}},
        {"left on the picture", kButtonLeft, true, {6000 - 200, 4500 - 120, 24480, 31680}},
        {"left on the window", kButtonLeft, false, {6000 - 12240, 4500 - 15840, 24480, 31680}},
        {"right on the window", kButtonRight, false, {6000 - 3060, 4500 - 3960, 6120, 7920}},
    };
    ws.modes.SetMode(ModeZoom);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ws.zoom.ZoomView(ZoomNormal));
        ws.input.WorkspaceMouseDown(c.button, false, 100, 60, c.onLayer ? LayerPattern : LayerWindow);
        EXPECT_EQ(Picture(), c.after);
        ExpectLayersTogether();
    }
}

TEST_F(ZoomMoveTest, MoveCommandsStepByATenthOfTheWindow) {
    const struct { std::int16_t code; int times; float left, top; } cases[] = {
        {MoveCorner, 1, 0, 0},       {MoveCenter, 1, -120, -3420}, {MoveUp, 1, 0, -900},
        {MoveDown, 5, 0, 4500},      {MoveLeft, 2, -2400, 0},      {MoveRight, 1, 1200, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ws.zoom.MoveImage(MoveCorner);
        for (int i = 0; i < c.times; ++i) ws.zoom.MoveImage(c.code);
        EXPECT_EQ(Picture(), (Geo{c.left, c.top, 12240, 15840}));
        ExpectLayersTogether();
    }
}

// The drag's points come in layer twips, and the layer moves with the picture.
TEST_F(ZoomMoveTest, MoveModeDragPlacesThePressPointUnderThePointer) {
    ws.surface.SetViewMode(ViewBoth);
    ws.modes.SetMode(ModeMove);
    ws.input.WorkspaceMouseDown(kButtonRight, false, 500, 400, LayerPattern);
    ws.input.WorkspaceMouseMove(3000, 2000);
    ws.input.WorkspaceMouseDown(kButtonLeft, false, 500, 400, LayerWindow);
    ws.input.WorkspaceMouseMove(3000, 2000);
    EXPECT_EQ(Picture(), kNormal);

    ws.input.WorkspaceMouseDown(kButtonLeft, false, 500, 400, LayerPattern);
    ws.input.WorkspaceMouseMove(3000 + 120, 2000 + 3420);
    EXPECT_EQ(Picture(), (Geo{2500, 1600, 12240, 15840}));
    EXPECT_FALSE(ws.surface.PatternVisible);
    ws.input.WorkspaceMouseUp(3500 - 2500, 2500 - 1600);
    EXPECT_EQ(Picture(), (Geo{3000, 2100, 12240, 15840}));
    EXPECT_TRUE(ws.surface.PatternVisible);
    ExpectLayersTogether();
    ws.input.WorkspaceMouseMove(9000, 9000);
    EXPECT_EQ(Picture()[0], 3000);
}

TEST_F(ZoomMoveTest, APictureDraggedOutOfTheWindowOrCutShortStaysWhereItWas) {
    ws.surface.SetViewMode(ViewBoth);
    ws.modes.SetMode(ModeMove);
    const struct { const char* name; std::function<void()> cut; } cases[] = {
        {"pointer left", [&] { ws.input.PointerLeft(); }},
        {"right press", [&] { ws.input.WorkspaceMouseDown(kButtonRight, false, 10, 10, LayerPattern); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ws.zoom.MoveImage(MoveCorner);
        ws.input.WorkspaceMouseDown(kButtonLeft, false, 500, 400, LayerPattern);
        ws.input.WorkspaceMouseMove(700, 500);
        ASSERT_FALSE(ws.surface.PatternVisible);
        c.cut();
        EXPECT_EQ(Picture(), (Geo{200, 100, 12240, 15840}));
        EXPECT_TRUE(ws.surface.PatternVisible);
        EXPECT_FALSE(ws.gesture.Active());
        ws.input.WorkspaceMouseMove(2000, 2000);
        ws.input.WorkspaceMouseUp(2000, 2000);
        EXPECT_EQ(Picture()[0], 200);
    }
}

TEST_F(ZoomMoveTest, ComposeRecomputesVisibleElementsFromTheReferenceCopy) {
    t->store.AddLine(1000, 2000, 3000, 4000, 1, true);
    t->store.AddLine(500, 500, 700, 700, 1, true);
    t->store.AddShape(0, 1000, 1500, 1000, 2000, 1, true);
    t->store.DeleteLine(1);
    t->store.OutLine.Edit(0).X1 = 9999;  // the display is never the source
    t.progressWindow.headers.clear();
    ASSERT_TRUE(ws.zoom.ZoomView(ZoomIn));
    EXPECT_EQ(LineAt(0), (std::array<float, 4>{2000, 4000, 6000, 8000}));
    EXPECT_EQ(LineAt(1), (std::array<float, 4>{500, 500, 700, 700}));
    const ShapeElement& s = t->store.OutShape[0];
    EXPECT_EQ((Geo{s.Left, s.Top, s.Width, s.Height}), (Geo{3000, 2000, 4000, 2000}));
    EXPECT_EQ(t.progressWindow.headers, std::vector<std::string>{"Composing Image - Please wait..."});
    EXPECT_EQ(t.progressWindow.maximum, 3);  // hidden slots count too
}

TEST_F(ZoomMoveTest, NoWindowToZoomInDoesNothingSilently) {
    const struct { bool minimised; float clientWidth, clientHeight; std::int16_t code; } cases[] = {
        {true, 12000, 9000, ZoomFit},
        {true, 12000, 9000, ZoomIn},
        {false, 0, 9000, ZoomFit},
        {false, 12000, 0, ZoomFit},
    };
    for (const auto& c : cases) {
        ws.surface.Minimised = c.minimised;
        ws.surface.ClientWidth = c.clientWidth;
        ws.surface.ClientHeight = c.clientHeight;
        EXPECT_FALSE(ws.zoom.ZoomView(c.code));
        EXPECT_EQ(Picture(), kNormal);
        EXPECT_TRUE(ws.surface.PatternVisible);
    }
    EXPECT_EQ(Messages(), 0u);
}

}  // namespace
}  // namespace tessary
