#include "ui/engine/Cursors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <map>

#include "core/engine/Pointers.h"

namespace tessary {

namespace {

// Active points of the shape tool cursors, by direction 1..8.
constexpr QPoint kShapeHotSpots[8] = {{16, 6}, {19, 8}, {20, 11}, {18, 14}, {16, 16}, {13, 14}, {11, 11}, {12, 8}};

// 32 by 32 window pixels, drawn in as many of the screen's own as they
// cover, so a cursor is as sharp on a high-density screen as on any other.
QPixmap Canvas() {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Outlined(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 3));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(fill);
    p.drawPath(path);
}

QCursor Eraser() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    QPainterPath path;
    path.addRect(7, 7, 18, 18);  // the square it erases under
    Outlined(p, path, QColor(255, 200, 210));
    return QCursor(pixmap, 16, 16);
}

QCursor Magnifier() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    QPainterPath path;
    path.addEllipse(3, 3, 18, 18);
    path.moveTo(18, 18);
    path.lineTo(29, 29);
    Outlined(p, path, QColor(220, 235, 255, 160));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(8, 12, 16, 12);
    p.drawLine(12, 8, 12, 16);
    return QCursor(pixmap, 12, 12);
}

QCursor Hand() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    QPainterPath path;
    path.addRoundedRect(8, 12, 16, 16, 4, 4);
    for (int f = 0; f < 4; ++f) path.addRoundedRect(8 + f * 4, 4 + (f == 0 || f == 3 ? 3 : 0), 4, 12, 2, 2);
    Outlined(p, path.simplified(), QColor(255, 230, 200));
    return QCursor(pixmap, 16, 16);
}

// The ring the active points lie on: its centre is theirs on average.
QPointF RingCentre() {
    QPointF sum;
    for (const QPoint& p : kShapeHotSpots) sum += QPointF(p);
    return sum / 8;
}

// A tool body pointing out from the ring's centre with its tip at the active
// point; the mode shows as the tip's form: a point (sharp), a ball (smooth),
// a flat pad (push).
QCursor ShapeTool(int mode, int direction) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    const QPoint hot = kShapeHotSpots[direction - 1];
    const QPointF tip(hot);
    const QPointF along = tip - RingCentre();
    const QPointF unit = along / std::hypot(along.x(), along.y());
    const QPointF normal(-unit.y(), unit.x());
    const QPointF back = tip - unit * 14;
    QPainterPath body;
    body.moveTo(back + normal * 3);
    body.lineTo(tip - unit * 4 + normal * 3);
    body.lineTo(tip - unit * 4 - normal * 3);
    body.lineTo(back - normal * 3);
    body.closeSubpath();
    Outlined(p, body, QColor(200, 200, 200));
    QPainterPath head;
    if (mode == 0) {
        head.moveTo(tip - unit * 4 + normal * 3);
        head.lineTo(tip);
        head.lineTo(tip - unit * 4 - normal * 3);
        head.closeSubpath();
    } else if (mode == 1) {
        head.addEllipse(tip - unit * 2.5, 2.5, 2.5);
    } else {
        head.moveTo(tip + normal * 5);
        head.lineTo(tip - normal * 5);
        head.lineTo(tip - normal * 5 - unit * 2);
        head.lineTo(tip + normal * 5 - unit * 2);
        head.closeSubpath();
    }
    Outlined(p, head, QColor(60, 60, 60));
    return QCursor(pixmap, hot.x(), hot.y());
}

QCursor Custom(std::int16_t id) {
    static std::map<std::int16_t, QCursor> made;
    const auto it = made.find(id);
    if (it != made.end()) return it->second;
    QCursor cursor(Qt::ArrowCursor);
    if (id == CursorEraser) {
        cursor = Eraser();
    } else if (id == CursorMagnifier) {
        cursor = Magnifier();
    } else if (id == CursorHand) {
        cursor = Hand();
    } else if (id / 10 >= 1 && id / 10 <= 3 && id % 10 >= 1 && id % 10 <= 8) {
        cursor = ShapeTool(id / 10 - 1, id % 10);
    }
    made.emplace(id, cursor);
    return cursor;
}

}  // namespace

QCursor CursorFor(std::int16_t pointer, std::int16_t cursorId) {
    switch (pointer) {
        case PointerCross: return QCursor(Qt::CrossCursor);
        case PointerNoDrop: return QCursor(Qt::ForbiddenCursor);
        case PointerArrowQuestion: return QCursor(Qt::WhatsThisCursor);
        case PointerSizeAll: return QCursor(Qt::SizeAllCursor);
        case PointerCustom: return Custom(cursorId);
        default: return QCursor(Qt::ArrowCursor);
    }
}

}  // namespace tessary
