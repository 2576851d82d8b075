#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessary {

// The drawings File > Export writes besides pattern and bitmap files.
enum class DrawingFile { Svg, Dxf, Pdf, Png };

// The dialogs the commands open. A file, folder or colour dialog gives
// nothing when the user cancels it.
class CommandDialogs {
public:
    virtual ~CommandDialogs() = default;
    // "Save Pattern File As", starting in folder with the current path as name.
    virtual std::optional<std::string> AskSavePatternPath(const std::string& folder, const std::string& current) = 0;
    // "Open Pattern File", starting in folder.
    virtual std::optional<std::string> AskOpenPatternPath(const std::string& folder) = 0;
    // "Open Picture File", starting in folder.
    virtual std::optional<std::string> AskPicturePath(const std::string& folder) = 0;
    // "Save Pattern Bitmap File As", starting in folder.
    virtual std::optional<std::string> AskBitmapPath(const std::string& folder) = 0;
    // The save dialog of an exported drawing of that kind, starting in folder.
    virtual std::optional<std::string> AskDrawingPath(const std::string& folder, DrawingFile kind) = 0;
    // A picture's resolution, 1 to most dots per inch, starting at initial.
    virtual std::optional<int> AskDotsPerInch(int initial, int most) = 0;
    // "Print to PDF File", starting in folder with name as the file name.
    virtual std::optional<std::string> AskPdfPath(const std::string& folder, const std::string& name) = 0;
    // A folder, starting in folder; title says what it is for.
    virtual std::optional<std::string> AskFolder(const std::string& title, const std::string& folder) = 0;
    // A colour (RGB as the settings keep it), starting with initial.
    virtual std::optional<std::uint32_t> AskColour(std::uint32_t initial) = 0;
    // The Pattern Setup dialog, modal; it sets the options' SetupCancelled.
    // For a new pattern it opens on the pattern's size.
    virtual void ShowPatternSetup(bool forNewPattern) = 0;
};

// Without a window no dialog is shown: each one is cancelled.
class NoCommandDialogs : public CommandDialogs {
public:
    std::optional<std::string> AskSavePatternPath(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> AskOpenPatternPath(const std::string&) override { return {}; }
    std::optional<std::string> AskPicturePath(const std::string&) override { return {}; }
    std::optional<std::string> AskBitmapPath(const std::string&) override { return {}; }
    std::optional<std::string> AskDrawingPath(const std::string&, DrawingFile) override { return {}; }
    std::optional<int> AskDotsPerInch(int, int) override { return {}; }
    std::optional<std::string> AskPdfPath(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> AskFolder(const std::string&, const std::string&) override { return {}; }
    std::optional<std::uint32_t> AskColour(std::uint32_t) override { return {}; }
    void ShowPatternSetup(bool) override {}
};

}  // namespace tessary
