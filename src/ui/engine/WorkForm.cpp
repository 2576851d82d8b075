#include "ui/engine/WorkForm.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/pattern/ShapeOutline.h"
#include "core/engine/Workspace.h"
#include "ui/platform/QtColour.h"
#include "ui/platform/QtPictureLayers.h"
#include "ui/engine/Cursors.h"

namespace tessary {

namespace {

// Pictures scaled to more pixels than this are drawn piece by piece from the
// source instead of being cached whole.
constexpr qint64 kLargestCachedPicture = 16 * 1024 * 1024;

PixelPoint PixelsOf(const QPointF& p) { return {p.x(), p.y()}; }
QPointF QtPoint(PixelPoint p) { return {p.x, p.y}; }
QRectF QtRect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return kButtonLeft;
        case Qt::RightButton: return kButtonRight;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

}  // namespace

WorkForm::WorkForm(Workspace& ws, QtPictureLayers& pictures, QWidget* parent)
    : QWidget(parent), ws_(ws), pictures_(pictures) {
    setObjectName(QStringLiteral("WorkForm"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A picture that records no resolution is taken at the system's.
    pictures_.SetScreenTwipsPerPixel(SystemTwipsPerPixel());
}

double WorkForm::SystemTwipsPerPixel() const {
    const double dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double WorkForm::TwipsPerPixel() const {
    const float measured = ws_.session.display.ScreenTwipsPerPixel();
    return measured > 0 ? measured : SystemTwipsPerPixel();
}

void WorkForm::ScreenChanged() {
    resizeEvent(nullptr);
    RepaintAll();
}

ViewTransform WorkForm::View() const { return ViewTransform(ws_.surface, TwipsPerPixel()); }

int WorkForm::GrabPointAt(const QPointF& p) const {
    return View().GrabPointAt(PixelsOf(p), ws_.selection.GrabPointsShown());
}

void WorkForm::UpdateCursor(const QPointF& p) {
    const PointerSet& pointers = ws_.modes.Pointers();
    std::int16_t pointer = pointers.window;
    if (ws_.gesture.Active()) {
        pointer = pointers.pattern;
    } else {
        switch (View().PartAt(PixelsOf(p))) {
            case LayerPicture: pointer = pointers.picture; break;
            case LayerPattern: pointer = pointers.pattern; break;
            case LayerUnder: pointer = pointers.under; break;
            default: break;
        }
    }
    setCursor(CursorFor(pointer, pointers.cursorId));
}

std::optional<Point> WorkForm::Pointer() const {
    if (!pointer_) return std::nullopt;
    return View().PixelsToLayer(PixelsOf(*pointer_));
}

void WorkForm::Pan(double dxPixels, double dyPixels) {
    if (!ws_.surface.Enabled) return;
    const double t = TwipsPerPixel();
    ws_.zoom.PanBy(static_cast<float>(dxPixels * t), static_cast<float>(dyPixels * t));
    EngineChanged();
}

void WorkForm::wheelEvent(QWheelEvent* event) {
    if (!ws_.surface.Enabled) return;
    // A notch is 120; touchpads send finer steps.
    const QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        const float factor = static_cast<float>(std::pow(1.25, angle.y() / 120.0));
        const Point at = View().PixelsToWindow(PixelsOf(event->position()));
        if (angle.y() != 0 && ws_.zoom.ZoomAround(factor, at.x, at.y)) EngineChanged();
    } else {
        const QPoint pixels = event->pixelDelta();
        const double step = 48.0 / 120;
        double dx = pixels.isNull() ? angle.x() * step : pixels.x();
        double dy = pixels.isNull() ? angle.y() * step : pixels.y();
        if (event->modifiers() & Qt::ShiftModifier) std::swap(dx, dy);
        Pan(dx, dy);
    }
    event->accept();
}

void WorkForm::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (event->button() == Qt::MiddleButton) {
        // The middle button pans in every mode, and is no press of a tool.
        if (ws_.surface.Enabled) panFrom_ = p;
        return;
    }
    const int button = ButtonOf(event->button());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const ViewTransform view = View();
    const int grab = GrabPointAt(p);
    if (grab >= 0) {
        const auto index = static_cast<std::int16_t>(grab);
        const Point local = view.LayerToGrab(index, view.PixelsToLayer(PixelsOf(p)));
        ws_.input.GrabPointPress(index, button, shift, local.x, local.y);
    } else {
        const LayerCode part = view.PartAt(PixelsOf(p));
        const Point at = view.PixelsToPart(PixelsOf(p), part);
        ws_.input.WorkspaceMouseDown(button, shift, at.x, at.y, part);
    }
    UpdateCursor(p);
    EngineChanged();
}

// A gesture's move or end: over a grab point in that point's coordinates,
// elsewhere in the pattern layer's.
void WorkForm::ForwardGesture(const QPointF& p, bool release) {
    const ViewTransform view = View();
    const int grab = GrabPointAt(p);
    const Point layer = view.PixelsToLayer(PixelsOf(p));
    if (grab >= 0) {
        const auto index = static_cast<std::int16_t>(grab);
        const Point local = view.LayerToGrab(index, layer);
        if (release) {
            ws_.input.GrabPointDrop(index, local.x, local.y);
        } else {
            ws_.input.GrabPointOver(index, local.x, local.y);
        }
    } else if (release) {
        ws_.input.WorkspaceMouseUp(layer.x, layer.y);
    } else {
        ws_.input.WorkspaceMouseMove(layer.x, layer.y);
    }
}

void WorkForm::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    pointer_ = p;
    emit pointerMoved();
    if (panFrom_) {
        Pan(p.x() - panFrom_->x(), p.y() - panFrom_->y());
        panFrom_ = p;
        return;
    }
    if (ws_.gesture.Active()) {
        ForwardGesture(p, false);
        EngineChanged();
    } else {
        const Point layer = View().PixelsToLayer(PixelsOf(p));
        if (ws_.input.PointerMoved(layer.x, layer.y)) RepaintChanges();
    }
    UpdateCursor(p);
}

void WorkForm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !ws_.input.TakesDoubleClick()) {
        mousePressEvent(event);
        return;
    }
    const Point layer = View().PixelsToLayer(PixelsOf(event->position()));
    ws_.input.WorkspaceDoubleClick(layer.x, layer.y);
    UpdateCursor(event->position());
    EngineChanged();
}

void WorkForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (event->button() == Qt::MiddleButton) {
        panFrom_.reset();
        return;
    }
    if (ws_.gesture.Active()) {
        ForwardGesture(p, true);
    }
    UpdateCursor(p);
    EngineChanged();
}

void WorkForm::leaveEvent(QEvent*) {
    pointer_.reset();
    emit pointerMoved();
    if (ws_.gesture.Active()) {
        ws_.input.PointerLeft();
        EngineChanged();
    }
}

void WorkForm::resizeEvent(QResizeEvent*) {
    WorkSurface& s = ws_.surface;
    const ViewTransform view = View();
    s.TwipsPerPixel = static_cast<float>(TwipsPerPixel());
    if (const QScreen* screen = this->screen()) {
        s.ScreenWidth = view.Twips(screen->geometry().width());
        s.ScreenHeight = view.Twips(screen->geometry().height());
    }
    if (ws_.zoom.ResizeWindow(view.Twips(width()), view.Twips(height()))) RepaintAll();
    emit viewMoved();
}

WorkForm::ViewKey WorkForm::CurrentView() const {
    const WorkSurface& s = ws_.surface;
    return ViewKey{s.PictureFrame[0],   s.Pattern,         s.PictureFrame[1],  s.PictureFrameVisible[0],
                   s.PatternVisible,    s.PictureFrameVisible[1], s.PictureLoaded, s.CropPlateVisible};
}

QRect WorkForm::LineBounds(const LineElement& e) const {
    const ViewTransform view = View();
    const QPointF a = QtPoint(view.LayerToPixels({e.X1, e.Y1}));
    const QPointF b = QtPoint(view.LayerToPixels({e.X2, e.Y2}));
    const int pad = e.look.BorderWidth + 2;
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-pad, -pad, pad, pad);
}

QRect WorkForm::ShapeBounds(const ShapeElement& e) const {
    const int pad = e.look.BorderWidth + 2;
    return QtRect(View().LayerRect({e.Left, e.Top, e.Width, e.Height})).normalized().toAlignedRect().adjusted(-pad, -pad, pad, pad);
}

template <class Set, class Bounds>
void WorkForm::Damage(Set& set, std::vector<QRect>& cache, Bounds bounds, QRegion& region) {
    const auto touched = set.TakeTouched();
    // Elements destroyed since the last look leave their old place to repaint.
    for (std::size_t i = static_cast<std::size_t>(set.Count()); i < cache.size(); ++i) region += cache[i];
    cache.resize(static_cast<std::size_t>(set.Count()));
    // A touched element may have changed colour or pen without moving, so
    // its old and new places are both repainted.
    const auto refresh = [&](std::int16_t i) {
        QRect& old = cache[i];
        const QRect now = set.Visible(i) ? bounds(set[i]) : QRect();
        region += old;
        region += now;
        old = now;
    };
    if (touched.all) {
        for (std::int16_t i = 0; i < set.Count(); ++i) refresh(i);
        return;
    }
    for (std::int16_t i : touched.indices) {
        if (i < set.Count()) refresh(i);
    }
}

