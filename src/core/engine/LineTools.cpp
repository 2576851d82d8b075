#include "core/engine/LineTools.h"

#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"
#include "core/files/DisplaySetup.h"
#include "core/platform/KeyCodes.h"

namespace tessary {

void TraceTool::DrawPress(int, float x, float y) {
    ctx_.lineState.Anchor = {x, y};
    ctx_.gesture.Begin();
}

void TraceTool::TraceStep(float x, float y) {
    Point& anchor = ctx_.lineState.Anchor;
    const auto length = static_cast<float>(ctx_.display.TraceSegment());
    const float dx = std::fabs(anchor.x - x);
    const float dy = std::fabs(anchor.y - y);
    // Cut by distance along either axis, not along the stroke.
    if (dx < length && dy < length) return;
    if (ctx_.store.AddLine(anchor.x, anchor.y, x, y, ctx_.PenWidth(), true) < 0) {
        ctx_.NotePatternFull();
        return;
    }
    anchor = {x, y};
}

void LineTool::Leave() { ctx_.EndLineSeries(); }

PointerSet LineTool::Pointers() const {
    return {PointerDefault, PointerDefault, PointerCross, PointerCross, 0, "Draw", "End\r\nSeries"};
}

void LineTool::DrawPress(int button, float x, float y) {
    if (button == kButtonLeft) {
        LineStart(x, y);
        ctx_.gesture.Begin();
    } else if (button == kButtonRight) {
        ctx_.EndLineSeries();
    }
}

void LineTool::Key(int keyCode) {
    if (keyCode == KeyEscape) {
        ctx_.EndLineSeries();
    } else {
        DrawingTool::Key(keyCode);
    }
}

bool LineTool::Hover(float x, float y) {
    const LineDrawState& s = ctx_.lineState;
    if (!s.SeriesActive) return false;
    LineElement& band = ctx_.bands.EditLine;
    band.X1 = s.LastEnd.x;
    band.Y1 = s.LastEnd.y;
    band.X2 = x;
    band.Y2 = y;
    band.look.BorderWidth = ctx_.PenWidth();
    ctx_.bands.EditLineVisible = true;
    return true;
}

void LineTool::LineStart(float x, float y) {
    LineDrawState& s = ctx_.lineState;
    s.Anchor = s.SeriesActive ? s.LastEnd : Point{x, y};
    LineElement& band = ctx_.bands.EditLine;
    band.X1 = band.X2 = s.Anchor.x;
    band.Y1 = band.Y2 = s.Anchor.y;
    band.look.BorderWidth = ctx_.PenWidth();
    ctx_.bands.EditLineVisible = true;
}

void LineTool::LineRubberBand(float x, float y) {
    ctx_.bands.EditLine.X2 = x;
    ctx_.bands.EditLine.Y2 = y;
}

void LineTool::LineFinish(float x, float y) {
    LineDrawState& s = ctx_.lineState;
    // A click without movement starts a series and draws nothing.
    if ((x != s.Anchor.x || y != s.Anchor.y) &&
        ctx_.store.AddLine(s.Anchor.x, s.Anchor.y, x, y, ctx_.PenWidth(), true) < 0) {
        ctx_.NotePatternFull();
    }
    ctx_.bands.EditLineVisible = false;
    s.LastEnd = {x, y};
    s.SeriesActive = true;
}

}  // namespace tessary
