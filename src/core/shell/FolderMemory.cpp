#include "core/shell/FolderMemory.h"

#include <filesystem>
#include <system_error>

#include "core/platform/SettingsStore.h"

namespace tessary {

namespace {

const char* const kSection = "Folders";

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::string FolderMemory::StartFolder(const std::string& kind, const std::string& folder) const {
    const auto last = settings_.Read(kSection, kind);
    const auto under = settings_.Read(kSection, kind + "Setup");
    if (last && under && *under == folder && IsFolder(*last)) return *last;
    // The folders the program offers are made on first use; the user's own
    // are left as they are (a dialog starts elsewhere when one is gone).
    if (!IsFolder(folder) && (folder == defaults_.patterns || folder == defaults_.pictures)) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
    }
    return folder;
}

template <class Ask>
std::optional<std::string> FolderMemory::Remembered(const std::string& kind, const std::string& folder, Ask ask) {
    std::optional<std::string> chosen = ask(StartFolder(kind, folder));
    if (chosen) {
        const std::string went = std::filesystem::path(*chosen).parent_path().string();
        if (!went.empty()) {
            settings_.Write(kSection, kind, went);
            settings_.Write(kSection, kind + "Setup", folder);
        }
    }
    return chosen;
}

std::optional<std::string> FolderMemory::AskSavePatternPath(const std::string& folder, const std::string& current) {
    return Remembered("Pattern", folder, [&](const std::string& start) { return dialogs_.AskSavePatternPath(start, current); });
}

std::optional<std::string> FolderMemory::AskOpenPatternPath(const std::string& folder) {
    return Remembered("Pattern", folder, [&](const std::string& start) { return dialogs_.AskOpenPatternPath(start); });
}

std::optional<std::string> FolderMemory::AskPicturePath(const std::string& folder) {
    return Remembered("Picture", folder, [&](const std::string& start) { return dialogs_.AskPicturePath(start); });
}

std::optional<std::string> FolderMemory::AskBitmapPath(const std::string& folder) {
    return Remembered("Export", folder, [&](const std::string& start) { return dialogs_.AskBitmapPath(start); });
}

std::optional<std::string> FolderMemory::AskDrawingPath(const std::string& folder, DrawingFile kind) {
    return Remembered("Export", folder, [&](const std::string& start) { return dialogs_.AskDrawingPath(start, kind); });
}

std::optional<std::string> FolderMemory::AskPdfPath(const std::string& folder, const std::string& name) {
    return Remembered("Pdf", folder, [&](const std::string& start) { return dialogs_.AskPdfPath(start, name); });
}

}  // namespace tessary
