#pragma once

#include <QPainter>
#include <QPrinter>
#include <functional>
#include <memory>
#include <vector>

#include "core/files/FileReplacement.h"
#include "core/platform/PrintDevice.h"

namespace tessary {

// Printing through QPainter on a QPrinter: a queue of the system's print
// service, or a PDF file whose printable area is the whole sheet. Lengths
// arrive in twips from the printable area's corner. A PDF has no driver to
// repeat pages for uncollated copies, so this device repeats them itself.
// A PDF is written beside its file and moved over it only when whole.
class QtPrintDevice : public PrintDevice {
public:
    // Prints on a printer of its own set up as the given one (queue or PDF
    // file, paper): a printer whose print failed to start refuses every
    // later change, so the setup is never printed on itself.
    explicit QtPrintDevice(const QPrinter& setup);
    // Draws on the given printer, one that shows the pages rather than
    // prints them (a print preview's): no file is written.
    struct Showing {};
    QtPrintDevice(QPrinter& preview, Showing);
    ~QtPrintDevice() override;

    // Sets printer up as the given one: queue or PDF file, paper.
    static void CopySetup(const QPrinter& setup, QPrinter& printer);

    std::string DeviceName() const override;
    bool PrintsToFile() const override { return !showing_ && printer_.outputFormat() == QPrinter::PdfFormat; }
    std::string OutputFile() const override { return target_; }
    void SetOutputFile(const std::string& path) override { target_ = path; }
    void SetOrientation(std::int16_t orientation) override;
    float PrintableWidth() const override;
    float PrintableHeight() const override;
    float PixelWidth() const override;
    float PixelHeight() const override;
    void SetCopies(std::int16_t copies) override;
    void SetColourMode(bool colour) override;
    void SetBlackness(bool blackness) override { blackness_ = blackness; }
    void SetPen(const PrintPen& pen) override { pen_ = pen; }
    PrintPen Pen() const override { return pen_; }
    bool CanClip() const override { return true; }
    bool ShowsOnScreen() const override { return showing_; }
    void SetClip(const PaperRect* rect) override;
    void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void DrawPath(const PaperPath& path, std::uint32_t colour) override;
    void DrawCircle(float cx, float cy, float radius, std::uint32_t colour) override;
    void DrawEllipse(float cx, float cy, float rx, float ry, std::uint32_t colour) override;
    void DrawRoundedBox(float left, float top, float width, float height, float radius, std::uint32_t colour) override;
    void DrawText(float left, float baseline, const std::string& text, float height, std::uint32_t colour) override;
    float TextWidth(const std::string& text, float height) const override;
    void Blank(const PaperRect& rect) override;
    void DrawPicture(const RasterSurface& picture, float left, float top, float width, float height, float paperLeft,
                     float paperTop, float paperWidth, float paperHeight, bool faint) override;
    bool BeginDocument() override;
    void NewPage() override;
    bool EndDocument() override;
    std::string Failure() const override { return failure_; }

private:
    using Operation = std::function<void(QPainter&)>;
    void Record(Operation op);
    void FlushPage();
    QPen PenFor(std::uint32_t colour) const;
    QFont FontFor(float height) const;
    double DeviceUnitsPerTwip() const;
    QSizeF ExactSheet() const;
    bool Fail(const std::string& reason);

    std::unique_ptr<QPrinter> own_;
    QPrinter& printer_;
    bool showing_ = false;
    std::string target_;
    std::unique_ptr<FileReplacement> file_;
    std::unique_ptr<QPainter> painter_;
    std::string failure_;
    // Nothing has been drawn on the current sheet yet.
    bool blankPage_ = false;
    std::vector<Operation> page_;
    int copies_ = 1;
    bool repeatPages_ = false;
    bool blackness_ = false;
    PrintPen pen_;
    double unitsPerTwip_ = 1;
};

}  // namespace tessary
