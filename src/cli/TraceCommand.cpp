#include "cli/TraceCommand.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/PrintCommand.h"
#include "core/engine/Workspace.h"
#include "core/files/FileReplacement.h"
#include "core/platform/CommandDialogs.h"
#include "core/shell/FileCommands.h"
#include "ui/platform/QtPictureLayers.h"

namespace tessary::cli {

namespace {

}  // namespace

int ReadTraceJob(const Arguments& args, TraceJob& job) {
    const auto given = [&args](const char* name) { return args.options.count(name) > 0; };
    if (!given("--width")) return Problem("trace needs --width INCHES");
    const auto inches = Number(Option(args, "--width"), 0.01f, 1000);
    if (!inches) return Problem("--width takes inches from 0.01 to 1000");
    job.widthInches = *inches;
    if (given("--mode")) {
        const std::string mode = Option(args, "--mode");
        if (mode != "regions" && mode != "edges") return Problem("--mode takes regions or edges");
        job.options.mode = mode == "regions" ? TraceMode::Regions : TraceMode::Edges;
    }
    if (given("--colours")) {
        const int n = WholeNumber(Option(args, "--colours"), kTraceMinColours, kTraceMaxColours);
        if (n < 0) return Problem("--colours takes a whole number from 2 to 64");
        job.options.colours = n;
    }
    if (given("--min-piece")) {
        const auto a = Number(Option(args, "--min-piece"), 0, 1e6f);
        if (!a) return Problem("--min-piece takes square inches, 0 or more");
        job.options.minPieceArea = *a;
    }
    if (given("--detail")) {
        const int d = WholeNumber(Option(args, "--detail"), 0, 100);
        if (d < 0) return Problem("--detail takes a whole number from 0 to 100");
        job.options.detail = d;
    }
    return kOk;
}

int Trace(Session& session, const Arguments& args, const TraceJob& job) {
    const std::string& picture = args.files[0];
    const std::string& output = args.files[1];
    std::error_code error;
    if (!std::filesystem::is_regular_file(picture, error)) return Problem("there is no picture file " + picture, kFailed);
    if (IsSameFile(output, picture)) {
        std::cerr << "tessary-cli: the pattern can not be written over the picture it is traced from: " << output
                  << "\n";
        return kFailed;
    }
    Workspace ws(session);
    NoCommandDialogs dialogs;
    QtPictureLayers pictures;
    FileCommands files(ws, dialogs, pictures);
    files.NewPattern(true, picture, false);
    if (!files.PatternOpen() || !ws.surface.PictureLoaded) return kFailed;

    // The size asked for, in the page's units, the height from the picture.
    PatternOptions& o = session.options;
    const PictureSize natural = pictures.NaturalSize();
    const float unitsPerInch = o.MetricPage ? 2.54f : 1;
    o.DimensionWidth = job.widthInches * unitsPerInch;
    o.DimensionHeight = o.DimensionWidth * natural.heightTwips / natural.widthTwips;
    o.RecomputeTwips();
    ws.zoom.ZoomView(ZoomNormal);

    AutoTraceOptions options = job.options;
    // Square inches given; the pattern's units may be centimetres.
    options.minPieceArea *= unitsPerInch * unitsPerInch;
    const AutoTraceCounts counts = AddAutoTrace(ws, pictures.PicturePixels(), options);
    if (!session.file.SavePattern(output, false)) return kFailed;
    std::cout << "Lines: " << counts.lines << "\nPieces: " << counts.pieces << "\n";
    return kOk;
}

}  // namespace tessary::cli
