#include "cli/PrintCommand.h"

#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <iostream>

#include "core/files/OutputGuard.h"
#include "core/print/PageLayout.h"
#include "core/print/PrintCommand.h"
#include "core/print/PrintRendering.h"
#include "core/engine/Session.h"
#include "ui/platform/QtRasterSurface.h"
#include "ui/print/QtPrintDevice.h"

namespace tessary::cli {

namespace {

// A printer that tells no resolution gets bitmaps at that of a 96-dpi screen.
constexpr float kScreenTwipsPerPixel = 15;
// A PDF page is at most 14400 units of 1/72 inch on a side.
constexpr double kLargestPaperInches = 200;

// Switches given as on or off.
constexpr const char* kOnOffOptions[] = {"--cut-lines", "--labels", "--marks", "--test-square", "--map"};

// --page B3, as the page's label names it, or 2,3: row and column.
std::optional<PageAddress> PageOption(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return PageFromName(text);
    const int row = WholeNumber(text.substr(0, comma), 1, kMaxPages);
    const int column = WholeNumber(text.substr(comma + 1), 1, kMaxPages);
    if (row < 0 || column < 0) return std::nullopt;
    return PageAddress{static_cast<std::int16_t>(row), static_cast<std::int16_t>(column)};
}

// The paper named by --paper; none when the text names no paper, or a
// sheet larger than a PDF page can be.
std::optional<QPageSize> Paper(const std::string& text) {
    if (text.empty() || text == "letter") return QPageSize(QPageSize::Letter);
    if (text == "legal") return QPageSize(QPageSize::Legal);
    if (text == "a4") return QPageSize(QPageSize::A4);
    if (text == "a3") return QPageSize(QPageSize::A3);
    static const QRegularExpression custom(QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)x([0-9]+(?:\\.[0-9]+)?)(in|mm|cm)$"));
    const auto match = custom.match(QString::fromStdString(text));
    if (!match.hasMatch()) return std::nullopt;
    double width = match.captured(1).toDouble();
    double height = match.captured(2).toDouble();
    QPageSize::Unit unit = QPageSize::Inch;
    if (match.captured(3) == QStringLiteral("mm")) unit = QPageSize::Millimeter;
    if (match.captured(3) == QStringLiteral("cm")) {
        unit = QPageSize::Millimeter;
        width *= 10;
        height *= 10;
    }
    const double perInch = unit == QPageSize::Inch ? 1 : 25.4;
    if (width <= 0 || height <= 0 || width / perInch > kLargestPaperInches || height / perInch > kLargestPaperInches) {
        return std::nullopt;
    }
    // A paper size is that of the sheet upright; the orientation turns it.
    return QPageSize(QSizeF(std::min(width, height), std::max(width, height)), unit, QString(),
                     QPageSize::ExactMatch);
}

}  // namespace

int CheckPrintArguments(const Arguments& args) {
    const bool pdf = args.options.count("--pdf") > 0;
    if (pdf == (args.options.count("--printer") > 0)) return Problem("print needs either --pdf OUT.pdf or --printer NAME", kUsage);
    if (!Paper(Option(args, "--paper"))) {
        return Problem("--paper takes letter, legal, a4, a3 or WxH with in, mm or cm, at most 200 in (5080 mm) a side",
                       kUsage);
    }
    const std::string orientation = Option(args, "--orientation");
    if (!orientation.empty() && orientation != "auto" && orientation != "portrait" && orientation != "landscape") {
        return Problem("--orientation takes auto, portrait or landscape", kUsage);
    }
    const std::string page = Option(args, "--page");
    if (!page.empty() && !PageOption(page)) {
        return Problem("--page takes a page's name as its label has it, such as B3, or ROW,COL counted from 1", kUsage);
    }
    const std::string mode = Option(args, "--mode");
    if (!mode.empty() && mode != "vector" && mode != "bitmap") return Problem("--mode takes vector or bitmap", kUsage);
    for (const char* name : kOnOffOptions) {
        const std::string value = Option(args, name);
        if (!value.empty() && value != "on" && value != "off") return Problem(std::string(name) + " takes on or off", kUsage);
    }
    const std::string perPage = Option(args, "--per-page");
    if (!perPage.empty() && perPage != "max" && WholeNumber(perPage, 1, 32767) < 0) {
        return Problem("--per-page takes a number of copies per sheet or max", kUsage);
    }
    const std::string overlap = Option(args, "--overlap");
    if (!overlap.empty() && WholeNumber(overlap, 0, kMostOverlapMillimetres) < 0) {
        return Problem("--overlap takes a whole number of millimetres from 0 to " +
                           std::to_string(kMostOverlapMillimetres),
                       kUsage);
    }
    const std::string degrees = Option(args, "--circle-degrees");
    if (!degrees.empty() && WholeNumber(degrees, 1, 15) < 0) return Problem("--circle-degrees takes 1 to 15", kUsage);
    return kOk;
}

int Print(Session& session, const Arguments& args) {
    QPrinter printer(QPrinter::HighResolution);
    const std::string pdf = Option(args, "--pdf");
    if (!pdf.empty() && !MayWriteOutput(pdf, args.files[0], session.messages)) return kFailed;
    if (!pdf.empty()) {
        // A PDF's printable area is the whole sheet.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setFullPage(true);
    } else {
        printer.setPrinterName(QString::fromStdString(Option(args, "--printer")));
        if (!printer.isValid() || printer.printerName().toStdString() != Option(args, "--printer")) {
            return Problem("there is no printer queue named \"" + Option(args, "--printer") + "\"", kFailed);
        }
    }
    if (!pdf.empty() || args.options.count("--paper")) printer.setPageSize(*Paper(Option(args, "--paper")));
    if (!pdf.empty()) printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);

