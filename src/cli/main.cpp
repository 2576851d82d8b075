// tessary-cli: the pattern files of Tessary from the command line.

#include <QGuiApplication>
#include <QTemporaryDir>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "cli/EditCommand.h"
#include "cli/ExportCommand.h"
#include "cli/PatternReport.h"
#include "cli/PrintCommand.h"
#include "cli/TraceCommand.h"
#include "core/files/BitmapExport.h"
#include "core/platform/ProgressWindow.h"
#include "core/engine/Session.h"
#include "ui/platform/QtRasterSurface.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/StandardFolders.h"

namespace {

using tessary::cli::kFailed;
using tessary::cli::kOk;
using tessary::cli::kUsage;

const char* const kUsageText =
    "usage: tessary-cli info FILE.pat\n"
    "       tessary-cli dump FILE.pat\n"
    "       tessary-cli convert IN.pat OUT.pat [--without-picture]\n"
    "       tessary-cli export-bmp FILE.pat OUT.bmp [--width PX] [--height PX] [--pen PX]\n"
    "       tessary-cli export-svg FILE.pat OUT.svg\n"
    "       tessary-cli export-dxf FILE.pat OUT.dxf [--units in|mm]\n"
    "       tessary-cli export-pdf FILE.pat OUT.pdf\n"
    "       tessary-cli export-png FILE.pat OUT.png [--dpi N]\n"
    "       tessary-cli edit IN.pat OUT.pat --script (FILE | -) [--twips-per-pixel N]\n"
    "       tessary-cli trace PICTURE OUT.pat --width INCHES [--mode regions|edges] [--colours N]\n"
    "                   [--min-piece SQUARE-INCHES] [--detail 0..100]\n"
    "       tessary-cli print FILE.pat (--pdf OUT.pdf | --printer NAME)\n"
    "                   [--paper letter|legal|a4|a3|WxH(in|mm|cm)] [--orientation auto|portrait|landscape]\n"
    "                   [--page B3|ROW,COL] [--mode vector|bitmap] [--cut-lines on|off] [--per-page N|max]\n"
    "                   [--spacing INCHES] [--copies N] [--collate] [--mirror] [--circle-degrees N]\n"
    "                   [--labels on|off] [--marks on|off] [--test-square on|off] [--overlap MM] [--map on|off]\n";

struct CommandForm {
    std::size_t files;
    std::set<std::string> valueOptions;
    std::set<std::string> flags;
};

const std::map<std::string, CommandForm> kCommands = {
    {"info", {1, {}, {}}},
    {"dump", {1, {}, {}}},
    {"convert", {2, {}, {"--without-picture"}}},
    {"export-bmp", {2, {"--width", "--height", "--pen"}, {}}},
    {"export-svg", {2, {}, {}}},
    {"export-dxf", {2, {"--units"}, {}}},
    {"export-pdf", {2, {}, {}}},
    {"export-png", {2, {"--dpi"}, {}}},
    {"edit", {2, {"--script", "--twips-per-pixel"}, {}}},
    {"trace", {2, {"--width", "--mode", "--colours", "--min-piece", "--detail"}, {}}},
    {"print",
     {1,
      {"--pdf", "--printer", "--paper", "--orientation", "--page", "--mode", "--cut-lines", "--per-page", "--spacing",
       "--copies", "--circle-degrees", "--labels", "--marks", "--test-square",
       "--overlap", "--map"},
      {"--collate", "--mirror"}}},
};

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "tessary-cli: " << problem << "\n";
    std::cerr << kUsageText;
    return kUsage;
}

