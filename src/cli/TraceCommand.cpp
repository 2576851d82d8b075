#include "cli/TraceCommand.h"

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

// The whole text as a number from low to high; nothing otherwise.
std::optional<float> Number(const std::string& text, float low, float high) {
    try {
        std::size_t used = 0;
        const float v = std::stof(text, &used);
        if (used == text.size() && v >= low && v <= high) return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    const auto v = Number(text, static_cast<float>(low), static_cast<float>(high));
    if (!v || *v != static_cast<float>(static_cast<int>(*v))) return std::nullopt;
    return static_cast<int>(*v);
}

// The smallest piece kept unless told, in square inches (0.65 cm²): small
// enough for detail, large enough to cut in glass.
constexpr float kDefaultSmallestPiece = 0.1f;

int Wrong(const std::string& what) {
    std::cerr << "tessary-cli: " << what << "\n";
    return kUsage;
}

}  // namespace

int ReadTraceJob(const Arguments& args, TraceJob& job) {
    const auto option = [&args](const char* name) -> const std::string* {
        const auto it = args.options.find(name);
        return it == args.options.end() ? nullptr : &it->second;
    };
    const std::string* width = option("--width");
    if (!width) return Wrong("trace needs --width INCHES");
    const auto inches = Number(*width, 0.01f, 1000);
    if (!inches) return Wrong("--width takes inches from 0.01 to 1000");
    job.widthInches = *inches;
    if (const std::string* mode = option("--mode")) {
        if (*mode != "regions" && *mode != "edges") return Wrong("--mode takes regions or edges");
        job.options.mode = *mode == "regions" ? TraceMode::Regions : TraceMode::Edges;
    }
    if (const std::string* colours = option("--colours")) {
        const auto n = WholeNumber(*colours, kTraceMinColours, kTraceMaxColours);
        if (!n) return Wrong("--colours takes a whole number from 2 to 64");
        job.options.colours = *n;
    }
    job.options.minPieceArea = kDefaultSmallestPiece;
    if (const std::string* area = option("--min-piece")) {
        const auto a = Number(*area, 0, 1e6f);
        if (!a) return Wrong("--min-piece takes square inches, 0 or more");
        job.options.minPieceArea = *a;
    }
    if (const std::string* detail = option("--detail")) {
        const auto d = WholeNumber(*detail, 0, 100);
        if (!d) return Wrong("--detail takes a whole number from 0 to 100");
        job.options.detail = *d;
    }
    return kOk;
}

int Trace(Session& session, const Arguments& args, const TraceJob& job) {
    const std::string& picture = args.files[0];
    const std::string& output = args.files[1];
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
