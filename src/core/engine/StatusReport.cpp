#include "core/engine/StatusReport.h"

#include <cmath>
#include <cstdio>

#include "core/engine/Workspace.h"

namespace tessary {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Counted(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

// Mouse-help texts break their lines for the panel; one line here.
std::string OneLine(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
    return text;
}

}  // namespace

StatusReport ReportStatus(const Workspace& ws, std::optional<Point> pointer) {
    StatusReport r;
    const WorkSurface& s = ws.surface;
    const PatternOptions& o = ws.session.options;
    const float shown = s.Pattern.Height;
    // Layer twips at this zoom to twips of the finished pattern.
    const double trueTwips = shown > 0 ? o.HeightTwips / shown : 0;
    if (pointer && trueTwips > 0 && std::isfinite(trueTwips)) {
        const double x = pointer->x * trueTwips, y = pointer->y * trueTwips;
        if (x >= 0 && y >= 0 && x <= o.WidthTwips && y <= o.HeightTwips) {
            const double unit = o.MetricPage ? 1440 / 2.54 : 1440;
            r.position = Fixed(x / unit, 2) + ", " + Fixed(y / unit, 2) + (o.MetricPage ? " cm" : " in");
        }
    }
    if (o.HeightTwips > 0 && shown > 0) r.zoom = Fixed(100.0 * shown / o.HeightTwips, 0) + " %";
    const std::string left = OneLine(ws.modes.MouseHelpLeft()), right = OneLine(ws.modes.MouseHelpRight());
    if (!left.empty()) r.buttons = "Left: " + left;
    if (!right.empty()) r.buttons += (r.buttons.empty() ? "" : "   ") + std::string("Right: ") + right;
    r.counts = Counted(ws.store.OutLine.VisibleCount(), "line", "lines") + ", " +
               Counted(ws.store.OutShape.VisibleCount(), "shape", "shapes");
    return r;
}

}  // namespace tessary
