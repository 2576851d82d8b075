#include "core/engine/ViewTransform.h"

namespace tessary {

bool PixelRect::Contains(PixelPoint p) const {
    double l = left, r = left, t = top, b = top;
    (width < 0 ? l : r) += width;
    (height < 0 ? t : b) += height;
    if (l == r || t == b) return false;
    return p.x >= l && p.x <= r && p.y >= t && p.y <= b;
}

PixelRect ViewTransform::WindowRect(const Rect& r) const {
    return {r.Left / t_, r.Top / t_, r.Width / t_, r.Height / t_};
}

Point ViewTransform::PixelsToLayer(PixelPoint p) const {
    const Point window = PixelsToWindow(p);
    return {window.x - s_.Pattern.Left, window.y - s_.Pattern.Top};
}

PixelPoint ViewTransform::LayerToPixels(Point p) const {
    return WindowToPixels({s_.Pattern.Left + p.x, s_.Pattern.Top + p.y});
}

PixelRect ViewTransform::LayerRect(const Rect& r) const {
    return WindowRect({s_.Pattern.Left + r.Left, s_.Pattern.Top + r.Top, r.Width, r.Height});
}

Point ViewTransform::PixelsToPart(PixelPoint p, LayerCode part) const {
    const Point window = PixelsToWindow(p);
    switch (part) {
        case LayerPattern:
        case LayerUnder: return PixelsToLayer(p);
        case LayerPicture: return {window.x - s_.PictureFrame[0].Left, window.y - s_.PictureFrame[0].Top};
        default: return window;
    }
}

PixelRect ViewTransform::GrabRect(std::int16_t index) const {
    const GrabPointElement& g = s_.GrabPoint.at(index);
    return LayerRect({g.Left, g.Top, 2 * s_.GrabHalfWidth, 2 * s_.GrabHalfHeight});
}

Point ViewTransform::GrabToLayer(std::int16_t index, Point local) const {
    const GrabPointElement& g = s_.GrabPoint.at(index);
    return {local.x + g.Left, local.y + g.Top};
}

Point ViewTransform::LayerToGrab(std::int16_t index, Point layer) const {
    const GrabPointElement& g = s_.GrabPoint.at(index);
    return {layer.x - g.Left, layer.y - g.Top};
}

int ViewTransform::GrabPointAt(PixelPoint p, bool grabPointsShown) const {
    if (!s_.PatternVisible || !grabPointsShown) return -1;
    for (int i = static_cast<int>(s_.GrabPoint.size()) - 1; i >= 0; --i) {
        const auto index = static_cast<std::int16_t>(i);
        if (s_.GrabPoint[index].Visible && GrabRect(index).Contains(p)) return i;
    }
    return -1;
}

LayerCode ViewTransform::PartAt(PixelPoint p) const {
    if (s_.PatternVisible && WindowRect(s_.Pattern).Contains(p)) {
        return s_.PictureFrameVisible[1] ? LayerUnder : LayerPattern;
    }
    if (s_.PictureFrameVisible[0] && WindowRect(s_.PictureFrame[0]).Contains(p)) return LayerPicture;
    return LayerWindow;
}

}  // namespace tessary
