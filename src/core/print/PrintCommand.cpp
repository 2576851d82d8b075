#include "core/print/PrintCommand.h"

#include "core/platform/PrintDevice.h"
#include "core/print/PrintRendering.h"
#include "core/workspace/Workspace.h"

namespace tessary {

std::string DeviceLayoutSource::PrinterName() const { return printer_.DeviceName(); }

PatternOptions DeviceLayoutSource::Sized(float patternWidth, float patternHeight) const {
    PatternOptions sized = options_;
    sized.WidthTwips = patternWidth;
    sized.HeightTwips = patternHeight;
    return sized;
}

WizardLayout DeviceLayoutSource::Layout(std::int16_t orientation, float patternWidth, float patternHeight) {
    printer_.SetOrientation(orientation);
    const PageGrid grid = ComputePageGrid(printer_, Sized(patternWidth, patternHeight));
    lastFault_ = grid.fault;
    return WizardLayout{grid.printable, grid.Pages, grid.Rows, grid.Columns, grid.PageWidth, grid.PageHeight};
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
    ClampPrintJob(job);
    return job;
}

bool PrintCommand(Workspace& ws, PrintDevice& printer, RasterSurface& surface,
                  const std::function<void(PrintWizardModel&)>& runWizard) {
    Session& s = ws.session;
    ws.BeginBusy(true);
    ws.zoom.ZoomView(ZoomNormal);
    PrintRenderer renderer(s.store, s.options, s.progress, s.messages, printer, surface, ws.surface.TwipsPerPixel);
    PrintJob job;
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    job.PrintOrientation = DefaultOrientation(s.options);

    DeviceLayoutSource layout(printer, s.options);
    PrintWizardModel wizard(layout, s.settings, s.messages);
    wizard.SetPrintOrientation(job.PrintOrientation);
    wizard.SetPatternHeight(s.options.HeightTwips);
    wizard.SetPatternWidth(s.options.WidthTwips);
    runWizard(wizard);
    // A grid too large to count closes the wizard at once: say why.
    if (wizard.DidCancel() && layout.LastFault() == PageGridFault::TooManyPages) s.messages.MsgTooManyPages();
    const bool printed = !wizard.DidCancel() && wizard.Pages() >= 1 && renderer.PrintPattern(JobFromWizard(wizard, job));

    ws.zoom.ZoomView(ZoomFit);
    ws.EndBusy(true);
    return printed;
}

}  // namespace tessary
