#include "core/print/PrintCommand.h"

#include <filesystem>

#include "core/files/OutputGuard.h"
#include "core/platform/CommandDialogs.h"
#include "core/platform/PrintDevice.h"
#include "core/print/PrintAids.h"
#include "core/print/PrintRendering.h"
#include "core/engine/Workspace.h"

namespace tessary {

namespace {

namespace fs = std::filesystem;

// A PDF goes to the file Print Setup named, else to one named now, beside
// the pattern and after it; never over the pattern itself.
bool ChooseOutputFile(Session& s, PrintDevice& printer, CommandDialogs& dialogs) {
    if (!printer.PrintsToFile()) return true;
    const std::string& pattern = s.file.document.patternPath;
    if (printer.OutputFile().empty()) {
        const std::string title = s.file.PatternFileTitle();
        const std::string folder =
            pattern.empty() ? s.display.GetFolder(DisplaySetup::PatternFolder) : fs::path(pattern).parent_path().string();
        const auto path = dialogs.AskPdfPath(folder, (title.empty() ? std::string("Pattern") : title) + ".pdf");
        if (!path) return false;
        printer.SetOutputFile(*path);
    }
    return MayWriteOutput(printer.OutputFile(), pattern, s.messages);
}

std::string PrintedText(const PrintJob& job, const PrintDevice& printer, bool squareLeftOut,
                        const std::string& glueCut) {
    std::string text = "Printed ";
    if (job.Copies > 1) text += std::to_string(job.Copies) + " copies of ";
    if (!job.PrintAllPages) {
        text += "page " + PageName({job.PrintPageRow, job.PrintPageColumn});
    } else {
        text += PrintedPages(job);
    }
    const std::string where =
        printer.PrintsToFile() ? fs::path(printer.OutputFile()).filename().string() : printer.DeviceName();
    return text + " to " + where + (squareLeftOut ? kNoRoomForTestSquare : "") + glueCut;
}

}  // namespace

std::string PrintedPages(const PrintJob& job) {
    const std::string pages = std::to_string(job.Pages) + (job.Pages == 1 ? " page" : " pages");
    return PrintsMap(job) ? pages + " and the assembly map" : pages;
}

std::string DeviceLayoutSource::PrinterName() const { return printer_.DeviceName(); }

PatternOptions DeviceLayoutSource::Sized(float patternWidth, float patternHeight) const {
    PatternOptions sized = options_;
    sized.WidthTwips = patternWidth;
    sized.HeightTwips = patternHeight;
    return sized;
}

WizardLayout DeviceLayoutSource::Layout(std::int16_t orientation, float patternWidth, float patternHeight) {
    printer_.SetOrientation(orientation);
    const PatternOptions sized = Sized(patternWidth, patternHeight);
    const PageGrid grid = ComputePageGrid(printer_, sized);
    lastFault_ = grid.fault;
    PrintJob job;
    job.Pages = grid.Pages;
    job.Rows = grid.Rows;
    job.Columns = grid.Columns;
    job.PageWidth = grid.PageWidth;
    job.PageHeight = grid.PageHeight;
    ComputePageOffset(job, sized, printer_);
    const float room = GlueRoom(job, nullptr, {0, 0, printer_.PrintableWidth(), printer_.PrintableHeight()});
    return WizardLayout{grid.printable,
                        grid.Pages,
                        grid.Rows,
                        grid.Columns,
                        grid.PageWidth,
                        grid.PageHeight,
                        std::min(room / kTwipsPerMillimetre, static_cast<float>(kMostOverlapMillimetres))};
}

std::int16_t DeviceLayoutSource::MaxPatternsPerPage(float spacingTwips, float patternWidth, float patternHeight,
                                                    float pageWidth, float pageHeight) {
    return ComputeMaxPatternsPerPage(spacingTwips, Sized(patternWidth, patternHeight), pageWidth, pageHeight);
}

PrintJob JobFromWizard(const PrintWizardModel& wizard, PrintJob job) {
    job.Pages = wizard.Pages();
    job.Rows = wizard.Rows();
    job.Columns = wizard.Columns();
    job.PageHeight = wizard.PageHeight();
    job.PageWidth = wizard.PageWidth();
    job.PrintOrientation = wizard.PrintOrientation();
    job.PrintMirrorImage = wizard.PrintMirrorImage();
    job.PrintCircleDegrees = wizard.PrintCircleDegrees();
    job.PrintAllPages = wizard.PrintAllPages();
    job.PrintPageRow = wizard.PrintPageRow();
    job.PrintPageColumn = wizard.PrintPageColumn();
    job.PrintBitmapImage = wizard.PrintBitmapImage();
    job.Copies = wizard.Copies();
    job.Collate = wizard.Collate();
    job.PatternsPerPage = wizard.PatternsPerPage();
    job.DuplicateMarginSize = wizard.DuplicateMarginSize();
    job.PrintCutLine = wizard.PrintCutLine();
    job.PrintLabels = wizard.PrintLabels();
    job.PrintMarks = wizard.PrintMarks();
    job.PrintTestSquare = wizard.PrintTestSquare();
    job.PrintMap = wizard.PrintMap();
    job.Overlap = static_cast<float>(wizard.OverlapMillimetres()) * kTwipsPerMillimetre;
    ClampPrintJob(job);
    return job;
}

namespace {

// The wizard over the pattern, turned to the orientation that suits it.
void PrepareWizard(PrintWizardModel& wizard, const PatternOptions& options) {
    wizard.SetPrintOrientation(DefaultOrientation(options));
    wizard.SetPatternHeight(options.HeightTwips);
    wizard.SetPatternWidth(options.WidthTwips);
}

}  // namespace

bool PrintCommand(Workspace& ws, PrintDevice& printer, RasterSurface& surface, CommandDialogs& dialogs,
                  const std::function<void(PrintWizardModel&)>& runWizard) {
    Session& s = ws.session;
    ws.BeginBusy(true);
    ws.zoom.ZoomView(ZoomNormal);
    PrintRenderer renderer(s.store, s.options, s.progress, s.messages, printer, surface, ws.surface.TwipsPerPixel);
    PrintJob job;
    job.Title = s.file.PatternFileTitle();
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();

    DeviceLayoutSource layout(printer, s.options);
    PrintWizardModel wizard(layout, s.settings, s.messages);
    PrepareWizard(wizard, s.options);
    runWizard(wizard);
    // A grid too large to count closes the wizard at once: say why.
    if (wizard.DidCancel() && layout.LastFault() == PageGridFault::TooManyPages) s.messages.MsgTooManyPages();
    bool printed = false;
    if (!wizard.DidCancel() && wizard.Pages() >= 1 && ChooseOutputFile(s, printer, dialogs)) {
        const PrintJob chosen = JobFromWizard(wizard, job);
        printed = renderer.PrintPattern(chosen);
        if (printed) {
            s.messages.Notice(
                PrintedText(chosen, printer, renderer.TestSquareLeftOut(), renderer.GlueMarginCutText()));
        }
    }

    ws.zoom.ZoomView(ZoomFit);
    ws.EndBusy(true);
    return printed;
}

bool PrintPreviewCommand(Workspace& ws, PrintDevice& printer,
                         const std::function<void(const PrintJob&)>& showPreview) {
    Session& s = ws.session;
    ws.BeginBusy(true);
    ws.zoom.ZoomView(ZoomNormal);
    DeviceLayoutSource layout(printer, s.options);
    PrintWizardModel wizard(layout, s.settings, s.messages);
    PrepareWizard(wizard, s.options);
    const bool printable = wizard.Activate();
    if (!printable && layout.LastFault() == PageGridFault::TooManyPages) s.messages.MsgTooManyPages();
    if (printable) showPreview(JobFromWizard(wizard, PrintJob{}));
    ws.zoom.ZoomView(ZoomFit);
    ws.EndBusy(true);
    return printable;
}

bool PreviewPages(Workspace& ws, PrintDevice& device, RasterSurface& surface, PrintJob job) {
    Session& s = ws.session;
    PrintRenderer renderer(s.store, s.options, s.progress, s.messages, device, surface, ws.surface.TwipsPerPixel);
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    job.Title = s.file.PatternFileTitle();
    // One set shows every page there is.
    job.Copies = 1;
    job.Collate = false;
    return renderer.PrintPattern(job);
}

}  // namespace tessary
