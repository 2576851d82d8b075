#pragma once

#include <functional>
#include <string>

#include "core/print/PageLayout.h"
#include "core/print/PrintJob.h"
#include "core/print/PrintWizard.h"

namespace tessary {

class CommandDialogs;
class PrintDevice;
class RasterSurface;
class Workspace;
struct PatternOptions;

// The page layout on a real printer, as the wizard asks for it: the printer
// is turned to the orientation, then the grid is computed for the pattern.
class DeviceLayoutSource : public PrintLayoutSource {
public:
    DeviceLayoutSource(PrintDevice& printer, const PatternOptions& options) : printer_(printer), options_(options) {}
    std::string PrinterName() const override;
    WizardLayout Layout(std::int16_t orientation, float patternWidth, float patternHeight) override;
    std::int16_t MaxPatternsPerPage(float spacingTwips, float patternWidth, float patternHeight, float pageWidth,
                                    float pageHeight) override;
    // Why the last layout had no printable page, if it had none.
    PageGridFault LastFault() const { return lastFault_; }

private:
    PatternOptions Sized(float patternWidth, float patternHeight) const;

    PrintDevice& printer_;
    const PatternOptions& options_;
    PageGridFault lastFault_ = PageGridFault::None;
};

// Said after a print that was to carry the test square when no page had room for it.
inline constexpr const char* kNoRoomForTestSquare = "; the pattern left no room for the test square";

// "1 page", "12 pages", "12 pages and the assembly map": a whole grid.
std::string PrintedPages(const PrintJob& job);

// The wizard's answers over a job already prepared for the printer.
PrintJob JobFromWizard(const PrintWizardModel& wizard, PrintJob job);

// File > Print Pattern: at true size, the wizard (runWizard shows it), the
// PDF file's name if Print Setup gave none, then every chosen page; says
// where the print went. The view ends fitted to the window whatever
// happened. True when the pattern was printed.
bool PrintCommand(Workspace& ws, PrintDevice& printer, RasterSurface& surface, CommandDialogs& dialogs,
                  const std::function<void(PrintWizardModel&)>& runWizard);

// File > Print Preview: the wizard's stored choices, unseen, laid out on the
// printer's paper; showPreview shows the pages, drawing them with
// PreviewPages as often as it needs. At true size while it shows them, the
// view fitted to the window afterwards. False when nothing is printable.
bool PrintPreviewCommand(Workspace& ws, PrintDevice& printer,
                         const std::function<void(const PrintJob&)>& showPreview);

// The pages of one set of the job, on a device that shows them: through the
// renderer the print uses, with the pattern's colour, pen and title.
bool PreviewPages(Workspace& ws, PrintDevice& device, RasterSurface& surface, PrintJob job);

}  // namespace tessary
