#include "core/pattern/ShapeOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace tessary {

ShapeOutline OutlineOf(const ShapeElement& e) {
    const float side = std::min(e.Width, e.Height);
    switch (e.Shape) {
        case ShapeSquare: return {OutlineForm::Box, e.Left, e.Top, side, side};
        case ShapeOval: return {OutlineForm::Ellipse, e.Left, e.Top, e.Width, e.Height};
        case ShapeCircle:
            return {OutlineForm::Ellipse, e.Left + (e.Width - side) / 2, e.Top + (e.Height - side) / 2, side, side};
        case ShapeRoundedRectangle: return {OutlineForm::RoundedBox, e.Left, e.Top, e.Width, e.Height};
        case ShapeRoundedSquare: return {OutlineForm::RoundedBox, e.Left, e.Top, side, side};
        default: return {OutlineForm::Box, e.Left, e.Top, e.Width, e.Height};
    }
}

float CornerRadius(const ShapeOutline& outline) { return std::min(outline.width, outline.height) / 8; }

std::vector<OutlinePoint> OutlineChords(const ShapeOutline& o, float stepDegrees) {
    // A step that is no number, or does not advance, takes the coarsest chords.
    const double degrees = stepDegrees > 0 ? std::min(static_cast<double>(stepDegrees), 90.0) : 90.0;
    const double step = std::max(degrees, 0.01) * std::numbers::pi / 180;
    const double left = o.left, top = o.top, right = left + o.width, bottom = top + o.height;
    std::vector<OutlinePoint> points;
    const auto add = [&points](double x, double y) {
        points.push_back({static_cast<float>(x), static_cast<float>(y)});
    };
    // A quarter (or whole) turn about a centre with radii rx, ry, from angle
    // from, y downwards as on the paper, its last point included.
    const auto arc = [&](double cx, double cy, double rx, double ry, double from, double turn) {
        const int steps = std::max(1, static_cast<int>(std::ceil(turn / step - 1e-9)));
        for (int i = 1; i <= steps; ++i) {
            const double a = from + turn * i / steps;
            add(cx + rx * std::cos(a), cy + ry * std::sin(a));
        }
    };
    constexpr double kQuarter = std::numbers::pi / 2;
    switch (o.form) {
        case OutlineForm::Box:
            for (const auto& [x, y] : {std::pair{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}) {
                add(x, y);
            }
            break;
        case OutlineForm::Ellipse:
            add(right, top + o.height / 2.0);
            arc(left + o.width / 2.0, top + o.height / 2.0, o.width / 2.0, o.height / 2.0, 0, 4 * kQuarter);
            break;
        case OutlineForm::RoundedBox: {
            const double r = CornerRadius(o);
            add(left + r, top);
            add(right - r, top);
            arc(right - r, top + r, r, r, -kQuarter, kQuarter);
            add(right, bottom - r);
            arc(right - r, bottom - r, r, r, 0, kQuarter);
            add(left + r, bottom);
            arc(left + r, bottom - r, r, r, kQuarter, kQuarter);
            add(left, top + r);
            arc(left + r, top + r, r, r, 2 * kQuarter, kQuarter);
            break;
        }
    }
    // Closed to the last bit, whatever the sines left over.
    points.back() = points.front();
    return points;
}

}  // namespace tessary