    const PatternOptions& options = session.options;
    QtPrintDevice device(printer);
    QtRasterSurface surface;
    PrintRenderer renderer(session.store, options, session.progress, session.messages, device, surface,
                           kScreenTwipsPerPixel);
    PrintJob job;
    job.Title = session.file.PatternFileTitle();
    renderer.PreparePrinterColor(job);
    renderer.PreparePrinterPen();
    const std::string orientation = Option(args, "--orientation");
    job.PrintOrientation = orientation == "portrait" ? 1 : orientation == "landscape" ? 2 : DefaultOrientation(options);

    // The wizard, unseen: its stored choices, then those given here.
    DeviceLayoutSource layout(device, options);
    PrintWizardModel wizard(layout, session.settings, session.messages);
    wizard.SetPrintOrientation(job.PrintOrientation);
    wizard.SetPatternHeight(options.HeightTwips);
    wizard.SetPatternWidth(options.WidthTwips);
    if (!wizard.Activate()) {
        if (layout.LastFault() == PageGridFault::TooManyPages) {
            return Problem("nothing to print: at its true size the pattern needs more than 32767 pages", kFailed);
        }
        return Problem("nothing to print: the page margins leave no room for the pattern on this paper", kFailed);
    }
    const std::optional<PageAddress> page = PageOption(Option(args, "--page"));
    if (page) {
        if (page->row > wizard.Rows() || page->column > wizard.Columns()) {
            return Problem("the pattern has " + std::to_string(wizard.Rows()) + " rows and " +
                               std::to_string(wizard.Columns()) + " columns of pages: there is no page " +
                               Option(args, "--page"),
                           kFailed);
        }
        wizard.ChoosePrintOption(1);
        wizard.SelectRow(page->row - 1);
        wizard.SelectColumn(page->column - 1);
    }
    if (args.options.count("--mode")) wizard.ChooseDrawMode(Option(args, "--mode") == "bitmap" ? 1 : 0);
    const auto on = [&](const char* name, void (PrintWizardModel::*set)(bool)) {
        if (args.options.count(name)) (wizard.*set)(Option(args, name) == "on");
    };
    on("--cut-lines", &PrintWizardModel::SetCutLines);
    on("--labels", &PrintWizardModel::SetLabels);
    on("--marks", &PrintWizardModel::SetMarks);
    on("--test-square", &PrintWizardModel::SetTestSquare);
    on("--map", &PrintWizardModel::SetMap);
    if (args.options.count("--overlap")) wizard.SelectOverlap(std::stoi(Option(args, "--overlap")));
    if (args.options.count("--spacing")) {
        wizard.SetSpacingText(Option(args, "--spacing"));
        wizard.SpacingFocusLost();
    }
    const std::string perPage = Option(args, "--per-page");
    if (!perPage.empty()) {
        const int most = static_cast<int>(wizard.PerPageItems().size());
        const int wanted = perPage == "max" ? most : std::stoi(perPage);
        if (wanted > most) {
            return Problem("only " + std::to_string(most) + " copies of this pattern fit on one sheet", kFailed);
        }
        wizard.SelectPerPage(wanted - 1);
    }
    if (args.options.count("--copies")) wizard.SetCopiesText(Option(args, "--copies"));
    if (args.flags.count("--collate")) wizard.SetCollate(true);
    if (args.flags.count("--mirror")) wizard.SetMirror(true);
    if (args.options.count("--circle-degrees")) wizard.SelectCircleDegrees(std::stoi(Option(args, "--circle-degrees")) - 1);
    switch (wizard.Validate()) {
        case WizardFault::Copies: return Problem("--copies takes a whole number from 1 to 999", kUsage);
        case WizardFault::Spacing: return Problem("--spacing takes a decimal number of inches such as 0.2", kUsage);
        default: break;
    }

    const PrintJob chosen = JobFromWizard(wizard, job);
    if (!renderer.PrintPattern(chosen)) return kFailed;
    std::cout << "Printed "
              << (chosen.PrintAllPages ? PrintedPages(chosen)
                                       : "page " + PageName({chosen.PrintPageRow, chosen.PrintPageColumn}))
              << " of a grid of " << chosen.Rows << (chosen.Rows == 1 ? " row" : " rows") << " by " << chosen.Columns
              << (chosen.Columns == 1 ? " column, " : " columns, ")
              << (chosen.PrintOrientation == 2 ? "landscape" : "portrait") << ", " << chosen.Copies
              << (chosen.Copies == 1 ? " copy" : " copies") << ", to " << device.DeviceName()
              << (renderer.TestSquareLeftOut() ? kNoRoomForTestSquare : "") << renderer.GlueMarginCutText() << "\n";
    return kOk;
}

}  // namespace tessary::cli
