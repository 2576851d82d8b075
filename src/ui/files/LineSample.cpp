#include "ui/files/LineSample.h"

#include <QPainter>

#include "ui/platform/QtColour.h"

namespace tessary {

namespace {
constexpr int kBorder = 4;
}  // namespace

LineSample::LineSample(const char* name, QSize size, int penWidth) : penWidth_(penWidth) {
    setObjectName(QString::fromLatin1(name));
    setFixedSize(size);
}

void LineSample::SetColour(std::uint32_t rgb) {
    const QColor colour = ColourOf(rgb);
    if (palette().color(QPalette::WindowText) == colour) return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    update();
}

void LineSample::SetPenWidth(int width) {
    if (penWidth_ == width) return;
    penWidth_ = width;
    update();
}

void LineSample::SetLength(int pixels) {
    if (length_ == pixels) return;
    length_ = pixels;
    update();
}

void LineSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), penWidth_, Qt::SolidLine, Qt::FlatCap));
    const int y = height() / 2;
    const int right = length_ > 0 ? kBorder + length_ : width() - kBorder;
    painter.drawLine(kBorder, y, right, y);
}

}  // namespace tessary
