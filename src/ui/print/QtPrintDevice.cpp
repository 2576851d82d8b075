#include "ui/print/QtPrintDevice.h"

#include <QColor>
#include <cmath>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainterPath>

#include "core/print/PdfCheck.h"
#include "ui/platform/QtColour.h"
#include "ui/platform/QtRasterSurface.h"

namespace tessary {

namespace {
constexpr double kTwipsPerPoint = 20.0;
}  // namespace

QtPrintDevice::QtPrintDevice(const QPrinter& setup)
    : target_(setup.outputFileName().toStdString()),
      own_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      printer_(*own_) {
    CopySetup(setup, printer_);
}

QtPrintDevice::QtPrintDevice(QPrinter& preview, Showing) : printer_(preview), showing_(true) {}

void QtPrintDevice::CopySetup(const QPrinter& setup, QPrinter& printer) {
    printer.setOutputFormat(setup.outputFormat());
    if (setup.outputFormat() == QPrinter::NativeFormat) printer.setPrinterName(setup.printerName());
    // The queue's own defaults come with its name; the setup's paper then
    // replaces them.
    printer.setPageLayout(setup.pageLayout());
    printer.setFullPage(setup.fullPage());
    printer.setColorMode(setup.colorMode());
    printer.setDuplex(setup.duplex());
    printer.setPageOrder(setup.pageOrder());
    printer.setDocName(setup.docName());
}

QtPrintDevice::~QtPrintDevice() = default;

std::string QtPrintDevice::DeviceName() const {
    if (PrintsToFile()) return target_.empty() ? "PDF file" : "PDF file " + target_;
    return printer_.printerName().toStdString();
}

bool QtPrintDevice::Fail(const std::string& reason) {
    if (failure_.empty()) failure_ = reason;
    return false;
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

// Asked for every drawing: while a document is open, from the resolution it started with.
double QtPrintDevice::DeviceUnitsPerTwip() const { return painter_ ? unitsPerTwip_ : printer_.resolution() / 1440.0; }

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

// Width 0 is the thinnest line the device draws.
QPen QtPrintDevice::PenFor(std::uint32_t colour) const {
    const QColor c = blackness_ ? QColor(Qt::black) : ColourOf(colour);
    const double k = DeviceUnitsPerTwip();
    QPen pen(c, pen_.width * k, Qt::SolidLine, Qt::FlatCap);
    if (pen_.dashOn > 0) {
        // Dashes are counted in pen widths.
        const double unit = std::max(pen_.width * k, 1.0);
        pen.setDashPattern({pen_.dashOn * k / unit, pen_.dashOff * k / unit});
    }
    return pen;
}

QFont QtPrintDevice::FontFor(float height) const {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * DeviceUnitsPerTwip()))));
    return font;
}

void QtPrintDevice::SetClip(const PaperRect* rect) {
    const double k = DeviceUnitsPerTwip();
    if (rect == nullptr) {
        Record([](QPainter& p) { p.setClipping(false); });
        return;
    }
    const QRectF area(rect->left * k, rect->top * k, rect->width * k, rect->height * k);
    Record([area](QPainter& p) { p.setClipRect(area); });
}

void QtPrintDevice::DrawText(float left, float baseline, const std::string& text, float height, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QFont font = FontFor(height);
    const QColor c = blackness_ ? QColor(Qt::black) : ColourOf(colour);
    const QString words = QString::fromStdString(text);
    Record([=](QPainter& p) {
        p.setFont(font);
        p.setPen(c);
        p.drawText(QPointF(left * k, baseline * k), words);
    });
}

float QtPrintDevice::TextWidth(const std::string& text, float height) const {
    const QFontMetricsF metrics(FontFor(height));
    return static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(text)) / DeviceUnitsPerTwip());
}

void QtPrintDevice::Blank(const PaperRect& rect) {
    const double k = DeviceUnitsPerTwip();
    const QRectF area(rect.left * k, rect.top * k, rect.width * k, rect.height * k);
    Record([area](QPainter& p) { p.fillRect(area, Qt::white); });
}

void QtPrintDevice::Record(Operation op) {
    if (repeatPages_) {
        page_.push_back(std::move(op));
        return;
    }
    if (painter_) op(*painter_);
}

void QtPrintDevice::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    Record([=](QPainter& p) {
        p.setPen(pen);
        p.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    });
}

// One path for all: the PDF writer then writes each point once, not a
// stroke a line.
void QtPrintDevice::DrawPath(const PaperPath& path, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    QPainterPath lines;
    lines.reserve(static_cast<int>(path.Points().size()));
    for (const PaperPath::Point& p : path.Points()) {
        if (p.move) {
            lines.moveTo(p.x * k, p.y * k);
        } else {
            lines.lineTo(p.x * k, p.y * k);
        }
    }
    Record([pen, lines = std::move(lines)](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(lines);
    });
}

