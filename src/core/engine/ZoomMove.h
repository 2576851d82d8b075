#pragma once

#include <cstdint>

namespace tessary {

class Workspace;

enum ZoomCode : std::int16_t { ZoomIn = -1, ZoomNormal = 0, ZoomOut = 1, ZoomFit = 2 };
enum MoveCode : std::int16_t { MoveCorner = 0, MoveCenter = 1, MoveUp = 2, MoveDown = 3, MoveLeft = 4, MoveRight = 5 };

// The smallest and largest side, in twips, that the view gives the picture
// layer when zooming in or out.
struct ViewLimits {
    float smallest = 240;  // 16 screen pixels: a 10-foot pattern still fits a small window
    float largest = 33554432;  // 2^25: one pixel of a 600-dpi scan spans over a hundred on screen
};

// One scroll bar of the work window, in window twips. Its value is how far
// the picture layer's leading edge lies before the window's; the range runs
// from the layer's edge at the window's edge to its far edge at the window's
// far edge, widened to take in where the view is now. It is shown only while
// some of the layer is out of sight.
struct ScrollAxis {
    float minimum = 0;
    float maximum = 0;
    float page = 0;
    float value = 0;
    bool Shown() const { return maximum > minimum; }
};

// Zoom and move: the picture layer's geometry is the whole view state; the
// displayed pattern is recomputed from the reference copy after each zoom.
class ZoomMove {
public:
    ZoomMove(Workspace& ws, const ViewLimits& limits) : ws_(ws), limits_(limits) {}

    bool ZoomImage(std::int16_t code);
    bool ZoomView(std::int16_t code);
    void ZoomAtPoint(int button, float x, float y);
    void CenterImageAt(float x, float y);
    void MoveImage(std::int16_t code);
    // The wheel's zoom: by factor about a point of the window (twips),
    // which stays where it is. At the view's limits nothing changes and
    // nothing is said: a wheel rolls on past them.
    bool ZoomAround(float factor, float windowX, float windowY);
    // The view moved by (dx, dy) window twips: scrolling and panning.
    void PanBy(float dx, float dy);
    // The scroll bars of the view as it is now.
    ScrollAxis HorizontalScroll() const;
    ScrollAxis VerticalScroll() const;
    void ScalePatternToView();
    // The window's inner size changed to this many twips. A view fitted to
    // the window is fitted again; true when it was.
    bool ResizeWindow(float clientWidth, float clientHeight);

    // A drag of the picture layer, in window coordinates of the pointer; the
    // press point within the layer is the surface's DownX/DownY.
    void DragPicture(float windowX, float windowY);
    void DropPicture(float windowX, float windowY);

    const ViewLimits& Limits() const { return limits_; }

private:
    // The size the view grants for a requested side.
    float Accepted(float side) const;
    bool ZoomBy(float factor, bool sayLimits = true);
    void PlacePicture(float windowX, float windowY);

    Workspace& ws_;
    ViewLimits limits_;
};

}  // namespace tessary
