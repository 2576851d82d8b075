#include "core/engine/ArcTool.h"

#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/platform/KeyCodes.h"
#include "core/pattern/PatternStore.h"
#include "core/files/DisplaySetup.h"
#include "core/services/Messages.h"
#include "core/engine/Selection.h"
#include "core/engine/Palette.h"

namespace tessary {

namespace {

// Knots 0, 0, 0, 1, 2, 2, 2: the curve starts at the first point and ends at
// the last.
float Knot(int j) { return j < 3 ? 0.0f : (j == 3 ? 1.0f : 2.0f); }

// The B-spline basis of order k by the Cox-de Boor recursion; a term with a
// zero divisor counts as 0.
float Basis(int i, int k, float t) {
    if (k == 1) {
        if (Knot(i) <= t && t < Knot(i + 1)) return 1;
        return t == 2 && Knot(i) <= t && t <= Knot(i + 1) ? 1.0f : 0.0f;
    }
    float sum = 0;
    const float d1 = Knot(i + k - 1) - Knot(i);
    if (d1 != 0) sum += (t - Knot(i)) * Basis(i, k - 1, t) / d1;
    const float d2 = Knot(i + k) - Knot(i + 1);
    if (d2 != 0) sum += (Knot(i + k) - t) * Basis(i + 1, k - 1, t) / d2;
    return sum;
}

float Distance(const Point& a, const Point& b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

Point ArcTool::CurvePoint(float t) const {
    Point c;
    for (int i = 0; i < 4; ++i) {
        const float n = Basis(i, 3, t);
        c.x += n * points_[i].x;
        c.y += n * points_[i].y;
    }
    return c;
}

void ArcTool::ArcPress(int button, float x, float y) {
    if (button == kButtonLeft) {
        PlaceArcPoint(x, y);
    } else if (button == kButtonRight && pending_) {
        CommitArc();
        EndArc(false);
    }
}

void ArcTool::Key(int keyCode) {
    if (keyCode == KeyEscape) {
        EndArc(false);
    } else {
        DrawingTool::Key(keyCode);
    }
}

void ArcTool::Move(float x, float y) {
    if (ctx_.selection.SelectState() == SelectArcPoints) ctx_.selection.SelectMove(x, y);
}

void ArcTool::Release(float x, float y) {
    if (ctx_.selection.SelectState() == SelectArcPoints) ctx_.selection.SelectDrop(x, y);
}

void ArcTool::PlaceArcPoint(float x, float y) {
    if (counter_ == 0) {
        if (pending_) return;  // the pending arc must first be added or dropped
        EndArc(false);
        ctx_.palette.ArcCommandEnabled = {true, false};
    }
    const std::int16_t k = counter_;
    ctx_.selection.ShowGrabPoint(k, x, y);
    points_[k] = {x, y};
    if (k == 3) {
        RebuildArc();
    } else {
        counter_ = static_cast<std::int16_t>(k + 1);
    }
}

void ArcTool::MoveArcPoint(float x, float y) {
    const std::int16_t i = ctx_.selection.GrabIndex();
    if (i < 0 || i > 3) return;
    ctx_.selection.ShowGrabPoint(i, x, y);
    points_[i] = {x, y};
}

void ArcTool::RebuildArc() {
    DropConstruction();
    counter_ = 0;
    DrawArc();
    pending_ = true;
    ctx_.store.SetPatternChanged(true);
    ctx_.selection.EnterArcPoints();
    ctx_.palette.ArcCommandEnabled = {true, true};
}

void ArcTool::DropConstruction() {
    ElementSet<LineElement>& lines = ctx_.bands.ArcLine;
    for (std::int16_t i = 0; i < lines.Count(); ++i) lines.SetVisible(i, false);
    pending_ = false;
}

std::int16_t ArcTool::TakeConstructionLine() {
    ElementSet<LineElement>& lines = ctx_.bands.ArcLine;
    std::int16_t i = lines.FirstHidden();
    if (i < 0) i = lines.Create();
    if (i >= 0) ctx_.store.Raise(lines.Edit(i).look);
    return i;
}

void ArcTool::DrawArc() {
    const float polygon = Distance(points_[0], points_[1]) + Distance(points_[1], points_[2]) +
                          Distance(points_[2], points_[3]);
    const auto segment = static_cast<float>(ctx_.display.TraceSegment());
    const float step = 4 / (polygon / segment);
    // Four points at one place have no length to divide: no arc is drawn.
    if (!std::isfinite(step) || !(step > 0)) return;

    ElementSet<LineElement>& lines = ctx_.bands.ArcLine;
    const auto show = [&lines](std::int16_t line, Point from, Point to) {
        LineElement& e = lines.Edit(line);
        e.X1 = from.x;
        e.Y1 = from.y;
        e.X2 = to.x;
        e.Y2 = to.y;
        lines.SetVisible(line, true);
    };
    std::int16_t line = TakeConstructionLine();
    if (line < 0) return;
    Point from = CurvePoint(0);
    for (float t = step; t < 2; t += step) {
        const Point to = CurvePoint(t);
        show(line, from, to);
        // More construction lines than a set holds: the arc ends here.
        line = TakeConstructionLine();
        if (line < 0) return;
        from = to;
    }
    show(line, from, CurvePoint(2));
}

void ArcTool::CommitArc() {
    if (!pending_) return;
    ElementSet<LineElement>& lines = ctx_.bands.ArcLine;
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (!lines.Visible(i)) continue;
        const LineElement& e = lines[i];
        if (ctx_.store.AddLine(e.X1, e.Y1, e.X2, e.Y2, ctx_.PenWidth(), true) < 0) {
            ctx_.NotePatternFull();
            break;
        }
        lines.SetVisible(i, false);
    }
    DropConstruction();
}

void ArcTool::EndArc(bool ask) {
    ctx_.selection.ClearSelection();
    if (pending_) {
        if (ask && ctx_.messages.MsgAddArc() == AnswerYes) CommitArc();
        DropConstruction();
    }
    ctx_.selection.ResizeGrabPoints(4);
    counter_ = 0;
    ctx_.palette.ArcCommandEnabled = {false, false};
}

}  // namespace tessary
