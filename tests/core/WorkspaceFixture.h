#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "core/engine/Workspace.h"
#include "tests/core/FakePlatform.h"

namespace tessary::test {

// A blank 8.5 by 11 inch pattern open in a work window of 12000 by 9000
// twips on a 15-twips-per-pixel screen, at normal size (layer twips are
// pattern twips) unless a test zooms.
class WorkspaceTest : public testing::Test {
protected:
    WorkspaceTest() : ws(*t) {
        ws.surface.ClientWidth = 12000;
        ws.surface.ClientHeight = 9000;
        ws.surface.ScreenWidth = 28800;
        ws.surface.ScreenHeight = 16200;
        ws.surface.TwipsPerPixel = 15;
        OpenBlankPattern();
    }

    // New pattern without a picture, as the New command sets it up.
    void OpenBlankPattern() {
        ws.ResetWorkspace();
        t->progress.SetDisplay(true);
        ws.modes.SetNoPicture(true);
        ws.PrepareBlankSurface();
        ws.zoom.ZoomView(ZoomNormal);
        ws.modes.SetAppState(AppPatternOpen);
        ws.surface.Enabled = true;
        ws.StartWorkspace(false);
        ws.zoom.ZoomView(ZoomNormal);
        t->store.SetPatternChanged(false);
    }

    void Draw(std::int16_t tool) {
        ws.modes.SetDrawTool(tool);
        ws.modes.SetMode(ModeDraw);
    }

    // A press on the pattern layer, moves through the points, the release at the last.
    void Stroke(const std::vector<Point>& points, int button = kButtonLeft) {
        ws.input.WorkspaceMouseDown(button, false, points.front().x, points.front().y, LayerPattern);
        for (std::size_t i = 1; i < points.size(); ++i) ws.input.WorkspaceMouseMove(points[i].x, points[i].y);
        ws.input.WorkspaceMouseUp(points.back().x, points.back().y);
    }

    void Click(float x, float y, int button = kButtonLeft) { Stroke({{x, y}}, button); }
    void Key(int code) { ws.input.WorkspaceKeyDown(code, false); }

    int VisibleLines() const { return t->store.OutLine.VisibleCount(); }
    const LineElement& Line(std::int16_t i) const { return t->store.OutLine[i]; }

    TestSession t;
    Workspace ws;
};

}  // namespace tessary::test
