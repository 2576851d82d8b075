#include "core/engine/BoxTool.h"

#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {
// Radians: above the rounding of 360 one-degree steps, far below a degree.
constexpr float kAngleSlack = 1e-4f;
bool EqualSided(std::int16_t kind) { return kind == ShapeSquare || kind == ShapeCircle || kind == ShapeRoundedSquare; }
}  // namespace

void BoxTool::BoxPress(float x, float y) {
    ShapeElement& band = ctx_.bands.EditShape;
    band.Shape = kind_;
    ctx_.lineState.Anchor = {x, y};
    band.Left = x;
    band.Width = 1;
    band.Top = y;
    band.Height = 1;
    band.look.BorderWidth = ctx_.PenWidth();
    ctx_.bands.EditShapeVisible = true;
    ctx_.gesture.Begin();
}

void BoxTool::BoxDrag(float x, float y) {
    const Point anchor = ctx_.lineState.Anchor;
    float left = anchor.x, width = 1, top = anchor.y, height = 1;
    const bool flippedX = x < anchor.x;
    const bool flippedY = y < anchor.y;
    if (x > anchor.x) width = x - anchor.x;
    if (flippedX) {
        left = x;
        width = anchor.x - x;
    }
    if (y > anchor.y) height = y - anchor.y;
    if (flippedY) {
        top = y;
        height = anchor.y - y;
    }
    // Equal-sided kinds take the larger extent; the corner opposite the
    // anchor follows the pointer.
    if (EqualSided(kind_)) {
        if (width > height) {
            if (flippedY) top = top + height - width;
            height = width;
        } else if (height > width) {
            if (flippedX) left = left + width - height;
            width = height;
        }
    }
    ShapeElement& band = ctx_.bands.EditShape;
    band.Left = left;
    band.Top = top;
    band.Width = width;
    band.Height = height;
}

void BoxTool::BoxRelease(float x, float y) {
    const ShapeElement& band = ctx_.bands.EditShape;
    if (band.Width > 1 && band.Height > 1) {
        if (ctx_.store.AddShape(band.Shape, band.Top, band.Left, band.Height, band.Width, ctx_.PenWidth(), true) < 0) {
            ctx_.NotePatternFull();
        } else {
            ctx_.lineState.LastEnd = {x, y};
            ctx_.lineState.SeriesActive = true;
        }
    }
    ctx_.bands.EditShapeVisible = false;
}

void CircleOutline::CircleStart(float cx, float cy, float r, float stepDegrees) {
    const float pi = 4 * std::atan(1.0f);
    cx_ = cx;
    cy_ = cy;
    r_ = r;
    end_ = 2 * pi;
    step_ = pi * stepDegrees / 180;
    // A step that never advances would never reach the end.
    if (!(step_ > 0)) step_ = end_;
    angle_ = 0;
    x_ = cx;
    y_ = cy + r;
}

bool CircleOutline::CircleNextSegment(float& x1, float& y1, float& x2, float& y2) {
    x1 = x_;
    y1 = y_;
    angle_ += step_;
    // Steps that divide the circle add up to a rounding short of its end;
    // so small a remainder is no segment of its own.
    if (angle_ >= end_ - kAngleSlack) {
        // The outline closes exactly where it began.
        angle_ = end_;
        x_ = cx_;
        y_ = cy_ + r_;
    } else {
        x_ = cx_ + r_ * std::sin(angle_);
        y_ = cy_ + r_ * std::cos(angle_);
    }
    x2 = x_;
    y2 = y_;
    return angle_ < end_;
}

}  // namespace tessary
