// tessary-cli: the pattern files of Tessary from the command line.

#include <QTemporaryDir>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "core/platform/ProgressWindow.h"
#include "cli/PatternReport.h"
#include "core/shell/Session.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/StandardFolders.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "usage: tessary-cli info FILE.pat\n"
    "       tessary-cli dump FILE.pat\n"
    "       tessary-cli convert IN.pat OUT.pat [--without-picture]\n";

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "tessary-cli: " << problem << "\n";
    std::cerr << kUsageText;
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsageText;
        return kOk;
    }
    const bool isInfo = command == "info" || command == "dump";
    const bool isConvert = command == "convert";
    if (!isInfo && !isConvert) return Usage("unknown command \"" + command + "\"");
    bool withoutPicture = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (isConvert && args[i] == "--without-picture") {
            withoutPicture = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return Usage("unknown option \"" + args[i] + "\"");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != (isConvert ? 2u : 1u)) return Usage("wrong number of files for \"" + command + "\"");

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
    tessary::DefaultFolders folders = tessary::StandardFolders();
    tessary::Session session(tessary::Platform{settings, presenter, progress, folders});
    session.display.SetFolder(tessary::DisplaySetup::TemporaryFolder, scratch.path().toStdString());

    tessary::PatternFile& file = session.file;
    if (!file.OpenPattern(files[0])) return kFailed;
    if (command == "info") {
        std::cout << tessary::PatternSummary(session, files[0]);
    } else if (command == "dump") {
        std::cout << tessary::PatternJson(session);
    } else {
        if (file.document.hasEmbeddedPicture) file.document.picturePath = file.document.tempPicturePath;
        if (!file.SavePattern(files[1], withoutPicture)) return kFailed;
    }
    return kOk;
}
