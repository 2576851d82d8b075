#include "ui/shell/Icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tessary {

namespace {

// The ink every icon is drawn in, and what it becomes on a dark palette.
const QByteArray kInk = QByteArrayLiteral("#2e3440");
const QByteArray kLightInk = QByteArrayLiteral("#e5e9f0");

QIcon Rendered(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    // Each size drawn from the outline, at one and two device pixels per pixel.
    for (const int side : {16, 24, 32, 48, 64, 96}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QByteArray Outline(const QString& name) {
    QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QIcon ThemedIcon(const QString& name, const QPalette& palette) {
    QByteArray svg = Outline(name);
    if (palette.color(QPalette::Window).lightness() < 128) svg.replace(kInk, kLightInk);
    return Rendered(svg);
}

QIcon ProgramIcon() { return Rendered(Outline(QStringLiteral("tessary"))); }

}  // namespace tessary
