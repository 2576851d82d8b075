#include "core/engine/ShapeTool.h"

#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"
#include "core/engine/Selection.h"
#include "core/pattern/LineGeometry.h"
#include "core/engine/Palette.h"

namespace tessary {

namespace {

// Not exact thirds: the cuts sit at these fractions, taken in double.
constexpr double kFirstCut = 0.33;
constexpr double kSecondCut = 0.66;

float Cut(float from, float length, double factor) {
    return static_cast<float>(static_cast<double>(from) + factor * static_cast<double>(length));
}

}  // namespace

const char* ShapeTool::StepName() const {
    switch (ctx_.palette.ShapeMode) {
        case ShapeSharp: return "Sharp";
        case ShapeSmooth: return "Smooth";
        default: return "Push";
    }
}

PointerSet ShapeTool::Pointers() const {
    const std::int16_t cursor = ShapeCursorId(ctx_.palette.ShapeMode, ctx_.palette.ToolDirection);
    return {PointerDefault, PointerDefault, PointerCustom, PointerCustom, cursor, "Apply\r\ntool", "Rotate"};
}

void ShapeTool::DrawPress(int button, float x, float y) {
    if (button == kButtonLeft) {
        ShapePress(x, y);
        ctx_.gesture.Begin();
    } else if (button == kButtonRight) {
        ShapeRotate();
    }
}

void ShapeTool::ShapePress(float x, float y) {
    pressPoint_ = {x, y};
    active_ = false;
    spent_ = false;
}

void ShapeTool::ShapeRotate() {
    active_ = false;
    const std::int16_t direction = ctx_.palette.ToolDirection;
    ctx_.palette.SetDirection(direction >= 8 ? std::int16_t{1} : static_cast<std::int16_t>(direction + 1));
    ctx_.pointersChanged();
}

void ShapeTool::ShapeStep(float x, float y) {
    if (spent_) return;
    if (active_) {
        switch (mode_) {
            case ShapeSharp: SharpStep(x, y); break;
            case ShapeSmooth: SmoothStep(x, y); break;
            default: PushStep(x, y); break;
        }
        ctx_.store.SetPatternChanged(true);
        return;
    }
    ctx_.geometry.SetProbe(pressPoint_.x, pressPoint_.y, x, y);
    std::int16_t line = -1;
    if (!ctx_.geometry.FirstCrossedLine(ctx_.store, line)) return;
    active_ = Start(line, x, y);
    spent_ = !active_;
}

bool ShapeTool::Start(std::int16_t line, float x, float y) {
    mode_ = ctx_.palette.ShapeMode;
    switch (mode_) {
        case ShapeSharp: return SharpStart(line, x, y);
        case ShapeSmooth: return SmoothStart(line, x, y);
        default: PushStart(line, x, y); return true;
    }
}

std::int16_t ShapeTool::NewLine() {
    const std::int16_t i = ctx_.store.NewLineSlot();
    if (i < 0) {
        ctx_.NotePatternFull();
        return i;
    }
    ctx_.store.OutLine.Edit(i).look.BorderWidth = ctx_.PenWidth();
    return i;
}

void ShapeTool::Moved(std::initializer_list<std::int16_t> lines) {
    for (const std::int16_t i : lines) {
        if (i >= 0) ctx_.store.LineMoved(i);
    }
}

bool ShapeTool::SharpStart(std::int16_t line, float x, float y) {
    const std::int16_t b = NewLine();
    if (b < 0) return false;
    ctx_.selection.ForgetLine(line);
    lineA_ = line;
    lineB_ = b;
    const LineElement l = ctx_.store.OutLine[line];
    LineElement& e = ctx_.store.OutLine.Edit(b);
    e.X2 = l.X2;
    e.Y2 = l.Y2;
    SharpStep(x, y);
    ctx_.store.OutLine.SetVisible(b, true);
    return true;
}

void ShapeTool::SharpStep(float x, float y) {
    LineElement& a = ctx_.store.OutLine.Edit(lineA_);
    a.X2 = x;
    a.Y2 = y;
    LineElement& b = ctx_.store.OutLine.Edit(lineB_);
    b.X1 = x;
    b.Y1 = y;
    Moved({lineB_, lineA_});
}

bool ShapeTool::SmoothStart(std::int16_t line, float x, float y) {
    ElementSet<LineElement>& lines = ctx_.store.OutLine;
    // Both new slots first, so a full pattern leaves the line as it was.
    // The first is shown while the second is taken, or both would be the same.
    const std::int16_t b = NewLine();
    if (b < 0) return false;
    lines.SetVisible(b, true);
    const std::int16_t a = NewLine();
    lines.SetVisible(b, false);
    if (a < 0) return false;
    ctx_.selection.ForgetLine(line);

    if (lines[line].X1 > lines[line].X2) SwapLineEnds(ctx_.store, line);
    LineGeometry& g = ctx_.geometry;
    const LineElement& l0 = lines[line];
    g.SetProbe(l0.X1, l0.Y1, l0.X2, l0.Y2);
    Point q1, q2;
    if (g.ProbeSegment().Vertical) {
        if (l0.Y2 < l0.Y1) SwapLineEnds(ctx_.store, line);
        const LineElement& l = lines[line];
        const float d = std::fabs(l.Y2 - l.Y1);
        const float top = g.ProbeSegment().MinY;
        q1 = {l.X1, Cut(top, d, kFirstCut)};
        q2 = {l.X1, Cut(top, d, kSecondCut)};
    } else {
        const float d = std::fabs(l0.X2 - l0.X1);
        const float left = g.ProbeSegment().MinX;
        q1.x = Cut(left, d, kFirstCut);
        q2.x = Cut(left, d, kSecondCut);
        if (g.ProbeSegment().Horizontal) {
            q1.y = q2.y = l0.Y1;
        } else {
            q1.y = g.ProbeY(q1.x);
            q2.y = g.ProbeY(q2.x);
        }
    }
    lastPoint_ = {x, y};
    lineM_ = line;
    lineA_ = a;
    lineB_ = b;
    const LineElement l = lines[line];
    LineElement& ea = lines.Edit(a);
    ea.X1 = l.X1;
    ea.Y1 = l.Y1;
    ea.X2 = q1.x;
    ea.Y2 = q1.y;
    LineElement& eb = lines.Edit(b);
    eb.X1 = q2.x;
    eb.Y1 = q2.y;
    eb.X2 = l.X2;
    eb.Y2 = l.Y2;
    LineElement& em = lines.Edit(line);
    em.X1 = q1.x;
    em.Y1 = q1.y;
    em.X2 = q2.x;
    em.Y2 = q2.y;
    lines.SetVisible(b, true);
    lines.SetVisible(a, true);
    Moved({b, line, a});
    return true;
}

void ShapeTool::ShiftMiddle(float x, float y) {
    const float dx = x - lastPoint_.x;
    const float dy = y - lastPoint_.y;
    LineElement& m = ctx_.store.OutLine.Edit(lineM_);
    m.X1 += dx;
    m.Y1 += dy;
    m.X2 += dx;
    m.Y2 += dy;
    lastPoint_ = {x, y};
}

void ShapeTool::SmoothStep(float x, float y) {
    ShiftMiddle(x, y);
    ElementSet<LineElement>& lines = ctx_.store.OutLine;
    const LineElement m = lines[lineM_];
    LineElement& a = lines.Edit(lineA_);
    a.X2 = m.X1;
    a.Y2 = m.Y1;
    LineElement& b = lines.Edit(lineB_);
    b.X1 = m.X2;
    b.Y1 = m.Y2;
    Moved({lineB_, lineM_, lineA_});
}

void ShapeTool::PushStart(std::int16_t line, float x, float y) {
    lineM_ = line;
    lineA_ = lineB_ = -1;
    a1_ = a2_ = b1_ = b2_ = false;
    const ElementSet<LineElement>& lines = ctx_.store.OutLine;
    const LineElement m = lines[line];
    // One pass, first match in index order at each end; stops once both are found.
    const std::int16_t count = lines.Count();
    for (std::int16_t j = 0; j < count && !((a1_ || a2_) && (b1_ || b2_)); ++j) {
        if (j == line || !lines.Visible(j)) continue;
        const LineElement& e = lines[j];
        if (!a1_ && !a2_) {
            a1_ = m.X1 == e.X1 && m.Y1 == e.Y1;
            a2_ = !a1_ && m.X1 == e.X2 && m.Y1 == e.Y2;
            if (a1_ || a2_) lineA_ = j;
        }
        if (!b1_ && !b2_) {
            b1_ = m.X2 == e.X1 && m.Y2 == e.Y1;
            b2_ = !b1_ && m.X2 == e.X2 && m.Y2 == e.Y2;
            if (b1_ || b2_) lineB_ = j;
        }
    }
    for (const std::int16_t i : {line, lineA_, lineB_}) {
        if (i >= 0) ctx_.selection.ForgetLine(i);
    }
    lastPoint_ = {x, y};
}

void ShapeTool::PushStep(float x, float y) {
    ShiftMiddle(x, y);
    ElementSet<LineElement>& lines = ctx_.store.OutLine;
    const LineElement m = lines[lineM_];
    if (a1_ || a2_) {
        LineElement& a = lines.Edit(lineA_);
        (a1_ ? a.X1 : a.X2) = m.X1;
        (a1_ ? a.Y1 : a.Y2) = m.Y1;
    }
    if (b1_ || b2_) {
        LineElement& b = lines.Edit(lineB_);
        (b1_ ? b.X1 : b.X2) = m.X2;
        (b1_ ? b.Y1 : b.Y2) = m.Y2;
    }
    Moved({lineB_, lineM_, lineA_});
}

}  // namespace tessary
