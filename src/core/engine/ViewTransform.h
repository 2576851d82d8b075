#pragma once

#include <cstdint>

#include "core/engine/WorkSurface.h"

namespace tessary {

// Window pixels, fractional as the pointer reports them.
struct PixelPoint {
    double x = 0, y = 0;
};

struct PixelRect {
    double left = 0, top = 0, width = 0, height = 0;
    // Edges count as inside, so a press on a layer's last pixel row hits it;
    // a rectangle without area holds nothing.
    bool Contains(PixelPoint p) const;
};

// Where the work surface's parts lie in window pixels and back. Three
// coordinate systems chain: window pixels, window twips (pixels times the
// screen's twips per pixel), and the pattern layer's twips from its corner;
// a grab point's own twips are measured from its corner within the layer.
// It reads the surface's state as it is now, so make one whenever needed.
class ViewTransform {
public:
    // The window knows its screen's scale more exactly than the surface's
    // single-precision copy, so it is given here.
    ViewTransform(const WorkSurface& surface, double twipsPerPixel) : s_(surface), t_(twipsPerPixel) {}

    float Twips(double pixels) const { return static_cast<float>(pixels * t_); }
    Point PixelsToWindow(PixelPoint p) const { return {Twips(p.x), Twips(p.y)}; }
    PixelPoint WindowToPixels(Point p) const { return {p.x / t_, p.y / t_}; }
    PixelRect WindowRect(const Rect& r) const;

    Point PixelsToLayer(PixelPoint p) const;
    PixelPoint LayerToPixels(Point p) const;
    PixelRect LayerRect(const Rect& r) const;
    // A press point in the coordinates of the part it landed on: the
    // picture's, the pattern layer's (also over the picture under it) or the
    // window's.
    Point PixelsToPart(PixelPoint p, LayerCode part) const;

    PixelRect GrabRect(std::int16_t index) const;
    Point GrabToLayer(std::int16_t index, Point local) const;
    Point LayerToGrab(std::int16_t index, Point layer) const;

    // The topmost visible grab point at p, or -1 when none is there or the
    // handles are not shown.
    int GrabPointAt(PixelPoint p, bool grabPointsShown) const;
    // The pattern layer covers the picture; outside both lies the window.
    LayerCode PartAt(PixelPoint p) const;

private:
    const WorkSurface& s_;
    double t_;
};

}  // namespace tessary
