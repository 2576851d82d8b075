#include "cli/EditCommand.h"

#include <fstream>
#include <iostream>

#include "cli/PrintCommand.h"
#include "core/engine/Workspace.h"
#include "core/platform/CommandDialogs.h"
#include "core/platform/PictureLayers.h"
#include "core/shell/EditScript.h"
#include "core/shell/FileCommands.h"
#include "ui/platform/QtPictureLayers.h"

namespace tessary::cli {

namespace {

// The window a script draws in: a full-HD screen's worth of pixels.
constexpr float kWindowPixelsWide = 1920;
constexpr float kWindowPixelsHigh = 1080;

}  // namespace

int ReadEditJob(const Arguments& args, EditJob& job) {
    const auto pixel = args.options.find("--twips-per-pixel");
    if (pixel != args.options.end()) {
        try {
            std::size_t used = 0;
            job.twipsPerPixel = std::stof(pixel->second, &used);
            if (used != pixel->second.size() || !(job.twipsPerPixel >= 1 && job.twipsPerPixel <= 1440)) throw 0;
        } catch (...) {
            std::cerr << "tessary-cli: --twips-per-pixel takes a number from 1 to 1440\n";
            return kUsage;
        }
    }
    const std::string& name = args.options.at("--script");
    std::ifstream file;
    if (name != "-") {
        file.open(name);
        if (!file) {
            std::cerr << "tessary-cli: the script " << name << " can not be read\n";
            return kFailed;
        }
    }
    if (!job.script.Read(name == "-" ? std::cin : file)) {
        std::cerr << "tessary-cli: script line " << job.script.FaultLine() << ": " << job.script.Fault() << "\n";
        return kUsage;
    }
    return kOk;
}

int Edit(Session& session, const Arguments& args, const EditJob& job) {
    Workspace ws(session);
    WorkSurface& s = ws.surface;
    s.TwipsPerPixel = job.twipsPerPixel;
    s.ClientWidth = s.ScreenWidth = kWindowPixelsWide * job.twipsPerPixel;
    s.ClientHeight = s.ScreenHeight = kWindowPixelsHigh * job.twipsPerPixel;
    NoCommandDialogs dialogs;
    // Pictures are decoded for their size: a new one fits the pattern to it.
    QtPictureLayers pictures;
    pictures.SetScreenTwipsPerPixel(job.twipsPerPixel);
    FileCommands files(ws, dialogs, pictures);
    files.OpenPatternCommand(args.files[0]);
    if (!files.PatternOpen()) return kFailed;
    // At normal size a layer twip is a twip of the pattern.
    ws.zoom.ZoomView(ZoomNormal);
    if (!job.script.Run(ws, files)) return kFailed;
    // An alignment left open is ended as the user would: nothing dragged is lost.
    if (ws.modes.AppState() == AppAligning) ws.EndAlignCommand();
    ws.zoom.ZoomView(ZoomNormal);
    return session.file.SavePattern(args.files[1], false) ? kOk : kFailed;
}

}  // namespace tessary::cli