// A pixel count from the command line: a whole number above 0.
bool PixelOption(const tessary::cli::Arguments& args, const std::string& name, float& value) {
    const auto it = args.options.find(name);
    if (it == args.options.end()) return true;
    try {
        std::size_t used = 0;
        const long n = std::stol(it->second, &used);
        if (used != it->second.size() || n < 1) return false;
        value = static_cast<float>(n);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int ExportBmp(tessary::Session& session, const tessary::cli::Arguments& args) {
    tessary::PatternOptions options = session.options;
    if (!PixelOption(args, "--width", options.BitmapWidth) || !PixelOption(args, "--height", options.BitmapHeight) ||
        !PixelOption(args, "--pen", options.BitmapPenSize)) {
        return Usage("--width, --height and --pen take a whole number of pixels");
    }
    tessary::QtRasterSurface surface;
    tessary::BitmapExport bitmap(session.store, session.progress, surface);
    // A file's coordinates are the pattern at true size: the layer at normal size.
    return bitmap.ExportBitmap(options, options.WidthTwips, options.HeightTwips, args.files[1], args.files[0],
                               session.messages)
               ? kOk
               : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> raw(argv + 1, argv + argc);
    if (raw.empty()) return Usage("");
    const std::string& command = raw[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsageText;
        return kOk;
    }
    const auto known = kCommands.find(command);
    if (known == kCommands.end()) return Usage("unknown command \"" + command + "\"");
    tessary::cli::Arguments args;
    for (std::size_t i = 1; i < raw.size(); ++i) {
        const std::string& a = raw[i];
        if (known->second.flags.count(a)) {
            args.flags.insert(a);
        } else if (known->second.valueOptions.count(a)) {
            if (i + 1 >= raw.size()) return Usage("\"" + a + "\" needs a value");
            args.options[a] = raw[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return Usage("unknown option \"" + a + "\"");
        } else {
            args.files.push_back(a);
        }
    }
    if (args.files.size() != known->second.files) return Usage("wrong number of files for \"" + command + "\"");

    // Painting needs a GUI application, but never a screen; Qt's own
    // notes are not for the user of a batch command.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    // The picture inside a pattern is extracted to a folder of this run's
    // own, so a batch run never replaces the picture a desktop session shows.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::cerr << "tessary-cli: no temporary folder could be made\n";
        return kFailed;
    }
    tessary::QtSettingsStore settings;
    tessary::ConsolePresenter presenter;
    tessary::SilentProgressWindow progress;
    tessary::Session session(tessary::Platform{settings, presenter, progress, tessary::StandardFolders()});
    session.display.SetFolder(tessary::DisplaySetup::TemporaryFolder, scratch.path().toStdString());

    tessary::PatternFile& file = session.file;
    if (command == "print") {
        const int problem = tessary::cli::CheckPrintArguments(args);
        if (problem != kOk) return problem;
    }
    const bool exporting = command.rfind("export-", 0) == 0 && command != "export-bmp";
    if (exporting) {
        const int problem = tessary::cli::CheckExportArguments(command, args);
        if (problem != kOk) return problem;
    }
    tessary::cli::EditJob edit;
    if (command == "edit") {
        if (!args.options.count("--script")) return Usage("edit needs --script FILE (or - for standard input)");
        const int problem = tessary::cli::ReadEditJob(args, edit);
        if (problem != kOk) return problem;
        return tessary::cli::Edit(session, args, edit);
    }
    if (command == "trace") {
        tessary::cli::TraceJob trace;
        const int problem = tessary::cli::ReadTraceJob(args, trace);
        if (problem != kOk) return problem;
        return tessary::cli::Trace(session, args, trace);
    }
    if (!file.OpenPattern(args.files[0])) return kFailed;
    if (command == "info") {
        std::cout << tessary::PatternSummary(session, args.files[0]);
    } else if (command == "dump") {
        std::cout << tessary::PatternJson(session);
    } else if (command == "convert") {
        if (file.document.hasEmbeddedPicture) file.document.picturePath = file.document.tempPicturePath;
        if (!file.SavePattern(args.files[1], args.flags.count("--without-picture") > 0)) return kFailed;
    } else if (command == "export-bmp") {
        return ExportBmp(session, args);
    } else if (exporting) {
        return tessary::cli::Export(session, command, args);
    } else {
        return tessary::cli::Print(session, args);
    }
    return kOk;
}
