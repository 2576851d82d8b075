#include "ui/print/QtPrintDevice.h"

#include <QColor>
#include <QPageLayout>

#include "ui/platform/QtRasterSurface.h"

namespace tessary {

namespace {
constexpr double kTwipsPerPoint = 20.0;
}  // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer) : printer_(printer) {}

QtPrintDevice::~QtPrintDevice() = default;

std::string QtPrintDevice::DeviceName() const {
    if (printer_.outputFormat() == QPrinter::PdfFormat) return "PDF file " + printer_.outputFileName().toStdString();
    return printer_.printerName().toStdString();
}

void QtPrintDevice::SetOrientation(std::int16_t orientation) {
    printer_.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

float QtPrintDevice::PrintableWidth() const {
    return static_cast<float>(printer_.pageLayout().paintRect(QPageLayout::Point).width() * kTwipsPerPoint);
}

float QtPrintDevice::PrintableHeight() const {
    return static_cast<float>(printer_.pageLayout().paintRect(QPageLayout::Point).height() * kTwipsPerPoint);
}

float QtPrintDevice::PixelWidth() const { return static_cast<float>(1440.0 / printer_.resolution()); }

float QtPrintDevice::PixelHeight() const { return PixelWidth(); }

double QtPrintDevice::DeviceUnitsPerTwip() const { return printer_.resolution() / 1440.0; }

void QtPrintDevice::SetCopies(std::int16_t copies) {
    copies_ = std::max<int>(copies, 1);
    printer_.setCopyCount(copies_);
    // Where the output cannot repeat pages itself, every page is sent again.
    repeatPages_ = copies_ > 1 && !printer_.supportsMultipleCopies();
    if (repeatPages_) printer_.setCopyCount(1);
}

void QtPrintDevice::SetColourMode(bool colour) {
    printer_.setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
}

void QtPrintDevice::SetPen(bool dotted, int widthPixels) {
    dotted_ = dotted;
    penWidth_ = widthPixels;
}

QPen QtPrintDevice::PenFor(std::uint32_t colour) const {
    const QColor c = blackness_ ? QColor(Qt::black) : QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    QPen pen(c, std::max(penWidth_, 1), dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap);
    return pen;
}

void QtPrintDevice::Record(Operation op) {
    if (repeatPages_) {
        page_.push_back(std::move(op));
        return;
    }
    if (!painter_) painter_ = std::make_unique<QPainter>(&printer_);
    if (painter_->isActive()) op(*painter_);
}

void QtPrintDevice::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    Record([=](QPainter& p) {
        p.setPen(pen);
        p.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    });
}

void QtPrintDevice::DrawCircle(float cx, float cy, float radius, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    Record([=](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(cx * k, cy * k), radius * k, radius * k);
    });
}

void QtPrintDevice::DrawPicture(const RasterSurface& picture, float left, float top, float width, float height,
                                float paperLeft, float paperTop, float paperWidth, float paperHeight) {
    const auto* surface = dynamic_cast<const QtRasterSurface*>(&picture);
    if (!surface) return;
    const QImage image = surface->Image();
    const double k = DeviceUnitsPerTwip();
    const QRectF source(left, top, width, height);
    const QRectF target(paperLeft * k, paperTop * k, paperWidth * k, paperHeight * k);
    Record([image, source, target](QPainter& p) { p.drawImage(target, image, source); });
}

void QtPrintDevice::FlushPage() {
    if (!repeatPages_) return;
    for (int copy = 0; copy < copies_; ++copy) {
        if (!painter_) {
            painter_ = std::make_unique<QPainter>(&printer_);
        } else {
            printer_.newPage();
        }
        if (!painter_->isActive()) return;
        for (const Operation& op : page_) op(*painter_);
    }
    page_.clear();
}

void QtPrintDevice::NewPage() {
    if (repeatPages_) {
        FlushPage();
        return;
    }
    if (!painter_) painter_ = std::make_unique<QPainter>(&printer_);
    printer_.newPage();
}

void QtPrintDevice::EndDocument() {
    FlushPage();
    if (painter_) painter_->end();
    painter_.reset();
}

}  // namespace tessary
