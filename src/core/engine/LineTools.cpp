#include "core/engine/LineTools.h"

#include <cmath>

#include "core/engine/Workspace.h"

namespace tessary {

void TraceTool::DrawPress(int, float x, float y) {
    ws_.lineState.Anchor = {x, y};
    ws_.input.BeginGesture(x, y, PointerCross);
}

void TraceTool::TraceStep(float x, float y) {
    Point& anchor = ws_.lineState.Anchor;
    const auto length = static_cast<float>(ws_.session.display.TraceSegment());
    const float dx = std::fabs(anchor.x - x);
    const float dy = std::fabs(anchor.y - y);
    // Cut by distance along either axis, not along the stroke.
    if (dx < length && dy < length) return;
    if (ws_.store.AddLine(anchor.x, anchor.y, x, y, ws_.PenWidth(), true) < 0) {
        ws_.NotePatternFull();
        return;
    }
    anchor = {x, y};
}

void LineTool::Leave() { ws_.EndLineSeries(); }

PointerSet LineTool::Pointers() const {
    return {PointerDefault, PointerDefault, PointerCross, PointerCross, 0, "Draw", "End\r\nSeries"};
}

void LineTool::DrawPress(int button, float x, float y) {
    if (button == kButtonLeft) {
        LineStart(x, y);
        ws_.input.BeginGesture(x, y, PointerCross);
    } else if (button == kButtonRight) {
        ws_.EndLineSeries();
    }
}

void LineTool::LineStart(float x, float y) {
    LineDrawState& s = ws_.lineState;
    s.Anchor = s.SeriesActive ? s.LastEnd : Point{x, y};
    LineElement& band = ws_.store.EditLine;
    band.X1 = band.X2 = s.Anchor.x;
    band.Y1 = band.Y2 = s.Anchor.y;
    band.look.BorderWidth = ws_.PenWidth();
    ws_.store.EditLineVisible = true;
}

void LineTool::LineRubberBand(float x, float y) {
    ws_.store.EditLine.X2 = x;
    ws_.store.EditLine.Y2 = y;
}

void LineTool::LineFinish(float x, float y) {
    LineDrawState& s = ws_.lineState;
    // A click without movement starts a series and draws nothing.
    if ((x != s.Anchor.x || y != s.Anchor.y) &&
        ws_.store.AddLine(s.Anchor.x, s.Anchor.y, x, y, ws_.PenWidth(), true) < 0) {
        ws_.NotePatternFull();
    }
    ws_.store.EditLineVisible = false;
    s.LastEnd = {x, y};
    s.SeriesActive = true;
}

}  // namespace tessary
