#pragma once

#include <string>

#include "core/files/DisplaySetup.h"
#include "core/platform/CommandDialogs.h"

namespace tessary {

class SettingsStore;

// The file dialogs as a person expects them: each kind of file (patterns,
// pictures, exports, PDFs) starts where the user last went for it, kept in
// the settings ("Folders"). Until then, when that folder is gone, or when the
// display setup's folder for it has changed since, a dialog starts in the
// display setup's folder; the default pattern and picture folders are made
// when a dialog first needs them.
class FolderMemory : public CommandDialogs {
public:
    FolderMemory(CommandDialogs& dialogs, SettingsStore& settings, const DefaultFolders& defaults)
        : dialogs_(dialogs), settings_(settings), defaults_(defaults) {}

    std::optional<std::string> AskSavePatternPath(const std::string& folder, const std::string& current) override;
    std::optional<std::string> AskOpenPatternPath(const std::string& folder) override;
    std::optional<std::string> AskPicturePath(const std::string& folder) override;
    std::optional<std::string> AskBitmapPath(const std::string& folder) override;
    std::optional<std::string> AskDrawingPath(const std::string& folder, DrawingFile kind) override;
    std::optional<std::string> AskPdfPath(const std::string& folder, const std::string& name) override;
    std::optional<int> AskDotsPerInch(int initial, int most) override { return dialogs_.AskDotsPerInch(initial, most); }
    std::optional<std::string> AskFolder(const std::string& title, const std::string& folder) override {
        return dialogs_.AskFolder(title, folder);
    }
    std::optional<std::uint32_t> AskColour(std::uint32_t initial) override { return dialogs_.AskColour(initial); }
    void ShowPatternSetup(bool forNewPattern) override { dialogs_.ShowPatternSetup(forNewPattern); }

    // Where a dialog for that kind ("Pattern", "Picture", "Export", "Pdf")
    // starts when the display setup's folder for it is folder.
    std::string StartFolder(const std::string& kind, const std::string& folder) const;

private:
    // Asks through ask (given the folder to start in) and remembers the
    // folder of the file chosen.
    template <class Ask>
    std::optional<std::string> Remembered(const std::string& kind, const std::string& folder, Ask ask);

    CommandDialogs& dialogs_;
    SettingsStore& settings_;
    DefaultFolders defaults_;
};

}  // namespace tessary