void WorkForm::RebuildCaches() {
    QRegion ignored;
    const auto line = [this](const LineElement& e) { return LineBounds(e); };
    const auto shape = [this](const ShapeElement& e) { return ShapeBounds(e); };
    PatternStore& store = ws_.store;
    RubberBands& bands = ws_.bands;
    lineRects_.assign(static_cast<std::size_t>(store.OutLine.Count()), QRect());
    shapeRects_.assign(static_cast<std::size_t>(store.OutShape.Count()), QRect());
    arcRects_.assign(static_cast<std::size_t>(bands.ArcLine.Count()), QRect());
    store.OutLine.TakeTouched();
    store.OutShape.TakeTouched();
    bands.ArcLine.TakeTouched();
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        if (store.OutLine.Visible(i)) lineRects_[i] = line(store.OutLine[i]);
    }
    for (std::int16_t i = 0; i < store.OutShape.Count(); ++i) {
        if (store.OutShape.Visible(i)) shapeRects_[i] = shape(store.OutShape[i]);
    }
    for (std::int16_t i = 0; i < bands.ArcLine.Count(); ++i) {
        if (bands.ArcLine.Visible(i)) arcRects_[i] = line(bands.ArcLine[i]);
    }
}

void WorkForm::EngineChanged() {
    RepaintChanges();
    emit stateChanged();
}

void WorkForm::RepaintAll() {
    view_ = CurrentView();
    emit viewMoved();
    RebuildCaches();
    editLineRect_ = QRect();
    editShapeRect_ = QRect();
    grabRects_.clear();
    RepaintChanges();
    update();
}

void WorkForm::RepaintChanges() {
    setEnabled(ws_.surface.Enabled);
    PatternStore& store = ws_.store;
    RubberBands& bands = ws_.bands;
    const ViewKey view = CurrentView();
    if (!(view == view_)) {
        view_ = view;
        RebuildCaches();
        update();
        emit viewMoved();
    } else {
        QRegion region;
        const auto line = [this](const LineElement& e) { return LineBounds(e); };
        Damage(store.OutLine, lineRects_, line, region);
        Damage(store.OutShape, shapeRects_, [this](const ShapeElement& e) { return ShapeBounds(e); }, region);
        Damage(bands.ArcLine, arcRects_, line, region);
        const QRect editLine = bands.EditLineVisible ? LineBounds(bands.EditLine) : QRect();
        if (editLine != editLineRect_) {
            region += editLineRect_;
            region += editLine;
            editLineRect_ = editLine;
        }
        const QRect editShape = bands.EditShapeVisible ? ShapeBounds(bands.EditShape) : QRect();
        if (editShape != editShapeRect_) {
            region += editShapeRect_;
            region += editShape;
            editShapeRect_ = editShape;
        }
        std::vector<GrabLook> grabs;
        const WorkSurface& s = ws_.surface;
        if (ws_.selection.GrabPointsShown()) {
            const ViewTransform view = View();
            for (std::int16_t i = 0; i < static_cast<std::int16_t>(s.GrabPoint.size()); ++i) {
                const GrabPointElement& g = s.GrabPoint[i];
                // A handle that only changes colour (a highlight, a proposal) is repainted too.
                grabs.push_back(
                    {g.Visible ? QtRect(view.GrabRect(i)).toAlignedRect().adjusted(-1, -1, 1, 1) : QRect(), g.BackColour});
            }
        }
        if (grabs != grabRects_) {
            for (const GrabLook& g : grabRects_) region += g.rect;
            for (const GrabLook& g : grabs) region += g.rect;
            grabRects_ = std::move(grabs);
        }
        if (!region.isEmpty()) update(region);
    }
}

