#include "cli/ExportCommand.h"

#include <iostream>

#include "cli/PrintCommand.h"
#include "core/engine/Session.h"
#include "core/files/VectorExport.h"
#include "ui/shell/DrawingExports.h"

namespace tessary::cli {

namespace {

// A whole number of dots per inch, or -1.
int DotsPerInch(const std::string& text) { return WholeNumber(text, 1, kMaxPngDpi); }

}  // namespace

int CheckExportArguments(const std::string& command, const Arguments& args) {
    const std::string units = Option(args, "--units");
    if (command == "export-dxf" && !units.empty() && units != "in" && units != "mm") {
        return Problem("--units takes in or mm");
    }
    const std::string dpi = Option(args, "--dpi");
    if (command == "export-png" && !dpi.empty() && DotsPerInch(dpi) < 0) {
        return Problem("--dpi takes a whole number from 1 to " + std::to_string(kMaxPngDpi));
    }
    return kOk;
}

int Export(Session& session, const std::string& command, const Arguments& args) {
    const std::string& pattern = args.files[0];
    const std::string& out = args.files[1];
    // The pattern just read is at true size: the store is at normal size.
    if (command == "export-pdf") return ExportPdf(session, out) ? kOk : kFailed;
    if (command == "export-png") {
        const std::string dpi = Option(args, "--dpi");
        return ExportPng(session, dpi.empty() ? kDefaultPngDpi : DotsPerInch(dpi), out) ? kOk : kFailed;
    }
    const PatternSnapshot snapshot = session.file.Snapshot();
    if (command == "export-svg") {
        return ExportVector(VectorFormat::Svg, snapshot, PageUnit(session.options), out, pattern, session.messages)
                   ? kOk
                   : kFailed;
    }
    const std::string units = Option(args, "--units");
    const LengthUnit unit = units == "mm"   ? LengthUnit::Millimetre
                            : units == "in" ? LengthUnit::Inch
                                            : PageUnit(session.options);
    return ExportVector(VectorFormat::Dxf, snapshot, unit, out, pattern, session.messages) ? kOk : kFailed;
}

}  // namespace tessary::cli
