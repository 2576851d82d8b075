#pragma once

#include <array>
#include <optional>

#include <QRegion>
#include <QWidget>
#include <vector>

#include "core/pattern/ElementSet.h"
#include "core/engine/ViewTransform.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class QtPictureLayers;
class Workspace;

// The work window: paints the engine's picture and pattern layers, the
// feedback objects and the grab points, and turns the mouse into the
// engine's input calls (keys come through the main window's shortcuts). It
// repaints only where the engine changed something, unless the view moved.
class WorkForm : public QWidget {
    Q_OBJECT
public:
    WorkForm(Workspace& ws, QtPictureLayers& pictures, QWidget* parent = nullptr);

    // Twips per window pixel: as measured in Display Setup, else as the
    // system says.
    double TwipsPerPixel() const;
    double SystemTwipsPerPixel() const;
    // The screen's measurement changed: the view is laid out again.
    void ScreenChanged();
    // Repaints what the engine changed since the last look.
    void RepaintChanges();
    // Repaints everything: after commands, whose dialogs may have let the
    // window paint states in between.
    void RepaintAll();
    // Where the pointer is on the pattern layer, while it is over the window.
    std::optional<Point> Pointer() const;
    // Scrolls the view by (dx, dy) pixels, as the wheel and the arrow keys do.
    void Pan(double dxPixels, double dyPixels);

signals:
    // The engine may have changed menus, toolbars or windows.
    void stateChanged();
    // The pointer moved over the window or left it.
    void pointerMoved();
    // The layers moved or changed size in the window, or the window did.
    void viewMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // After input went to the engine: repaint, and tell the main window.
    void EngineChanged();
    void ForwardGesture(const QPointF& p, bool release);
    struct ViewKey {
        Rect picture, pattern, under;
        bool pictureVisible = false, patternVisible = false, underVisible = false, loaded = false;
        std::array<bool, 4> plates{};
        bool operator==(const ViewKey&) const = default;
    };
    ViewTransform View() const;
    int GrabPointAt(const QPointF& p) const;
    void UpdateCursor(const QPointF& p);
    ViewKey CurrentView() const;
    QRect LineBounds(const LineElement& e) const;
    QRect ShapeBounds(const ShapeElement& e) const;
    template <class Set, class Bounds>
    void Damage(Set& set, std::vector<QRect>& cache, Bounds bounds, QRegion& region);
    void RebuildCaches();

    Workspace& ws_;
    QtPictureLayers& pictures_;
    std::optional<QPointF> pointer_;  // in the window's pixels: the view may move under it
    std::optional<QPointF> panFrom_;  // a middle-button drag pans from here
    ViewKey view_;
    std::vector<QRect> lineRects_, shapeRects_, arcRects_;
    QRect editLineRect_, editShapeRect_;
    struct GrabLook {
        QRect rect;
        std::uint32_t colour = 0;
        bool operator==(const GrabLook&) const = default;
    };
    std::vector<GrabLook> grabRects_;
};

}  // namespace tessary
