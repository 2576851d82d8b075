#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/Workspace.h"
#include "core/platform/CommandDialogs.h"
#include "core/platform/PictureLayers.h"

namespace tessary::test {

// File, folder and colour dialogs answer from scripts (an empty script is a
// cancel); the Pattern Setup dialog accepts like the real one, or is
// cancelled.
class FakeDialogs : public CommandDialogs {
public:
    explicit FakeDialogs(Workspace& ws) : ws_(ws) {}

    std::optional<std::string> AskSavePatternPath(const std::string& folder, const std::string&) override {
        saveFolders.push_back(folder);
        return Next(savePaths);
    }
    std::optional<std::string> AskOpenPatternPath(const std::string& folder) override {
        openFolders.push_back(folder);
        return Next(openPaths);
    }
    std::optional<std::string> AskPicturePath(const std::string& folder) override {
        pictureFolders.push_back(folder);
        return Next(picturePaths);
    }
    std::optional<std::string> AskBitmapPath(const std::string&) override { return Next(bitmapPaths); }
    std::optional<std::string> AskDrawingPath(const std::string&, DrawingFile kind) override {
        drawingsAsked.push_back(kind);
        return Next(drawingPaths);
    }
    std::optional<int> AskDotsPerInch(int initial, int) override {
        dpisAsked.push_back(initial);
        return Next(dpis);
    }
    std::optional<std::string> AskPdfPath(const std::string& folder, const std::string& name) override {
        pdfAsked.push_back(folder + "|" + name);
        return Next(pdfPaths);
    }
    std::optional<std::string> AskFolder(const std::string& title, const std::string& folder) override {
        folderAsked.push_back(title + "|" + folder);
        return Next(folders);
    }
    std::optional<std::uint32_t> AskColour(std::uint32_t initial) override {
        coloursAsked.push_back(initial);
        return Next(colours);
    }
    void ShowPatternSetup(bool forNewPattern) override {
        PatternOptions& o = ws_.session.options;
        ++setups;
        newPatternSetups += forNewPattern;
        aspectLockedSeen = o.AspectLocked;
        noPictureSeen = ws_.modes.NoPicture();
        o.SetupCancelled = cancelSetup;
        if (cancelSetup) return;
        if (edit) edit(o);
        o.AspectLocked = true;
        o.RecomputeTwips();
    }

    std::deque<std::string> savePaths, openPaths, picturePaths, bitmapPaths, drawingPaths, pdfPaths, folders;
    std::vector<DrawingFile> drawingsAsked;
    std::deque<int> dpis;
    std::vector<int> dpisAsked;
    std::deque<std::uint32_t> colours;
    std::vector<std::string> saveFolders, openFolders, pictureFolders, pdfAsked, folderAsked;
    std::vector<std::uint32_t> coloursAsked;
    bool cancelSetup = false;
    std::function<void(PatternOptions&)> edit;
    int setups = 0;
    int newPatternSetups = 0;
    bool aspectLockedSeen = false;
    bool noPictureSeen = false;

private:
    template <class Answer>
    static std::optional<Answer> Next(std::deque<Answer>& script) {
        if (script.empty()) return std::nullopt;
        const Answer answer = script.front();
        script.pop_front();
        return answer;
    }

    Workspace& ws_;
};

// Any existing non-empty file decodes, unless told to fail.
class FakePictures : public PictureLayers {
public:
    bool Decode(const std::string& path, int layer) override {
        decoded.push_back(path);
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        const bool ok = !fail && path != failing && !ec && size > 0;
        layers.at(layer) = ok ? path : "";
        if (afterDecode) afterDecode(layer);
        return ok;
    }
    PictureSize NaturalSize() const override { return natural; }
    // Only the names are decoded, never pixels.
    RgbImage PicturePixels() const override { return {}; }
    void Clear() override { layers = {}; }

    std::array<std::string, 2> layers;
    std::vector<std::string> decoded;
    bool fail = false;
    std::string failing;  // this one file does not decode
    PictureSize natural{2880, 4320};
    std::function<void(int)> afterDecode;
};

}  // namespace tessary::test
