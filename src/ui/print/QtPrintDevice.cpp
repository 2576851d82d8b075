#include "ui/print/QtPrintDevice.h"

#include <QColor>
#include <QPageLayout>

#include "core/print/PdfCheck.h"
#include "ui/platform/QtColour.h"
#include "ui/platform/QtRasterSurface.h"

namespace tessary {

namespace {
constexpr double kTwipsPerPoint = 20.0;
}  // namespace

QtPrintDevice::QtPrintDevice(const QPrinter& setup) : target_(setup.outputFileName().toStdString()) {
    printer_.setOutputFormat(setup.outputFormat());
    if (setup.outputFormat() == QPrinter::NativeFormat) printer_.setPrinterName(setup.printerName());
    // The queue's own defaults come with its name; the setup's paper then
    // replaces them.
    printer_.setPageLayout(setup.pageLayout());
    printer_.setFullPage(setup.fullPage());
    printer_.setColorMode(setup.colorMode());
    printer_.setDuplex(setup.duplex());
    printer_.setPageOrder(setup.pageOrder());
    printer_.setDocName(setup.docName());
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
    const QColor c = blackness_ ? QColor(Qt::black) : ColourOf(colour);
    QPen pen(c, std::max(penWidth_, 1), dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap);
    return pen;
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
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
        painter_.reset();
        file_.reset();
        return Fail(PrintsToFile() ? "the PDF file could not be started"
                                   : "the printer \"" + printer_.printerName().toStdString() + "\" did not start the print");
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
        if (!PdfWrittenWhole(file_->ScratchPath())) {
            Fail("the PDF file was not written whole; the disk may be full");
        } else if (!file_->Commit()) {
            Fail(file_->Error());
        }
    }
    file_.reset();
    return failure_.empty();
}

}  // namespace tessary
