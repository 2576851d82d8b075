#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/files/BitmapExport.h"
#include "core/files/VectorExport.h"
#include "core/platform/CommandDialogs.h"
#include "core/shell/RecentFiles.h"

namespace tessary {

class PictureLayers;
class RasterSurface;
class Workspace;

inline constexpr const char* kNewCaption = "New";
// Pictures larger than this (999 KB) are questioned before they load.
inline constexpr std::uintmax_t kLargePicture = 999 * 1024;

// The file commands and the picture that goes with a pattern: New, Open,
// Close, Save, Save As, Export without picture, Clear Pattern, Pattern
// Setup, the command line and the end of the program.
class FileCommands {
public:
    FileCommands(Workspace& ws, CommandDialogs& dialogs, PictureLayers& pictures);

    bool PatternOpen() const { return patternOpen_; }

    // picture: the picture to trace, when the user already named it (a file
    // dropped on the window); else it is asked for. A picture named in a
    // batch command is not questioned for its size (askIfLarge false).
    void NewPattern(bool withPicture, const std::string& picture = {}, bool askIfLarge = true);
    void OpenPatternCommand(const std::string& fileName);
    // File > Open and Open Recent: the file first (asked when empty), then
    // a pattern already open is closed (with the save question) and the
    // file opened; false when nothing was opened.
    bool OpenCommand(const std::string& fileName = {});
    // Before New: a pattern already open is closed first; false when the
    // user keeps it.
    bool CloseForNew() { return !patternOpen_ || ClosePattern(); }
    // The patterns opened and saved last.
    RecentFiles recent;
    bool ClosePattern();
    bool SavePatternCommand(bool saveAs);
    bool AskSaveChanges();
    void ExportWithoutPicture();
    // Export, Create Bitmap File: the pattern at the options' bitmap size.
    bool ExportBitmapCommand(RasterSurface& surface);
    // Export as a drawing: the save dialog for kind, then write (given the
    // path chosen) with the view at normal size. True when written.
    bool ExportDrawingCommand(DrawingFile kind, const std::function<bool(const std::string& path)>& write);
    // Export as SVG or DXF, in the unit of the pattern's page.
    bool ExportVectorCommand(VectorFormat format);
    // Export as a PNG: its resolution is asked first (starting from the last
    // one chosen), then its path.
    bool ExportPngCommand(const std::function<bool(const std::string& path, int dpi)>& write);
    void ClearPatternCommand();
    // Edit > Change Picture: a new picture under the pattern, the pattern
    // fitted to it and then aligned by the user. The picture shown before
    // stays when the new one cannot be had. A picture named in a script is
    // not questioned for its size.
    void ChangePictureCommand();
    bool ChangePicture(const std::string& path, bool askIfLarge = true);
    void PatternSetupCommand();

    // The whole command-line text names one pattern file; quotes around it
    // are dropped and a name that does not exist is ignored. An open
    // pattern is closed first (with the save question).
    void OpenFromCommandLine(const std::string& text);
    // Asked before the program ends: false keeps it running.
    bool MayExit();
    // The program ends: the temporary picture goes.
    void Unload() { DeleteTemporaryPicture(); }

    bool OpenPictureFile();
    bool LoadPictureFile(const std::string& path, bool askIfLarge = true);
    bool LoadPictureLayers(const std::string& path);
    void ShowEmbeddedPicture();
    void DeleteTemporaryPicture();

private:
    // An export runs busy at normal size, and ends fitted to the window.
    bool ExportAtNormalSize(const std::function<std::optional<std::string>()>& ask,
                            const std::function<bool(const std::string& path)>& write);
    // A new pattern's size from the picture the user opens.
    bool PictureForNewPattern(const std::string& picture, bool askIfLarge);
    void SizeLayersToPicture();
    void ShowPatternPicture();
    void ForgetPicture();
    // The end of New and Open: the pattern is open under this caption.
    void EnterOpenPattern(const std::string& caption);

    Workspace& ws_;
    CommandDialogs& dialogs_;
    PictureLayers& pictures_;
    bool patternOpen_ = false;
    int pngDpi_ = kDefaultPngDpi;
};

}  // namespace tessary
