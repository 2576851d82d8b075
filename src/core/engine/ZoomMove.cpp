#include "core/engine/ZoomMove.h"

#include <algorithm>
#include <cmath>

#include "core/engine/Workspace.h"

namespace tessary {

float ZoomMove::Accepted(float side) const { return std::clamp(side, limits_.smallest, limits_.largest); }

// Doubles or halves the picture layer, accepted only when the view grants
// the new size to within one twip on both sides.
bool ZoomMove::ZoomBy(float factor, bool sayLimits) {
    Rect& picture = ws_.surface.PictureFrame[0];
    const float w0 = picture.Width;
    const float h0 = picture.Height;
    picture.Height = Accepted(h0 * factor);
    picture.Width = Accepted(w0 * factor);
    const float h = picture.Height / factor;
    const float w = picture.Width / factor;
    if (h - 1 <= h0 && h0 <= h + 1 && w - 1 <= w0 && w0 <= w + 1) {
        ScalePatternToView();
        return true;
    }
    if (sayLimits && factor > 1) {
        ws_.session.messages.MsgMaxZoomIn();
    } else if (sayLimits) {
        ws_.session.messages.MsgMaxZoomOut();
    }
    picture.Width = w0;
    picture.Height = h0;
    return false;
}

bool ZoomMove::ZoomImage(std::int16_t code) {
    WorkSurface& s = ws_.surface;
    if (s.Minimised) return false;
    s.PictureFrameVisible[0] = false;
    Rect& picture = s.PictureFrame[0];
    bool changed = false;
    switch (code) {
        case ZoomIn: changed = ZoomBy(2); break;
        case ZoomOut: changed = ZoomBy(0.5f); break;
        case ZoomNormal:
            if (picture.Height > 0) {
                picture.Width = ws_.session.options.WidthTwips;
                picture.Height = ws_.session.options.HeightTwips;
                ScalePatternToView();
                changed = true;
            }
            break;
        case ZoomFit: {
            if (s.ClientWidth <= 0 || s.ClientHeight <= 0) break;
            const float rw = picture.Width / s.ClientWidth;
            const float rh = picture.Height / s.ClientHeight;
            if (rw == 0 || rh == 0) break;
            if (rw <= rh) {
                picture.Width = picture.Width / rh;
                picture.Height = s.ClientHeight;
            } else {
                picture.Width = s.ClientWidth;
                picture.Height = picture.Height / rw;
            }
            ScalePatternToView();
            changed = true;
            break;
        }
        default: return false;
    }
    ws_.reference.UpdateScale(picture.Height);
    return changed;
}

bool ZoomMove::ZoomView(std::int16_t code) {
    WorkSurface& s = ws_.surface;
    s.ShowPictureOnly();
    if (!ZoomImage(code)) {
        s.ApplyViewMode();
        return false;
    }
    Rect& picture = s.PictureFrame[0];
    picture.Left = s.ClientWidth / 2 - picture.Width / 2;
    picture.Top = s.ClientHeight / 2 - picture.Height / 2;
    s.SyncLayers();
    return true;
}

void ZoomMove::ZoomAtPoint(int button, float x, float y) {
    WorkSurface& s = ws_.surface;
    s.ShowPictureOnly();
    if (button == kButtonRight) {
        if (ZoomImage(ZoomOut)) CenterImageAt(x / 2, y / 2);
    } else if (ZoomImage(ZoomIn)) {
        CenterImageAt(2 * x, 2 * y);
    }
    s.SyncLayers();
}

void ZoomMove::CenterImageAt(float x, float y) {
    WorkSurface& s = ws_.surface;
    s.PictureFrame[0].Left = s.ClientWidth / 2 - x;
    s.PictureFrame[0].Top = s.ClientHeight / 2 - y;
}

bool ZoomMove::ZoomAround(float factor, float windowX, float windowY) {
    WorkSurface& s = ws_.surface;
    Rect& picture = s.PictureFrame[0];
    // An alignment under way keeps its layers where they are.
    if (s.Minimised || ws_.modes.AppState() == AppAligning || !(picture.Width > 0 && picture.Height > 0) ||
        !(factor > 0)) {
        return false;
    }
    const float u = (windowX - picture.Left) / picture.Width;
    const float v = (windowY - picture.Top) / picture.Height;
    s.ShowPictureOnly();
    if (!ZoomBy(factor, false)) {
        s.ApplyViewMode();
        return false;
    }
    ws_.reference.UpdateScale(picture.Height);
    picture.Left = windowX - u * picture.Width;
    picture.Top = windowY - v * picture.Height;
    s.SyncLayers();
    return true;
}

void ZoomMove::PanBy(float dx, float dy) {
    WorkSurface& s = ws_.surface;
    if (ws_.modes.AppState() == AppAligning) return;
    s.PictureFrame[0].Left += dx;
    s.PictureFrame[0].Top += dy;
    s.SyncLayers();
}

namespace {

ScrollAxis AxisOf(float layerStart, float layerLength, float windowLength) {
    ScrollAxis axis;
    axis.page = windowLength;
    axis.value = -layerStart;
    axis.minimum = std::min(0.0f, axis.value);
    axis.maximum = std::max(layerLength - windowLength, axis.value);
    return axis;
}

}  // namespace

ScrollAxis ZoomMove::HorizontalScroll() const {
    const WorkSurface& s = ws_.surface;
    return AxisOf(s.PictureFrame[0].Left, s.PictureFrame[0].Width, s.ClientWidth);
}

ScrollAxis ZoomMove::VerticalScroll() const {
    const WorkSurface& s = ws_.surface;
    return AxisOf(s.PictureFrame[0].Top, s.PictureFrame[0].Height, s.ClientHeight);
}

void ZoomMove::MoveImage(std::int16_t code) {
    WorkSurface& s = ws_.surface;
    Rect& picture = s.PictureFrame[0];
    s.PictureFrameVisible[0] = false;
    switch (code) {
        case MoveCorner:
            picture.Left = 0;
            picture.Top = 0;
            break;
        case MoveCenter:
            picture.Left = s.ClientWidth / 2 - picture.Width / 2;
            picture.Top = s.ClientHeight / 2 - picture.Height / 2;
            break;
        case MoveUp: picture.Top -= s.ClientHeight / 10; break;
        case MoveDown: picture.Top += s.ClientHeight / 10; break;
        case MoveLeft: picture.Left -= s.ClientWidth / 10; break;
        case MoveRight: picture.Left += s.ClientWidth / 10; break;
        default: break;
    }
    s.SyncLayers();
}

bool ZoomMove::ResizeWindow(float clientWidth, float clientHeight) {
    WorkSurface& s = ws_.surface;
    // A twip of slack: the fitted side came from a division.
    const Rect& picture = s.PictureFrame[0];
    const auto near = [](float a, float b) { return std::fabs(a - b) <= 1; };
    // An alignment under way keeps its layers where they are.
    const bool fitted = s.Enabled && picture.Height > 0 && ws_.modes.AppState() != AppAligning &&
                        ((near(picture.Height, s.ClientHeight) && picture.Width <= s.ClientWidth + 1) ||
                         (near(picture.Width, s.ClientWidth) && picture.Height <= s.ClientHeight + 1));
    s.ClientWidth = clientWidth;
    s.ClientHeight = clientHeight;
    if (fitted) ZoomView(ZoomFit);
    return fitted;
}

void ZoomMove::ScalePatternToView() {
    // Without a reference height there is nothing to scale by.
    if (!(ws_.reference.PatternHeight() > 0)) return;
    const float factor = ws_.surface.PictureFrame[0].Height / ws_.reference.PatternHeight();
    PatternStore& store = ws_.store;
    Progress& progress = ws_.session.progress;
    progress.ProgressStart(0, store.OutLine.Count() + store.OutShape.Count(), "Composing Image - Please wait...",
                           false);
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        if (store.OutLine.Visible(i)) {
            const ReferenceLine& m = ws_.reference.Lines[i];
            LineElement& e = store.OutLine.Edit(i);
            e.X1 = m.X1 * factor;
            e.Y1 = m.Y1 * factor;
            e.X2 = m.X2 * factor;
            e.Y2 = m.Y2 * factor;
        }
        progress.ProgressStep(1);
    }
    for (std::int16_t i = 0; i < store.OutShape.Count(); ++i) {
        if (store.OutShape.Visible(i)) {
            const ReferenceShape& m = ws_.reference.Shapes[i];
            ShapeElement& e = store.OutShape.Edit(i);
            e.Left = m.Left * factor;
            e.Top = m.Top * factor;
            e.Width = m.Width * factor;
            e.Height = m.Height * factor;
        }
        progress.ProgressStep(1);
    }
    progress.ProgressEnd();
    ws_.selection.RelocateGrabPoints();
}

void ZoomMove::PlacePicture(float windowX, float windowY) {
    WorkSurface& s = ws_.surface;
    s.PictureFrame[0].Left = windowX - s.DownX;
    s.PictureFrame[0].Top = windowY - s.DownY;
    s.SyncLayers();
}

void ZoomMove::DragPicture(float windowX, float windowY) {
    PlacePicture(windowX, windowY);
    ws_.surface.ShowPictureOnly();
}

void ZoomMove::DropPicture(float windowX, float windowY) { PlacePicture(windowX, windowY); }

}  // namespace tessary