void QtPrintDevice::DrawCircle(float cx, float cy, float radius, std::uint32_t colour) {
    DrawEllipse(cx, cy, radius, radius, colour);
}

void QtPrintDevice::DrawEllipse(float cx, float cy, float rx, float ry, std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    Record([=](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(cx * k, cy * k), rx * k, ry * k);
    });
}

void QtPrintDevice::DrawRoundedBox(float left, float top, float width, float height, float radius,
                                   std::uint32_t colour) {
    const double k = DeviceUnitsPerTwip();
    const QPen pen = PenFor(colour);
    Record([=](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(left * k, top * k, width * k, height * k), radius * k, radius * k);
    });
}

void QtPrintDevice::DrawPicture(const RasterSurface& picture, float left, float top, float width, float height,
                                float paperLeft, float paperTop, float paperWidth, float paperHeight, bool faint) {
    const auto* surface = dynamic_cast<const QtRasterSurface*>(&picture);
    if (!surface) return;
    const QImage image = surface->Image();
    const double k = DeviceUnitsPerTwip();
    const QRectF source(left, top, width, height);
    const QRectF target(paperLeft * k, paperTop * k, paperWidth * k, paperHeight * k);
    // Black over white paper at this opacity shows as the faint grey.
    const double opacity = faint ? 1 - (kFaintColour & 0xFF) / 255.0 : 1;
    // On the screen a page is far smaller than on paper: a picture of thin
    // lines shrunk pixel by pixel would show as dust.
    const bool smooth = showing_;
    Record([image, source, target, opacity, smooth](QPainter& p) {
        p.setOpacity(opacity);
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        p.drawImage(target, image, source);
        p.setOpacity(1);
    });
}

// In points from the paper's millimetres: Qt's own points are whole.
QSizeF QtPrintDevice::ExactSheet() const {
    const QPageLayout layout = printer_.pageLayout();
    QSizeF sheet = layout.pageSize().size(QPageSize::Millimeter) * (72 / 25.4);
    if (layout.orientation() == QPageLayout::Landscape) sheet.transpose();
    return sheet;
}

bool QtPrintDevice::BeginDocument() {
    failure_.clear();
    if (PrintsToFile()) {
        file_ = std::make_unique<FileReplacement>(target_);
        if (!file_->Open()) {
            const std::string why = file_->Error();
            file_.reset();
            return Fail(why);
        }
        printer_.setOutputFileName(QString::fromStdString(file_->ScratchPath()));
    }
    unitsPerTwip_ = printer_.resolution() / 1440.0;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
        painter_.reset();
        file_.reset();
        return Fail(PrintsToFile() ? "the PDF file could not be started"
                                   : "the printer \"" + printer_.printerName().toStdString() + "\" did not start the print");
    }
    if (PrintsToFile()) {
        // The PDF writer turns the page upside down about its whole-point
        // height; the sheet's exact height (written in at the end) is lower.
        const double rounded = printer_.pageLayout().fullRectPoints().height();
        painter_->translate(0, (rounded - ExactSheet().height()) * printer_.resolution() / 72.0);
    }
    blankPage_ = true;
    return true;
}

void QtPrintDevice::FlushPage() {
    if (!repeatPages_ || !painter_) return;
    for (int copy = 0; copy < copies_; ++copy) {
        if (!blankPage_ && !printer_.newPage()) Fail("a new page could not be started");
        blankPage_ = false;
        for (const Operation& op : page_) op(*painter_);
    }
    page_.clear();
}

void QtPrintDevice::NewPage() {
    if (repeatPages_) {
        FlushPage();
        return;
    }
    if (painter_ && !printer_.newPage()) Fail("a new page could not be started");
}

bool QtPrintDevice::EndDocument() {
    if (!painter_) return Fail("the document was not started");
    FlushPage();
    const bool ended = painter_->end();
    painter_.reset();
    if (!ended) Fail(PrintsToFile() ? "the PDF file could not be finished" : "the printer did not take the whole print");
    if (file_ && failure_.empty()) {
        const QSizeF sheet = ExactSheet();
        if (!WriteExactPageSize(file_->ScratchPath(), sheet.width(), sheet.height())) {
            Fail("the PDF file could not be finished");
        } else if (!PdfWrittenWhole(file_->ScratchPath())) {
            Fail("the PDF file was not written whole; the disk may be full");
        } else if (!file_->Commit()) {
            Fail(file_->Error());
        }
    }
    file_.reset();
    return failure_.empty();
}

}  // namespace tessary
