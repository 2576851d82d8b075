#include "core/engine/Alignment.h"

#include <algorithm>
#include <cmath>

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"
#include "core/services/Progress.h"

namespace tessary {

float DragRoom::Clamp(float d) {
    if (d < 0) {
        const float moved = std::max(d, -before);
        before += moved;
        after -= moved;
        return moved;
    }
    if (d > 0) {
        const float moved = std::min(d, after);
        before += moved;
        after -= moved;
        return moved;
    }
    return 0;
}

// One pass over the visible shapes and lines under a progress caption,
// shapes first; a step for every slot, shown or not.
template <class Shape, class Line>
void Alignment::EachVisible(const char* caption, Shape shape, Line line) {
    const ElementSet<LineElement>& lines = store_.OutLine;
    const ElementSet<ShapeElement>& shapes = store_.OutShape;
    progress_.ProgressStart(0, lines.Count() + shapes.Count(), caption, false);
    for (std::int16_t i = 0; i < shapes.Count(); ++i) {
        if (shapes.Visible(i)) shape(i);
        progress_.ProgressStep(1);
    }
    for (std::int16_t i = 0; i < lines.Count(); ++i) {
        if (lines.Visible(i)) line(i);
        progress_.ProgressStep(1);
    }
    progress_.ProgressEnd();
}

PatternBox Alignment::MeasurePattern() {
    // Measured from the elements themselves: a pattern may reach past the
    // layer's edges.
    float left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    const auto widen = [&](float x1, float x2, float y1, float y2) {
        left = std::min({left, x1, x2});
        right = std::max({right, x1, x2});
        top = std::min({top, y1, y2});
        bottom = std::max({bottom, y1, y2});
    };
    EachVisible(
        "Measuring Pattern - Please wait...",
        [&](std::int16_t i) {
            const ShapeElement& e = store_.OutShape[i];
            widen(e.Left, e.Left + e.Width, e.Top, e.Top + e.Height);
        },
        [&](std::int16_t i) {
            const LineElement& e = store_.OutLine[i];
            widen(e.X1, e.X2, e.Y1, e.Y2);
        });
    if (!(left <= right && top <= bottom)) return PatternBox{};
    return PatternBox{left, right, top, bottom};
}

void Alignment::MovePattern(float dx, float dy) {
    EachVisible(
        "Aligning Pattern - Please wait...", [&](std::int16_t i) { store_.MoveShape(i, dx, dy); },
        [&](std::int16_t i) { store_.MoveLine(i, dx, dy); });
}

void Alignment::ScalePattern(double s) {
    if (!(std::isfinite(s) && s > 0)) return;
    const auto scaled = [s](float v) { return static_cast<float>(v * s); };
    EachVisible(
        "Composing Pattern - Please wait...",
        [&](std::int16_t i) {
            ShapeElement& e = store_.OutShape.Edit(i);
            e.Left = scaled(e.Left);
            e.Top = scaled(e.Top);
            e.Width = scaled(e.Width);
            e.Height = scaled(e.Height);
            store_.ShapeMoved(i);
        },
        [&](std::int16_t i) {
            LineElement& e = store_.OutLine.Edit(i);
            e.X1 = scaled(e.X1);
            e.Y1 = scaled(e.Y1);
            e.X2 = scaled(e.X2);
            e.Y2 = scaled(e.Y2);
            store_.LineMoved(i);
        });
}

void Alignment::SetRooms() {
    // A box that already reaches past an edge has no room that way.
    roomX_ = {std::max(0.f, box_.BoxLeft), std::max(0.f, surface_.Pattern.Width - box_.BoxRight)};
    roomY_ = {std::max(0.f, box_.BoxTop), std::max(0.f, surface_.Pattern.Height - box_.BoxBottom)};
    if (box_.Empty()) roomX_ = roomY_ = {};
}

void Alignment::PlaceCropPlates() {
    const WorkSurface& s = surface_;
    const Rect& layer = s.Pattern;
    // Wide and tall enough for a window that grows while aligning.
    const float width = std::max(s.ClientWidth, s.ScreenWidth);
    const float height = std::max(s.ClientHeight, s.ScreenHeight);
    const float right = layer.Left + layer.Width;
    const float bottom = layer.Top + layer.Height;
    const Rect plates[4] = {{0, 0, layer.Left, height},
                            {right, 0, width - right, height},
                            {0, 0, width, layer.Top},
                            {0, bottom, width, height - bottom}};
    const bool needed[4] = {layer.Left > 0, right < width, layer.Top > 0, bottom < height};
    for (int i = 0; i < 4; ++i) {
        if (!needed[i]) continue;
        surface_.CropPlate[i] = plates[i];
        surface_.CropPlateVisible[i] = true;
    }
}

void Alignment::StartAlignment() {
    aligning_ = false;
    box_ = MeasurePattern();
    SetRooms();
    const auto ratio = [](float layer, float box) {
        const double r = std::round(static_cast<double>(layer) / box * 100);
        return box > 0 && std::isfinite(r) ? std::min(r, double{kStretchHighest}) : double{kStretchHighest};
    };
    const double most = std::min(ratio(surface_.Pattern.Width, box_.Width()), ratio(surface_.Pattern.Height, box_.Height()));
    // A box with no extent either way has nothing to stretch.
    stretchMaximum_ = box_.Empty() || (box_.Width() <= 0 && box_.Height() <= 0)
                          ? kStretchNormal
                          : std::max(kStretchNormal, static_cast<int>(most));
    lastStretch_ = kStretchNormal;
    PlaceCropPlates();
    start_ = {surface_.Pattern.Left, surface_.Pattern.Top};
    surface_.PictureFrameVisible[0] = true;
    aligning_ = true;
}

void Alignment::BeginAlignDrag(float x, float y) {
    surface_.PictureFrameVisible[0] = true;
    surface_.DownX = x;
    surface_.DownY = y;
}

void Alignment::AlignDragStep(float x, float y) {
    const float dx = ClampDragX(x - surface_.DownX);
    const float dy = ClampDragY(y - surface_.DownY);
    if (dx == 0 && dy == 0) return;
    // The pattern's lines move over a picture that stays where it is.
    surface_.Pattern.Left += dx;
    surface_.Pattern.Top += dy;
    surface_.PictureFrame[1].Left -= dx;
    surface_.PictureFrame[1].Top -= dy;
}

void Alignment::StretchBarChanged(int value) {
    if (!aligning_) return;
    const int v = std::clamp(value, kStretchLowest, stretchMaximum_);
    const double f = (100.0 / lastStretch_) * (v / 100.0);
    lastStretch_ = v;
    if (box_.Empty()) return;
    StretchPattern(f);
}

void Alignment::StretchPattern(double f) {
    if (!(std::isfinite(f) && f > 0) || box_.Empty()) return;
    ScalePattern(f);
    const auto scaled = [f](float v) { return static_cast<float>(v * f); };
    box_ = {scaled(box_.BoxLeft), scaled(box_.BoxRight), scaled(box_.BoxTop), scaled(box_.BoxBottom)};
    CenterPatternInLayer();
}

void Alignment::CenterPatternInLayer() {
    if (box_.Empty()) return;
    const float cx = box_.Width() / 2 + box_.BoxLeft;
    const float cy = box_.Height() / 2 + box_.BoxTop;
    const float dx = surface_.Pattern.Width / 2 - cx;
    const float dy = surface_.Pattern.Height / 2 - cy;
    MovePattern(dx, dy);
    surface_.PictureFrame[1].Left = 0;
    surface_.PictureFrame[1].Top = 0;
    box_ = {box_.BoxLeft + dx, box_.BoxRight + dx, box_.BoxTop + dy, box_.BoxBottom + dy};
    SetRooms();
    surface_.Pattern.Left = surface_.PictureFrame[0].Left;
    surface_.Pattern.Top = surface_.PictureFrame[0].Top;
}

void Alignment::EndAlignment() {
    const float dx = surface_.Pattern.Left - start_.x;
    const float dy = surface_.Pattern.Top - start_.y;
    if (aligning_ && (dx != 0 || dy != 0)) MovePattern(dx, dy);
    for (int i = 0; i < 4; ++i) {
        surface_.CropPlateVisible[i] = false;
        surface_.CropPlate[i].Left = -surface_.ScreenWidth;
    }
    aligning_ = false;
}

void Alignment::FitPatternToPicture() {
    const PatternBox first = MeasurePattern();
    if (first.Empty()) return;
    MovePattern(-first.BoxLeft, -first.BoxTop);
    const PatternBox moved = MeasurePattern();
    const float w = moved.Width();
    const float h = moved.Height();
    if (!(w > 0 && h > 0)) return;
    const double sx = static_cast<double>(surface_.Pattern.Width) / w;
    const double sy = static_cast<double>(surface_.Pattern.Height) / h;
    ScalePattern(std::min(sx, sy));
}

void AlignTool::Press(int, float x, float y, std::int16_t part) {
    // The whole pattern layer takes the drag, with or without the picture
    // under it.
    if (part != LayerPattern && part != LayerUnder) return;
    alignment_.BeginAlignDrag(x, y);
    gesture_.Begin();
}

PointerSet AlignTool::Pointers() const {
    // The hand over the pattern; the mouse help keeps what it said.
    return {PointerNoDrop, PointerNoDrop, PointerCustom, PointerCustom, CursorHand, std::nullopt, std::nullopt};
}

}  // namespace tessary
