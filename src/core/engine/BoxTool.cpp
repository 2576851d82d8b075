#include "core/engine/BoxTool.h"

#include "core/engine/DrawContext.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {
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

}  // namespace tessary