void WorkForm::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect dirty = event->rect();
    p.fillRect(dirty, palette().color(QPalette::Dark));
    if (ws_.modes.AppState() == AppNoPattern) {
        // Where to begin, for whoever opens the program for the first time.
        QFont font = p.font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        p.setFont(font);
        p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("New (Ctrl+N) starts a pattern from a picture or a blank page.\n"
                                  "Open (Ctrl+O) opens a pattern.\n"
                                  "Or drop a picture or a pattern file here."));
        return;
    }
    const WorkSurface& s = ws_.surface;
    const ViewTransform view = View();
    const auto drawPicture = [&](const QRectF& target) {
        if (!s.PictureLoaded || pictures_.Image(0).isNull() || !target.intersects(dirty)) return;
        // Scaled to the screen's own pixels, which a high-density screen has
        // more of than the window's.
        const double ratio = devicePixelRatioF();
        const QSize size = (target.size() * ratio).toSize();
        if (static_cast<qint64>(size.width()) * size.height() <= kLargestCachedPicture) {
            p.drawPixmap(target.topLeft(), pictures_.Scaled(size, ratio));
            return;
        }
        // Zoomed far in: only the part of the source under the dirty area.
        const QImage& image = pictures_.Image(0);
        const QRectF shown = target.intersected(QRectF(dirty));
        const double sx = image.width() / target.width();
        const double sy = image.height() / target.height();
        const QRectF source((shown.left() - target.left()) * sx, (shown.top() - target.top()) * sy, shown.width() * sx,
                            shown.height() * sy);
        p.drawImage(shown, image, source);
    };
    if (s.PictureFrameVisible[0]) drawPicture(QtRect(view.WindowRect(s.PictureFrame[0])));
    if (!s.PatternVisible) return;

    const QRectF page = QtRect(view.WindowRect(s.Pattern));
    p.fillRect(page.intersected(QRectF(dirty)), Qt::white);
    p.setClipRect(page.intersected(QRectF(dirty)));
    // The picture under the pattern lies at the layer's corner, or, while
    // the pattern is being aligned, where it keeps the picture still.
    if (s.PictureFrameVisible[1] && s.PictureLoaded) drawPicture(QtRect(view.LayerRect(s.PictureFrame[1])));
    p.setClipRect(dirty);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF area(dirty);
    const PatternStore& store = ws_.store;
    const RubberBands& bands = ws_.bands;
    const auto drawLine = [&](const LineElement& e) {
        const QPointF a = QtPoint(view.LayerToPixels({e.X1, e.Y1}));
        const QPointF b = QtPoint(view.LayerToPixels({e.X2, e.Y2}));
        if (std::max(a.x(), b.x()) < area.left() - 8 || std::min(a.x(), b.x()) > area.right() + 8 ||
            std::max(a.y(), b.y()) < area.top() - 8 || std::min(a.y(), b.y()) > area.bottom() + 8) {
            return;
        }
        p.setPen(QPen(ColourOf(e.look.BorderColor), e.look.BorderWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    };
    const auto drawShape = [&](const ShapeElement& e) {
        const ShapeOutline o = OutlineOf(e);
        const QRectF box = QtRect(view.LayerRect({o.left, o.top, o.width, o.height}));
        if (!box.adjusted(-8, -8, 8, 8).intersects(area)) return;
        p.setPen(QPen(ColourOf(e.look.BorderColor), e.look.BorderWidth));
        p.setBrush(Qt::NoBrush);
        switch (o.form) {
            case OutlineForm::Ellipse: p.drawEllipse(box); break;
            case OutlineForm::RoundedBox: {
                const ShapeOutline shown{o.form, 0, 0, static_cast<float>(box.width()), static_cast<float>(box.height())};
                const double radius = CornerRadius(shown);
                p.drawRoundedRect(box, radius, radius);
                break;
            }
            case OutlineForm::Box: p.drawRect(box); break;
        }
    };
    for (std::int16_t i = 0; i < store.OutShape.Count(); ++i) {
        if (store.OutShape.Visible(i)) drawShape(store.OutShape[i]);
    }
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        if (store.OutLine.Visible(i)) drawLine(store.OutLine[i]);
    }
    for (std::int16_t i = 0; i < bands.ArcLine.Count(); ++i) {
        if (bands.ArcLine.Visible(i)) drawLine(bands.ArcLine[i]);
    }
    // Rubber bands invert what lies beneath, so they show over any picture.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (bands.EditLineVisible) {
        LineElement band = bands.EditLine;
        band.look.BorderColor = RGB(255, 255, 255);
        drawLine(band);
    }
    if (bands.EditShapeVisible) {
        ShapeElement band = bands.EditShape;
        band.look.BorderColor = RGB(255, 255, 255);
        drawShape(band);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Aligning: what lies beyond the picture is masked.
    for (int i = 0; i < 4; ++i) {
        if (s.CropPlateVisible[i]) p.fillRect(QtRect(view.WindowRect(s.CropPlate[i])), palette().color(QPalette::Dark));
    }
    if (ws_.selection.GrabPointsShown()) {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(s.GrabPoint.size()); ++i) {
            const GrabPointElement& g = s.GrabPoint[i];
            if (!g.Visible) continue;
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(ColourOf(g.BackColour));
            p.drawRect(QtRect(view.GrabRect(i)));
        }
    }
}

}  // namespace tessary
